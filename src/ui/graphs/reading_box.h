// The small box that reads speed and angle off a graph: a sunken text box
// with two lines in it, as a multi-line text box shows them. It only draws
// them: it follows the pointer and changes with every move of a drag, and a
// text document laid out anew each time cost more than the graph's redraw.
// Only a line whose text changed is laid out again.
#pragma once

#include <vector>

#include <memory>

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPalette>
#include <QString>

class QTextLayout;

namespace ign::ui {

class ReadingBox : public QFrame {
    Q_OBJECT

public:
    ReadingBox(const QString& text, QWidget* parent);
    ~ReadingBox() override;

    // Lines end at '\n'; a final one opens an empty line.
    void setPlainText(const QString& text);
    QString toPlainText() const { return text_; }
    QColor textColour() const;
    void setTextColour(const QColor& colour);

    // Space a text box leaves between its frame and its lines.
    static constexpr int kMargin = 4;
    // Where the lines are drawn inside the box, one rectangle each.
    std::vector<QRectF> lineRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A line laid out once, and kept with its glyphs for every paint.
    struct Line {
        std::unique_ptr<QTextLayout> layout;
        QRectF bounds;
        qreal width = 0;
    };
    void layOut(std::size_t line);
    void layOutAll();
    // The frame and the empty page, drawn again only when the size or the
    // palette (but for the text colour) changes.
    const QImage& emptyBox();

    QString text_;
    std::vector<QString> lines_;
    std::vector<Line> laidOut_;
    QImage empty_;
    QPalette emptyPalette_;
};

}  // namespace ign::ui
