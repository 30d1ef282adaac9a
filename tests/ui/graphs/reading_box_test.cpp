#include "support/mouse_fixture.h"

#include <QPlainTextEdit>

namespace ign::ui::test {
namespace {

// A multi-line text box set up as the reading boxes were before they were
// only drawn: no wrapping, no scroll bars, and never the focus, so no text
// cursor shows.
class TextBoxAsItWas : public QPlainTextEdit {
public:
    TextBoxAsItWas(const ReadingBox& like, QWidget* parent) : QPlainTextEdit(parent)
    {
        setFocusPolicy(Qt::NoFocus);
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFont(like.font());
        resize(like.size());
    }
    void show(const QString& text, const QColor& colour)
    {
        QPalette p = palette();
        p.setColor(QPalette::Text, colour);
        setPalette(p);
        setPlainText(text);
    }
};

// Over a backdrop that would show through any pixel the box left out.
QImage drawn(QWidget& w)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(255, 0, 255));
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST_F(MouseTest, ReadingBoxesLookAsTheTextBoxesDid)
{
    start();
    openEditor();
    const QStringList texts = {
        QStringLiteral("n = 11000\na = 50.0"),   QStringLiteral("n = -10000\na = -25,0"),
        QStringLiteral("n = 14500\na = 0,5"),    QStringLiteral("n = 0\na = 49.8"),
        QStringLiteral("n = 11000\na = 50,0\n"), QStringLiteral("Text7"),
        QStringLiteral("n = 99999\na = -999.9"),
    };
    const QColor colours[] = {Qt::black, Qt::red, Qt::blue, QColor(0, 255, 0), Qt::yellow,
                              QColor(255, 128, 0)};
    for (const char* name : {"Text3", "Text7"}) {
        ReadingBox* box = this->box(name);
        QWidget scratch;
        ReadingBox drawnBox(QString(), &scratch);
        drawnBox.setFont(box->font());
        TextBoxAsItWas textBox(*box, &scratch);
        // As the boxes are sized, and too narrow for the text, which is cut
        // as the text box cuts it.
        for (const QSize size : {box->size(), QSize(box->width() / 2, box->height())}) {
            drawnBox.resize(size);
            textBox.resize(size);
            for (const QString& text : texts) {
                for (const QColor& colour : colours) {
                    drawnBox.setPlainText(text);
                    drawnBox.setTextColour(colour);
                    textBox.show(text, colour);
                    ASSERT_EQ(drawn(drawnBox), drawn(textBox))
                        << name << " " << size.width() << " " << text.toStdString() << " "
                        << colour.name().toStdString();
                }
            }
        }
    }
}

}  // namespace
}  // namespace ign::ui::test
