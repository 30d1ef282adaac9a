#include "ui/graphs/plot_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/form/field_colours.h"
#include "ui/platform/qt_strings.h"

namespace ign::ui {
namespace {

constexpr int kPad = 6;  // inside the panel's edge
constexpr int kTick = 4;
constexpr int kGap = 4;  // between a tick label and the axis title
constexpr int kSampleWidth = 24;  // the stroke before a legend name
constexpr int kSampleGap = 6;
constexpr double kLineWidth = 1.5;
// One wheel notch shows this share of the speeds around the pointer; a finer
// wheel or touchpad zooms by the same amount per full notch.
constexpr double kZoomPerNotch = 0.8;
// A thousandth of the whole range is a few table periods at the highest
// speeds; deeper shows nothing more, only an ever wider stroke.
constexpr double kDeepestZoom = 1e-3;
// Far outside the plot a pixel only has to keep the line's direction; the
// painter's fixed-point arithmetic must not overflow.
constexpr double kFarPixel = 1e6;

const QColor kGridColour(224, 224, 224);
const QColor kAxisColour(64, 64, 64);

// The one mapping from values to pixels: the ends of a range fall on the
// first and last pixel of the plot area, where the axis lines are. The area
// is worked out once per picture, not once per point.
QPointF mapToPixel(QPointF value, const QRect& area, PlotRange x, PlotRange y)
{
    const double px = area.left() + (value.x() - x.low) / (x.high - x.low) * (area.width() - 1);
    const double py = area.top() + (y.high - value.y()) / (y.high - y.low) * (area.height() - 1);
    return {std::clamp(px, -kFarPixel, kFarPixel), std::clamp(py, -kFarPixel, kFarPixel)};
}

QPointF mapToValue(QPointF pixel, const QRect& area, PlotRange x, PlotRange y)
{
    return {x.low + (pixel.x() - area.left()) / (area.width() - 1) * (x.high - x.low),
            y.high - (pixel.y() - area.top()) / (area.height() - 1) * (y.high - y.low)};
}

QFont titleFont(const QWidget& w)
{
    QFont f = w.font();
    f.setBold(true);
    return f;
}

}  // namespace

PlotWidget::PlotWidget(const QString& xTitle, const QString& yTitle, QWidget* parent)
    : QWidget(parent), xTitle_(xTitle), yTitle_(yTitle)
{
    setMouseTracking(true);
    setMinimumSize(240, 120);
}

void PlotWidget::clear()
{
    lines_.clear();
    marks_.clear();
    checkSides();
    update();
}

void PlotWidget::addLine(PlotLine line)
{
    lines_.push_back(std::move(line));
    checkSides();
    update();
}

void PlotWidget::addMark(PlotMark mark)
{
    marks_.push_back(std::move(mark));
    checkSides();
    update();
}

void PlotWidget::setFullXRange(PlotRange range)
{
    fullX_ = range;
    checkSides();
    setXRange(range);
}

void PlotWidget::setXRange(PlotRange range)
{
    range.low = std::fmax(range.low, fullX_.low);
    range.high = std::fmin(range.high, fullX_.high);
    if (!(range.high - range.low >= (fullX_.high - fullX_.low) * kDeepestZoom) ||
        range == x_)
        return;
    x_ = range;
    update();
    emit xRangeChanged(x_);
}

void PlotWidget::setYRange(PlotRange range)
{
    y_ = range;
    checkSides();
    update();
}

void PlotWidget::setDecimalSeparator(char separator)
{
    separator_ = separator;
    checkSides();
    update();
}

int PlotWidget::plotTop() const
{
    // Room for the upper half of the highest angle label.
    return kPad + QFontMetrics(font()).height() / 2 + 2;
}

int PlotWidget::plotHeight() const
{
    const int bottom =
        kTick + QFontMetrics(font()).height() + kGap + QFontMetrics(titleFont(*this)).height() + kPad;
    return std::max(2, height() - plotTop() - bottom);
}

QRect PlotWidget::plotArea() const
{
    const int left = left_ > 0 ? left_ : neededLeft();
    const int right = right_ > 0 ? right_ : neededRight();
    return QRect(left, plotTop(), std::max(2, width() - left - right), plotHeight());
}

QPointF PlotWidget::toPixel(QPointF value) const
{
    return mapToPixel(value, plotArea(), x_, y_);
}

QPointF PlotWidget::toValue(QPointF pixel) const
{
    return mapToValue(pixel, plotArea(), x_, y_);
}

AxisTicks PlotWidget::xTicks() const
{
    // Room for the widest label of the range and as much again between two.
    const AxisTicks whole = roundTicks(fullX_.low, fullX_.high, 10);
    const int labelWidth =
        QFontMetrics(font()).horizontalAdvance(label(std::fmax(std::fabs(fullX_.low),
                                                               std::fabs(fullX_.high)),
                                                     whole));
    return roundTicks(x_.low, x_.high, plotArea().width() / std::max(1, 2 * labelWidth));
}

AxisTicks PlotWidget::yTicks() const
{
    return roundTicks(y_.low, y_.high, plotHeight() / (2 * QFontMetrics(font()).height()));
}

QString PlotWidget::label(double value, const AxisTicks& ticks) const
{
    return toQt(tickLabel(value, ticks, separator_));
}

int PlotWidget::neededLeft() const
{
    const QFontMetrics metrics(font());
    const AxisTicks ticks = yTicks();
    int widest = 0;
    for (double v : ticks.values)
        widest = std::max(widest, metrics.horizontalAdvance(label(v, ticks)));
    return kPad + QFontMetrics(titleFont(*this)).height() + kGap + widest + kGap + kTick;
}

int PlotWidget::neededRight() const
{
    // The last speed label stands half beside the plot.
    const QFontMetrics metrics(font());
    const AxisTicks whole = roundTicks(fullX_.low, fullX_.high, 10);
    const int halfLabel = metrics.horizontalAdvance(label(fullX_.high, whole)) / 2 + kGap;
    int widest = 0;
    for (const Legend& entry : legend())
        widest = std::max(widest, metrics.horizontalAdvance(entry.name));
    if (widest == 0)
        return halfLabel + kPad;
    return std::max(halfLabel, 3 * kPad) + kSampleWidth + kSampleGap + widest + 2 * kPad;
}

void PlotWidget::setSideWidths(int left, int right)
{
    if (left == left_ && right == right_)
        return;
    left_ = left;
    right_ = right;
    update();
}

void PlotWidget::checkSides()
{
    const int left = neededLeft();
    const int right = neededRight();
    if (left == toldLeft_ && right == toldRight_)
        return;
    toldLeft_ = left;
    toldRight_ = right;
    emit sidesChanged();
}

std::vector<PlotWidget::Legend> PlotWidget::legend() const
{
    std::vector<Legend> entries;
    for (const PlotLine& line : lines_)
        if (!line.name.isEmpty())
            entries.push_back({line.name, line.colour, line.style});
    for (const PlotMark& mark : marks_)
        if (!mark.name.isEmpty())
            entries.push_back({mark.name, mark.colour, mark.style});
    return entries;
}

void PlotWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    checkSides();
}

