#include "ui/graphs/editor_graph.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/curves.h"
#include "model/editor_picture.h"
#include "ui/graphs/graph_grid.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {
namespace {

int pointX(int point)
{
    return kEditorGraphScale.pointColumn(point);
}

}  // namespace

EditorGraph::EditorGraph(RasterSurface& picture4, RasterSurface& picture5, RasterSurface& picture6)
    : picture4_(picture4), picture5_(picture5), picture6_(picture6)
{ }

void EditorGraph::drawGrid()
{
    {
        RasterSurface::Canvas c(picture4_);
        drawGridLines(c, kEditorGraphScale);
    }
    drawScaleLabels(picture6_, picture5_, kEditorGraphScale);
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
            drawGridLines(c, kEditorGraphScale);
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
    c.blit(gridPicture());
    // The whole picture's drawing order, skipping what lies outside the
    // columns.
    const auto within = [&](double x1, double x2) { return x2 >= left && x1 <= right; };
    for (const EditorItem& item : editorPicture(points, selected_)) {
        if (item.kind == EditorItem::Kind::Stroke) {
            if (within(item.stroke.x1, item.stroke.x2))
                c.stroke(item.stroke);
            continue;
        }
        const PixelBox& b = item.box;
        if (!within(b.left, b.right))
            continue;
        if (item.filled)
            c.filledBox(b.left, b.top, b.right, b.bottom, item.stroke.colour);
        c.box(b.left, b.top, b.right, b.bottom, item.stroke.colour);
    }
}

}  // namespace ign::ui
