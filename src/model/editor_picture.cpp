#include "model/editor_picture.h"

namespace ign {

std::vector<EditorItem> editorPicture(const EditorPoints& points,
                                      const std::optional<PointRef>& selected)
{
    const GraphScale& scale = kEditorGraphScale;
    const std::vector<Segment> curves = pointCurves(pointAngles(points), scale);
    std::vector<EditorItem> out;
    out.reserve(curves.size() + 2 * kTopPoint);
    const auto marker = [&](int ch, int point) {
        const float angle = points[static_cast<std::size_t>(ch)][static_cast<std::size_t>(point)];
        const std::optional<PixelBox> box = markerBox(scale, point, angle);
        if (!box)
            return;
        EditorItem item;
        item.kind = EditorItem::Kind::Marker;
        item.stroke.colour = computedColour(ch);
        item.point = {ch, point};
        item.box = *box;
        item.filled = selected == item.point;
        out.push_back(item);
    };
    // Segments alternate characteristic 1 and 2 from point 1 on; the last
    // two run from point 10 to the top point.
    for (std::size_t k = 0; k < curves.size(); ++k) {
        const int ch = static_cast<int>(k % 2);
        out.push_back({EditorItem::Kind::Stroke, curves[k], {}, {}, false});
        if (k + 2 >= curves.size())
            marker(ch, kTopPoint);
        marker(ch, static_cast<int>(k / 2) + 1);
    }
    return out;
}

std::optional<PointRef> markerAt(const std::vector<EditorItem>& picture, int x, int y)
{
    for (auto it = picture.rbegin(); it != picture.rend(); ++it) {
        if (it->kind != EditorItem::Kind::Marker)
            continue;
        if (it->box.onEdge(x, y) || (it->filled && it->box.contains(x, y)))
            return it->point;
    }
    return std::nullopt;
}

}  // namespace ign
