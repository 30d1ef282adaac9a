#include "ui/graphs/editor_graph.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/curves.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {
namespace {

void drawGridLines(RasterSurface::Canvas& c)
{
    for (int y = 0; y <= 500; y += 25)
        c.line(0, y, 1000, y, kBlack);
    for (int x = 0; x <= 750; x += 25)
        c.line(x, 0, x, 500, kBlack);
}

constexpr int kMarkerHalf = 3;

// The column of editor point i: every 1000 rpm up to 10000, then 14000 rpm.
int pointX(int i)
{
    return static_cast<int>(kEditorGraphScale.x(i == kTopPoint ? 14000.0 : 1000.0 * i));
}

void marker(RasterSurface::Canvas& c, double x, double y, Rgb colour, bool filled)
{
    // A marker far off the graph must not overflow the pixel grid; it is
    // invisible anyway.
    if (!(y > -1e6 && y < 1e6))
        return;
    const int px = static_cast<int>(x);
    const int py = static_cast<int>(std::floor(y + 0.5));
    if (filled)
        c.filledBox(px - kMarkerHalf, py - kMarkerHalf, px + kMarkerHalf, py + kMarkerHalf, colour);
    c.box(px - kMarkerHalf, py - kMarkerHalf, px + kMarkerHalf, py + kMarkerHalf, colour);
}

}  // namespace

EditorGraph::EditorGraph(RasterSurface& picture4, RasterSurface& picture5, RasterSurface& picture6)
    : picture4_(picture4), picture5_(picture5), picture6_(picture6)
{ }

void EditorGraph::drawGrid()
{
    {
        RasterSurface::Canvas c(picture4_);
        drawGridLines(c);
    }
    {
        RasterSurface::Canvas c(picture6_);
        for (int k = 1; k <= 14; ++k)
            c.text(50 * k - 14, 3, QStringLiteral(" %1").arg(1000 * k));
    }
    {
        RasterSurface::Canvas c(picture5_);
        for (int k = 0; k <= 10; ++k)
            c.text(3, 500 - 50 * k, QStringLiteral(" %1").arg(5 * k));
    }
}

const QImage& EditorGraph::gridPicture()
{
    const QRgb background = picture4_.background().rgb();
    if (gridPicture_.isNull() || gridPicture_.pixel(1, 1) != background) {
        RasterSurface scratch(picture4_.drawingSize(), false);
        scratch.setBackground(picture4_.background());
        {
            RasterSurface::Canvas c(scratch);
            c.clear();
            drawGridLines(c);
        }
        gridPicture_ = scratch.image();
    }
    return gridPicture_;
}

void EditorGraph::drawCurves(const EditorPoints& points)
{
    RasterSurface::Canvas c(picture4_);
    drawColumns(c, points, 0, picture4_.drawingSize().width() - 1);
}

void EditorGraph::redrawAroundPoint(const EditorPoints& before, const EditorPoints& points,
                                    int point)
{
    // Only the angle of a point moves, so all that changes lies between its
    // neighbours' x, or within its marker at the ends of the curve, and
    // between the highest and the lowest of the moved point, old and new,
    // and its neighbours, with the marker's and the stroke's reach.
    const int x = pointX(point);
    const int left = point > 1 ? pointX(point - 1) : x - kMarkerHalf;
    const int right = point < kTopPoint ? pointX(point + 1) : x + kMarkerHalf;
    const auto at = [&](const EditorPoints& p, std::size_t ch, int j) {
        return kEditorGraphScale.y(p[ch][static_cast<std::size_t>(j)]);
    };
    double top = std::numeric_limits<double>::infinity();
    double bottom = -top;
    for (std::size_t ch = 0; ch < 2; ++ch) {
        if (before[ch][static_cast<std::size_t>(point)] ==
            points[ch][static_cast<std::size_t>(point)])
            continue;
        for (int j = std::max(point - 1, 1); j <= std::min(point + 1, kTopPoint); ++j) {
            for (const EditorPoints* p : {&before, &points}) {
                top = std::min(top, at(*p, ch, j));
                bottom = std::max(bottom, at(*p, ch, j));
            }
        }
    }
    const int lastRow = picture4_.drawingSize().height() - 1;
    constexpr int kReach = kMarkerHalf + 2;
    const double upper = std::clamp(std::floor(top) - kReach, 0.0, double(lastRow) + 1);
    const double lower = std::clamp(std::ceil(bottom) + kReach, -1.0, double(lastRow));
    if (upper > lower)
        return;
    RasterSurface::Canvas c(picture4_, QRect(QPoint(left, int(upper)), QPoint(right, int(lower))));
    drawColumns(c, points, left, right);
}

void EditorGraph::drawColumns(RasterSurface::Canvas& c, const EditorPoints& points, int left,
                              int right)
{
    const std::vector<Segment> curves = pointCurves(pointAngles(points), kEditorGraphScale);
    c.blit(gridPicture());
    // The whole picture's drawing order, skipping what lies outside the
    // columns: each later item covers the earlier where they cross. A point's
    // marker goes on after the segment leaving it, so no curve covers a
    // marker; the last two segments end at the top points, which get their
    // markers first.
    const auto within = [&](double x1, double x2) { return x2 >= left && x1 <= right; };
    const auto markerAt = [&](int ch, int point, double y) {
        const int x = pointX(point);
        if (within(x - kMarkerHalf, x + kMarkerHalf))
            marker(c, x, y, computedColour(ch), selected_ == PointRef{ch, point});
    };
    for (std::size_t k = 0; k < curves.size(); ++k) {
        const Segment& s = curves[k];
        const int ch = static_cast<int>(k % 2);
        // Segments run from point k / 2 + 1 on; the last two to the top point.
        const int from = static_cast<int>(k / 2) + 1;
        if (within(s.x1, s.x2))
            c.stroke(s);
        if (k + 2 >= curves.size())
            markerAt(ch, kTopPoint, s.y2);
        markerAt(ch, from, s.y1);
    }
}

}  // namespace ign::ui
