// The points editor graph with its two scale strips. It runs on every pointer
// move of a drag, so the grid is drawn once into a cached picture that each
// redraw starts from.
#pragma once

#include <optional>

#include <QImage>

#include "model/point_drag.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {

class RasterSurface;

class EditorGraph {
public:
    EditorGraph(RasterSurface& picture4, RasterSurface& picture5, RasterSurface& picture6);

    // Grid lines every 500 rpm and 2.5 degrees over what is there, and the
    // scale labels.
    void drawGrid();
    // One complete picture: background, grid, both curves and their markers.
    void drawCurves(const EditorPoints& points);
    // The same picture after editor point `point` (1..11) moved from where
    // `before` has it, drawn and repainted only where it can differ.
    void redrawAroundPoint(const EditorPoints& before, const EditorPoints& points, int point);
    // The point the keyboard works on: its marker is drawn filled, in the
    // marker's own colour, so the colours the mouse reads stay the same.
    // Takes effect at the next drawing.
    void select(const std::optional<PointRef>& point) { selected_ = point; }

private:
    const QImage& gridPicture();
    // The complete picture's drawing, inside columns left..right only.
    void drawColumns(RasterSurface::Canvas& c, const EditorPoints& points, int left, int right);

    RasterSurface& picture4_;
    RasterSurface& picture5_;
    RasterSurface& picture6_;
    QImage gridPicture_;
    std::optional<PointRef> selected_;
};

}  // namespace ign::ui
