// The main graph of both characteristics with its two scale strips.
#pragma once

#include <vector>

#include "model/curves.h"

namespace ign::ui {

class RasterSurface;

class MainGraph {
public:
    MainGraph(RasterSurface& picture1, RasterSurface& picture2, RasterSurface& picture3);

    // Draws over what is there: a line every 500 rpm and every 5 degrees, and
    // the scale labels, which land on the same pixels every time.
    void drawGrid();
    void clear();
    // Strokes segments over what is there (the computed tables).
    void stroke(const std::vector<Segment>& segments);
    // One complete picture: clear, grid, curves.
    void redraw(const std::vector<Segment>& segments);

private:
    RasterSurface& picture1_;
    RasterSurface& picture2_;
    RasterSurface& picture3_;
};

}  // namespace ign::ui
