#include "ui/graphs/main_graph.h"

#include "ui/graphs/raster_surface.h"

namespace ign::ui {

MainGraph::MainGraph(RasterSurface& picture1, RasterSurface& picture2, RasterSurface& picture3)
    : picture1_(picture1), picture2_(picture2), picture3_(picture3)
{ }

void MainGraph::drawGrid()
{
    {
        // Drawn over 500 x 500 although only 441 x 201 pixels show.
        RasterSurface::Canvas c(picture1_);
        for (int v = 0; v <= 500; v += 20) {
            c.line(0, v, 500, v, kBlack);
            c.line(v, 0, v, 500, kBlack);
        }
    }
    {
        RasterSurface::Canvas c(picture2_);
        for (int k = 1; k <= 10; ++k)
            c.text(40 * k - 6, 3, QStringLiteral(" %1").arg(1000 * k));
        c.text(0, 3, QStringLiteral(" 0"));
    }
    {
        RasterSurface::Canvas c(picture3_);
        for (int k = 1; k <= 5; ++k)
            c.text(3, 200 - 40 * k, QStringLiteral(" %1").arg(10 * k));
    }
}

void MainGraph::clear()
{
    RasterSurface::Canvas(picture1_).clear();
}

void MainGraph::stroke(const std::vector<Segment>& segments)
{
    RasterSurface::Canvas c(picture1_);
    for (const Segment& s : segments)
        c.stroke(s);
}

void MainGraph::redraw(const std::vector<Segment>& segments)
{
    clear();
    drawGrid();
    stroke(segments);
}

}  // namespace ign::ui
