#include "ui/graphs/graph_grid.h"

#include "model/curves.h"

namespace ign::ui {
namespace {

void drawLabels(RasterSurface& strip, const std::vector<ScaleLabel>& labels)
{
    RasterSurface::Canvas c(strip);
    for (const ScaleLabel& label : labels)
        c.text(label.x, label.y, QString::fromStdString(label.text));
}

}  // namespace

void drawGridLines(RasterSurface::Canvas& canvas, const GraphScale& scale)
{
    for (const Segment& line : gridLines(scale))
        canvas.line(line.x1, line.y1, line.x2, line.y2, line.colour);
}

void drawScaleLabels(RasterSurface& speedStrip, RasterSurface& angleStrip, const GraphScale& scale)
{
    drawLabels(speedStrip, speedLabels(scale));
    drawLabels(angleStrip, angleLabels(scale));
}

}  // namespace ign::ui
