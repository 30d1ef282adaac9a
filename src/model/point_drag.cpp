#include "model/point_drag.h"

#include "model/numbers.h"

namespace ign {

EditorPoints editorPoints(const Inputs& in)
{
    const PointAngles angles = pointAngles(in);
    EditorPoints points{};
    for (std::size_t ch = 0; ch < 2; ++ch)
        for (std::size_t j = 1; j <= kTopPoint; ++j)
            points[ch][j] = static_cast<float>(angles[ch][j]);
    return points;
}

void storeEditorPoints(const EditorPoints& points, Inputs& in)
{
    for (int ch = 0; ch < 2; ++ch)
        for (int j = 1; j <= kTopPoint; ++j)
            in.text6[static_cast<std::size_t>(pointField(ch, j))] =
                formatShort(points[static_cast<std::size_t>(ch)][static_cast<std::size_t>(j)]);
}

PointAngles pointAngles(const EditorPoints& points)
{
    PointAngles angles{};
    for (std::size_t ch = 0; ch < 2; ++ch)
        for (std::size_t j = 1; j <= kTopPoint; ++j)
            angles[ch][j] = points[ch][j];
    return angles;
}

PointRef nextPoint(const std::optional<PointRef>& from, bool forward)
{
    constexpr int kCount = 2 * kTopPoint;
    int k = from ? from->characteristic * kTopPoint + from->point - 1 : (forward ? -1 : kCount);
    k = (k + (forward ? 1 : -1) + kCount) % kCount;
    return {k / kTopPoint, k % kTopPoint + 1};
}

float steppedAngle(float angle, int tenths)
{
    return static_cast<float>(roundHalfAway(double(angle) * 10 + tenths) / 10);
}

void PointDrag::grab(const PointRef& point)
{
    // The top point has always been held as 14 until the first move, the
    // column its marker's right edge gives at 50 pixels a point.
    index_ = static_cast<std::uint8_t>(point.point == kTopPoint ? 14 : point.point);
    active_[static_cast<std::size_t>(point.characteristic)] = true;
}

bool PointDrag::moveTo(int y, EditorPoints& points)
{
    if (!active_[0] && !active_[1])
        return false;
    if (index_ == 14)
        index_ = kTopPoint;
    const double angle = roundHalfAway(kEditorGraphScale.angleDeg(y) * 10) / 10;
    for (std::size_t ch = 0; ch < 2; ++ch)
        if (active_[ch])
            points[ch][index_] = static_cast<float>(angle);
    return true;
}

}  // namespace ign
