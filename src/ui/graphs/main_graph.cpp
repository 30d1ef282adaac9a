#include "ui/graphs/main_graph.h"

#include "ui/graphs/graph_grid.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {

MainGraph::MainGraph(RasterSurface& picture1, RasterSurface& picture2, RasterSurface& picture3)
    : picture1_(picture1), picture2_(picture2), picture3_(picture3)
{ }

void MainGraph::drawGrid()
{
    {
        RasterSurface::Canvas c(picture1_);
        drawGridLines(c, kMainGraphScale);
    }
    drawScaleLabels(picture2_, picture3_, kMainGraphScale);
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
