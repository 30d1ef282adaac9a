#include "ui/graphs/raster_surface.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <cstring>
#include <utility>

#include "ui/graphs/rgb_colour.h"

namespace ign::ui {
namespace {

// Cuts the segment to a rectangle a little larger than the surface (Liang and
// Barsky); false when nothing of it lies there.
bool clipToMargin(double& x1, double& y1, double& x2, double& y2, QSize size)
{
    constexpr double kMargin = 8;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    const auto edge = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!(edge(-dx, x1 + kMargin) && edge(dx, size.width() + kMargin - x1) &&
          edge(-dy, y1 + kMargin) && edge(dy, size.height() + kMargin - y1)))
        return false;
    const double sx = x1;
    const double sy = y1;
    x1 = sx + t0 * dx;
    y1 = sy + t0 * dy;
    x2 = sx + t1 * dx;
    y2 = sy + t1 * dy;
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

int toPixel(double v)
{
    return static_cast<int>(std::floor(v + 0.5));
}

}  // namespace

RasterSurface::RasterSurface(QSize outerSize, bool sunkenBorder, QWidget* parent)
    : QWidget(parent), sunkenBorder_(sunkenBorder)
{
    const int inset = 2 * border();
    image_ = QImage(outerSize.width() - inset, outerSize.height() - inset, QImage::Format_RGB32);
    image_.fill(background_);
    setFixedSize(outerSize);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    labelFont_.setStyleStrategy(QFont::NoAntialias);
}

void RasterSurface::setBackground(QColor colour)
{
    background_ = colour;
    update();
}

Rgb RasterSurface::pixel(int x, int y) const
{
    const QColor c = image_.valid(x, y) ? QColor(image_.pixel(x, y)) : background_;
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}

void RasterSurface::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const int b = border();
    const QRect picture(b, b, image_.width(), image_.height());
    // Most repaints lie inside the picture: a drag repaints around a point.
    if (b > 0 && !picture.contains(event->rect())) {
        // The sunken frame of a picture box: dark above and left, light below
        // and right, two pixels deep.
        const int w = width() - 1;
        const int h = height() - 1;
        p.setPen(QColor(128, 128, 128));
        p.drawLine(0, 0, w, 0);
        p.drawLine(0, 0, 0, h);
        p.setPen(QColor(255, 255, 255));
        p.drawLine(0, h, w, h);
        p.drawLine(w, 0, w, h);
        p.setPen(QColor(64, 64, 64));
        p.drawLine(1, 1, w - 1, 1);
        p.drawLine(1, 1, 1, h - 1);
        p.setPen(QColor(224, 224, 224));
        p.drawLine(1, h - 1, w - 1, h - 1);
        p.drawLine(w - 1, 1, w - 1, h - 1);
    }
    // A child box over the picture leaves a paint region of several
    // rectangles; drawn through such a region an image is blended span by
    // span, several times slower than copied one rectangle at a time.
    for (const QRect& r : event->region()) {
        const QRect part = r & picture;
        if (part.isEmpty())
            continue;
        p.setClipRect(part);
        p.drawImage(part.topLeft(), image_, part.translated(-b, -b));
    }
}

QPoint RasterSurface::toDrawingArea(QPointF widgetPos) const
{
    const QPoint p = widgetPos.toPoint();
    return {p.x() - border(), p.y() - border()};
}

void RasterSurface::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->button(), event->buttons(), toDrawingArea(event->position()));
}

void RasterSurface::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->buttons(), toDrawingArea(event->position()));
}

void RasterSurface::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->button(), event->buttons(), toDrawingArea(event->position()));
}

void RasterSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked(toDrawingArea(event->position()));
}

void RasterSurface::takeKeys()
{
    takesKeys_ = true;
    setFocusPolicy(Qt::StrongFocus);
}

void RasterSurface::keyPressEvent(QKeyEvent* event)
{
    if (!takesKeys_) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit keyPressed(event->key(), event->modifiers());
}

bool RasterSurface::focusNextPrevChild(bool next)
{
    // False hands Tab on to keyPressEvent instead of moving the focus.
    return takesKeys_ ? false : QWidget::focusNextPrevChild(next);
}

RasterSurface::Canvas::Canvas(RasterSurface& surface) : Canvas(surface, surface.image_.rect()) { }

RasterSurface::Canvas::Canvas(RasterSurface& surface, const QRect& area)
    : surface_(surface), painter_(&surface.image_), area_(area & surface.image_.rect())
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setClipRect(area_);
    painter_.setFont(surface.labelFont_);
}

RasterSurface::Canvas::~Canvas()
{
    painter_.end();
    const int b = surface_.border();
    surface_.update(area_.translated(b, b));
}

void RasterSurface::Canvas::clear()
{
    painter_.fillRect(surface_.image_.rect(), surface_.background_);
}

void RasterSurface::Canvas::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    if (!clipToMargin(x1, y1, x2, y2, surface_.image_.size()))
        return;
    const QPoint from(toPixel(x1), toPixel(y1));
    const QPoint to(toPixel(x2), toPixel(y2));
    // A line lights no pixel beyond its end points; one that cannot reach
    // the area drawn in costs the painter nothing. A pixel of room covers
    // the pen's caps.
    const QRect reach = QRect(from, to).normalized().adjusted(-1, -1, 1, 1);
    if (!reach.intersects(area_))
        return;
    usePen(colour);
    painter_.drawLine(from, to);
}

void RasterSurface::Canvas::usePen(Rgb colour)
{
    if (pen_ == colour)
        return;
    painter_.setPen(QPen(toQColor(colour), 0));
    pen_ = colour;
}

void RasterSurface::Canvas::stroke(const Segment& s)
{
    line(s.x1, s.y1, s.x2, s.y2, s.colour);
    line(s.x1, s.y1 - 1, s.x2, s.y2 - 1, s.colour);
}

void RasterSurface::Canvas::box(int x1, int y1, int x2, int y2, Rgb colour)
{
    usePen(colour);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                            QSize(std::abs(x2 - x1), std::abs(y2 - y1))));
}

void RasterSurface::Canvas::filledBox(int x1, int y1, int x2, int y2, Rgb colour)
{
    painter_.fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                            QPoint(std::max(x1, x2), std::max(y1, y2))),
                      toQColor(colour));
}

void RasterSurface::Canvas::text(int x, int y, const QString& text)
{
    painter_.setPen(Qt::black);
    pen_.reset();
    painter_.drawText(x, y + painter_.fontMetrics().ascent(), text);
}

void RasterSurface::Canvas::blit(const QImage& image)
{
    // The painter draws straight into the image's pixels, so a picture of the
    // same size and format is copied row by row, at a fraction of the cost of
    // drawing it.
    QImage& target = surface_.image_;
    if (image.format() == target.format() && image.size() == target.size() &&
        target.depth() == 32 && !area_.isEmpty()) {
        const auto bytes = static_cast<std::size_t>(area_.width()) * 4;
        const auto left = static_cast<std::size_t>(area_.left()) * 4;
        for (int y = area_.top(); y <= area_.bottom(); ++y)
            std::memcpy(target.scanLine(y) + left, image.constScanLine(y) + left, bytes);
        return;
    }
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.drawImage(area_.topLeft(), image, area_);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace ign::ui
