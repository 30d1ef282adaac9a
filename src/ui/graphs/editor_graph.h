// The points editor graph with its two scale strips. It runs on every pointer
// move of a drag, so the grid is drawn once into a cached picture that each
// redraw starts from.
#pragma once

#include <array>

#include <QImage>

namespace ign::ui {

class RasterSurface;

// Angles of the editor points, [characteristic][point]; points 1..10 stand at
// 1000..10000 rpm and point 11 at 14000 rpm, the others are not drawn.
using EditorPoints = std::array<std::array<float, 15>, 2>;

class EditorGraph {
public:
    EditorGraph(RasterSurface& picture4, RasterSurface& picture5, RasterSurface& picture6);

    // Grid lines every 500 rpm and 2.5 degrees over what is there, and the
    // scale labels.
    void drawGrid();
    // One complete picture: background, grid, both curves and their markers.
    void drawCurves(const EditorPoints& points);

private:
    const QImage& gridPicture();

    RasterSurface& picture4_;
    RasterSurface& picture5_;
    RasterSurface& picture6_;
    QImage gridPicture_;
};

}  // namespace ign::ui