void PlotWidget::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0 || !(fullX_.high > fullX_.low)) {
        event->ignore();
        return;
    }
    // The speed under the pointer stays where it is.
    const double at = std::clamp(toValue(event->position()).x(), x_.low, x_.high);
    const double factor = std::pow(kZoomPerNotch, delta / 120.0);
    double low = at - (at - x_.low) * factor;
    double high = at + (x_.high - at) * factor;
    // Zooming out beside one end of the range, what would pass that end is
    // shown at the other, so the whole range always comes back.
    if (low < fullX_.low) {
        high += fullX_.low - low;
        low = fullX_.low;
    }
    if (high > fullX_.high) {
        low -= high - fullX_.high;
        high = fullX_.high;
    }
    setXRange({low, high});
    event->accept();
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (plotArea().contains(event->position().toPoint())) {
        const QPointF value = toValue(event->position());
        emit pointed(value.x(), value.y());
    }
    QWidget::mouseMoveEvent(event);
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWindowColour);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    const QRect area = plotArea();
    if (!(x_.high > x_.low) || !(y_.high > y_.low))
        return;
    drawAxes(painter, area);
    drawLines(painter, area);
    drawLegend(painter, area);
}

void PlotWidget::drawAxes(QPainter& painter, const QRect& area) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics metrics(font());
    const AxisTicks xs = xTicks();
    const AxisTicks ys = yTicks();
    for (double v : xs.values) {
        const int x = int(std::lround(mapToPixel({v, 0}, area, x_, y_).x()));
        painter.setPen(kGridColour);
        painter.drawLine(x, area.top(), x, area.bottom());
        painter.setPen(kAxisColour);
        painter.drawLine(x, area.bottom() + 1, x, area.bottom() + kTick);
        const QString text = label(v, xs);
        const int w = metrics.horizontalAdvance(text);
        painter.setPen(Qt::black);
        painter.drawText(x - w / 2, area.bottom() + kTick + metrics.ascent() + 1, text);
    }
    for (double v : ys.values) {
        const int y = int(std::lround(mapToPixel({0, v}, area, x_, y_).y()));
        painter.setPen(kGridColour);
        painter.drawLine(area.left(), y, area.right(), y);
        painter.setPen(kAxisColour);
        painter.drawLine(area.left() - kTick, y, area.left() - 1, y);
        const QString text = label(v, ys);
        const int w = metrics.horizontalAdvance(text);
        painter.setPen(Qt::black);
        painter.drawText(area.left() - kTick - kGap - w, y + metrics.ascent() / 2 - 1, text);
    }
    painter.setPen(kAxisColour);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());

    const QFont bold = titleFont(*this);
    const QFontMetrics titleMetrics(bold);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), height() - kPad - titleMetrics.height(), area.width(),
                           titleMetrics.height()),
                     Qt::AlignCenter, xTitle_);
    painter.translate(kPad, area.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-area.height() / 2, 0, area.height(), titleMetrics.height()),
                     Qt::AlignCenter, yTitle_);
    painter.restore();
}

