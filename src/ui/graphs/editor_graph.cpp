#include "ui/graphs/editor_graph.h"

#include <cmath>

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

void marker(RasterSurface::Canvas& c, double x, double y, Rgb colour)
{
    // A marker far off the graph must not overflow the pixel grid; it is
    // invisible anyway.
    if (!(y > -1e6 && y < 1e6))
        return;
    const int px = static_cast<int>(x);
    const int py = static_cast<int>(std::floor(y + 0.5));
    c.box(px - 3, py - 3, px + 3, py + 3, colour);
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
    const QImage& grid = gridPicture();
    RasterSurface::Canvas c(picture4_);
    c.blit(grid);
    const auto y = [&](int ch, int i) {
        return editorY(points[static_cast<std::size_t>(ch)][static_cast<std::size_t>(i)]);
    };
    for (int i = 1; i <= 9; ++i) {
        for (int ch = 0; ch < 2; ++ch) {
            c.stroke({50.0 * i, y(ch, i), 50.0 * (i + 1), y(ch, i + 1), wantedColour(ch)});
            marker(c, 50.0 * i, y(ch, i), computedColour(ch));
        }
    }
    for (int ch = 0; ch < 2; ++ch) {
        c.stroke({500, y(ch, 10), 700, y(ch, 11), wantedColour(ch)});
        marker(c, 700, y(ch, 11), computedColour(ch));
        marker(c, 500, y(ch, 10), computedColour(ch));
    }
}

}  // namespace ign::ui
