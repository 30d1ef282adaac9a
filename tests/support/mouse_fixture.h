// Mouse events on the picture boxes as a person makes them: positions in the
// drawing area, moves that carry the buttons held.
#pragma once

#include <QMouseEvent>

#include "support/window_fixture.h"
#include "ui/graphs/points_editor.h"
#include "ui/graphs/reading_box.h"

namespace ign::ui::test {

class MouseTest : public WindowTest {
protected:
    // A drawing-area pixel as a widget position, past the sunken border.
    static QPoint at(const RasterSurface& s, int x, int y)
    {
        const QSize border = (s.size() - s.drawingSize()) / 2;
        return {x + border.width(), y + border.height()};
    }

    void press(int pictureNumber, Qt::MouseButton button, int x, int y)
    {
        RasterSurface& s = picture(pictureNumber);
        QTest::mousePress(&s, button, {}, at(s, x, y));
    }
    void release(int pictureNumber, Qt::MouseButton button, int x, int y)
    {
        RasterSurface& s = picture(pictureNumber);
        QTest::mouseRelease(&s, button, {}, at(s, x, y));
    }
    // QTest's moves carry no buttons; a drag needs them.
    void move(int pictureNumber, Qt::MouseButtons buttons, int x, int y)
    {
        RasterSurface& s = picture(pictureNumber);
        const QPoint pos = at(s, x, y);
        QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(s.mapToGlobal(pos)),
                          Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&s, &event);
    }
    // Press with the left button, move to `toY` and let go.
    void drag(int x, int y, int toY)
    {
        press(4, Qt::LeftButton, x, y);
        move(4, Qt::LeftButton, x, toY);
        release(4, Qt::LeftButton, x, toY);
    }

    void openEditor()
    {
        RasterSurface& p1 = picture(1);
        QTest::mouseDClick(&p1, Qt::LeftButton, {}, at(p1, 100, 100));
    }

    ReadingBox* box(const char* name) const { return find<ReadingBox>(QLatin1String(name)); }
    static QColor textColour(const ReadingBox* b) { return b->textColour(); }
    Qt::CursorShape pointer() const { return window->cursor().shape(); }

    QString text6(int i) const { return field("Text6", i)->text(); }
    void setText6(int i, const char* text) const
    {
        field("Text6", i)->setText(QString::fromUtf8(text));
    }
    float editorPoint(int characteristic, int i) const
    {
        return window->pointsEditor()
            .points()[static_cast<std::size_t>(characteristic)][static_cast<std::size_t>(i)];
    }
};

}  // namespace ign::ui::test