void PlotWidget::drawLines(QPainter& painter, const QRect& area) const
{
    painter.save();
    // A line along the edge of the plot keeps its whole width.
    painter.setClipRect(area.adjusted(-1, -1, 2, 2));
    painter.setBrush(Qt::NoBrush);
    const auto penFor = [](const QColor& colour, Qt::PenStyle style) {
        QPen pen(colour, kLineWidth, style);
        pen.setCosmetic(true);
        return pen;
    };
    const auto visible = [this](double x1, double x2) {
        return std::fmin(x1, x2) <= x_.high && std::fmax(x1, x2) >= x_.low;
    };
    for (const PlotLine& line : lines_) {
        painter.setPen(penFor(line.colour, line.style));
        // One polyline for each stretch of defined points in view, so a
        // dashed pattern runs on along the line and a long saw-tooth costs
        // one call instead of one per tooth.
        QPolygonF piece;
        const auto flush = [&] {
            if (piece.size() == 1)
                painter.drawPoint(piece.front());
            else if (piece.size() > 1)
                painter.drawPolyline(piece);
            piece.clear();
        };
        const std::vector<QPointF>& points = line.points;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const QPointF& p = points[i];
            if (!std::isfinite(p.x()) || !std::isfinite(p.y())) {
                flush();
                continue;
            }
            const bool nextInView = i + 1 < points.size() && std::isfinite(points[i + 1].x()) &&
                std::isfinite(points[i + 1].y()) && visible(p.x(), points[i + 1].x());
            if (!piece.isEmpty() || nextInView || visible(p.x(), p.x()))
                piece.append(mapToPixel(p, area, x_, y_));
            if (!nextInView)
                flush();
        }
        flush();
    }
    for (const PlotMark& mark : marks_) {
        painter.setPen(penFor(mark.colour, mark.style));
        if (mark.orientation == Qt::Vertical) {
            if (!visible(mark.at, mark.at))
                continue;
            const double x = mapToPixel({mark.at, 0}, area, x_, y_).x();
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        } else {
            const double y = mapToPixel({0, mark.at}, area, x_, y_).y();
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        }
    }
    painter.restore();
}

void PlotWidget::drawLegend(QPainter& painter, const QRect& area) const
{
    const std::vector<Legend> entries = legend();
    if (entries.empty())
        return;
    const QFontMetrics metrics(font());
    const int rowHeight = metrics.height() + 4;
    // At the panel's right edge; the sides leave it room beside the plot.
    int widest = 0;
    for (const Legend& entry : entries)
        widest = std::max(widest, metrics.horizontalAdvance(entry.name));
    const int left = width() - 2 * kPad - widest - kSampleGap - kSampleWidth;
    int y = area.center().y() - int(entries.size()) * rowHeight / 2;
    painter.save();
    for (const Legend& entry : entries) {
        QPen pen(entry.colour, 2, entry.style);
        pen.setCosmetic(true);
        painter.setPen(pen);
        const double mid = y + rowHeight / 2.0;
        painter.drawLine(QPointF(left, mid), QPointF(left + kSampleWidth, mid));
        painter.setPen(Qt::black);
        painter.drawText(left + kSampleWidth + kSampleGap,
                         int(mid) + (metrics.ascent() - metrics.descent()) / 2, entry.name);
        y += rowHeight;
    }
    painter.restore();
}

}  // namespace ign::ui
