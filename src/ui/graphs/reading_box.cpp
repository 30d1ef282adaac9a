#include "ui/graphs/reading_box.h"

#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTextLayout>

#include <algorithm>

namespace ign::ui {
namespace {

// The palette without its text colour: what the frame and the page are
// drawn with.
QPalette framePalette(QPalette palette)
{
    palette.setColor(QPalette::Text, Qt::black);
    return palette;
}

}  // namespace

ReadingBox::ReadingBox(const QString& text, QWidget* parent) : QFrame(parent)
{
    // The frame a scrolling text box has, with the page inside it in the
    // palette's base colour. Frame and page cover every pixel, so nothing
    // under the box is drawn while it is shown.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setPlainText(text);
}

ReadingBox::~ReadingBox() = default;

void ReadingBox::setPlainText(const QString& text)
{
    if (text == text_ && !lines_.empty())
        return;
    text_ = text;
    const QStringList lines = text.split(QLatin1Char('\n'));
    lines_.resize(std::size_t(lines.size()));
    laidOut_.resize(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (laidOut_[i].layout && lines_[i] == lines[qsizetype(i)])
            continue;
        lines_[i] = lines[qsizetype(i)];
        layOut(i);
    }
    update();
}

QColor ReadingBox::textColour() const
{
    return palette().color(QPalette::Text);
}

void ReadingBox::setTextColour(const QColor& colour)
{
    if (textColour() == colour)
        return;
    QPalette p = palette();
    p.setColor(QPalette::Text, colour);
    setPalette(p);
}

// One line as a text box's plain text layout sets it: no wrapping, the
// leading included in its height, the margins on both sides of the page.
void ReadingBox::layOut(std::size_t line)
{
    auto layout = std::make_unique<QTextLayout>(lines_[line], font());
    // Kept whole, or every paint would shape the text again.
    layout->setCacheEnabled(true);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    QTextLine textLine = layout->createLine();
    if (textLine.isValid()) {
        textLine.setLeadingIncluded(true);
        textLine.setLineWidth(contentsRect().width() - 2 * kMargin);
        textLine.setPosition(QPointF(kMargin, 0));
    }
    layout->endLayout();
    Line& laid = laidOut_[line];
    laid.bounds = layout->boundingRect();
    laid.width = textLine.isValid() ? textLine.naturalTextWidth() : 0;
    laid.layout = std::move(layout);
}

std::vector<QRectF> ReadingBox::lineRects() const
{
    std::vector<QRectF> rects;
    qreal top = kMargin;
    for (const Line& line : laidOut_) {
        rects.push_back(line.bounds.translated(contentsRect().left(), contentsRect().top() + top));
        top += line.bounds.bottom();
    }
    return rects;
}

const QImage& ReadingBox::emptyBox()
{
    const QPalette palette = framePalette(this->palette());
    if (empty_.size() != size() || emptyPalette_ != palette) {
        empty_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        QPainter p(&empty_);
        p.fillRect(contentsRect(), palette.brush(QPalette::Base));
        drawFrame(&p);
        emptyPalette_ = palette;
    }
    return empty_;
}

void ReadingBox::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.drawImage(event->rect().topLeft(), emptyBox(), event->rect());
    // Lines longer than the page stop one pixel past its margin, as the
    // text box clips them.
    const QRect page = contentsRect();
    qreal widest = 0;
    for (const Line& line : laidOut_)
        widest = std::max(widest, line.width + 2 * kMargin);
    const int right = int(std::max(qreal(page.width()), widest) - kMargin + 1);
    p.setClipRect(QRect(page.left(), page.top(), std::min(right + 1, page.width()), page.height()));
    p.setPen(textColour());
    QPointF at(page.left(), page.top() + kMargin);
    for (const Line& line : laidOut_) {
        line.layout->draw(&p, at);
        at.ry() += line.bounds.bottom();
    }
}

void ReadingBox::layOutAll()
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        layOut(i);
    update();
}

void ReadingBox::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layOutAll();
}

void ReadingBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (event->oldSize().width() != event->size().width())
        layOutAll();
}

}  // namespace ign::ui
