// What the points editor graph shows, in the order it is drawn, and which
// marker a press picks. A press picks by the markers' boxes as the picture
// lays them one over the other, not by the colour of what it hit.
#pragma once

#include <optional>
#include <vector>

#include "model/curves.h"
#include "model/geometry.h"
#include "model/point_drag.h"

namespace ign {

// A curve stroke, or the marker of a point.
struct EditorItem {
    enum class Kind { Stroke, Marker };
    Kind kind = Kind::Stroke;
    Segment stroke;  // a stroke's line, and a marker's colour
    PointRef point;  // a marker's point
    PixelBox box;  // a marker's box
    bool filled = false;  // the marker of the point the keyboard works on
};

// Each item covers the earlier ones where they cross. A point's marker goes on
// after the stroke leaving it, so no curve covers a marker; the last two
// strokes end at the top points, which get their markers first. A marker too
// far off the graph for any pixel is left out.
std::vector<EditorItem> editorPicture(const EditorPoints& points,
                                      const std::optional<PointRef>& selected);

// The point whose marker lies on top at (x, y): its edge is under the pointer,
// or its box where it is filled. Inside a hollow marker the press reaches
// what lies under it; nothing when it reaches no marker.
std::optional<PointRef> markerAt(const std::vector<EditorItem>& picture, int x, int y);

}  // namespace ign
