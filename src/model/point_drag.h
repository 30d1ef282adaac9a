// Dragging a point in the points editor: the point a press on its marker
// holds, and the angle the pointer's row gives it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/curves.h"

namespace ign {

// The editor's own copy of the curve points, [characteristic][point]; points
// 1..10 and kTopPoint are drawn. Index 14 is where a press on the top marker
// points before the first move.
using EditorPoints = std::array<std::array<float, 15>, 2>;

// The points as the fields give them, and back as the fields show them.
EditorPoints editorPoints(const Inputs& in);
void storeEditorPoints(const EditorPoints& points, Inputs& in);
PointAngles pointAngles(const EditorPoints& points);

// The name of a step that moved a point, by mouse or keys, as the menu shows
// it after "Отменить: ".
inline constexpr const char* kPointMoveStep = "Перемещение точки";

// One point of one characteristic, 1..kTopPoint.
struct PointRef {
    int characteristic = 0;
    int point = 1;
    friend bool operator==(const PointRef&, const PointRef&) = default;
};

// The point Tab (forward) or Shift+Tab selects after `from`: characteristic
// 1's points in turn, then characteristic 2's, round again; the first or last
// one when nothing is selected.
PointRef nextPoint(const std::optional<PointRef>& from, bool forward);

// An angle moved by `tenths` tenths of a degree, with one fraction digit, as
// the reading box shows it.
float steppedAngle(float angle, int tenths);

class PointDrag {
public:
    // A press on the marker of `point`; a second press on the other
    // characteristic's marker of the same point holds both.
    void grab(const PointRef& point);
    void release() { active_ = {false, false}; }
    bool active(int characteristic) const
    {
        return active_[static_cast<std::size_t>(characteristic)];
    }
    // 1..10 for the points at 1000..10000 rpm; the top marker at 14000 rpm
    // is picked as 14 and becomes kTopPoint on the first move.
    int pointIndex() const { return index_; }
    // The point a press picked, the top one already as kTopPoint.
    int heldPoint() const { return index_ == 14 ? kTopPoint : index_; }

    // The held points take the angle of editor row y with one fraction digit,
    // as the reading box shows it, also beyond the graph's edges. False when
    // nothing is held.
    bool moveTo(int y, EditorPoints& points);

private:
    std::array<bool, 2> active_{};
    std::uint8_t index_ = 0;
};

}  // namespace ign
