// The grid and the scale strips of a graph, drawn as its scale gives them.
#pragma once

#include "model/geometry.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {

void drawGridLines(RasterSurface::Canvas& canvas, const GraphScale& scale);
// Drawn over what the strips show: the labels land on the same pixels every
// time.
void drawScaleLabels(RasterSurface& speedStrip, RasterSurface& angleStrip, const GraphScale& scale);

}  // namespace ign::ui
