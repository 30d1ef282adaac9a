#include <gtest/gtest.h>

#include "model/point_drag.h"

namespace ign {
namespace {

TEST(PointDrag, TheTopPointIsHeldAs14UntilTheFirstMove)
{
    const struct {
        int point, index;
    } rows[] = {{1, 1}, {3, 3}, {10, 10}, {kTopPoint, 14}};
    for (const auto& r : rows) {
        PointDrag drag;
        drag.grab({1, r.point});
        EXPECT_EQ(drag.pointIndex(), r.index) << r.point;
        EXPECT_EQ(drag.heldPoint(), r.point);
        EXPECT_TRUE(drag.active(1));
        EXPECT_FALSE(drag.active(0));
    }
}

TEST(PointDrag, MovesHeldPointsToTheRowAngleAndTheTopPointBecomes11)
{
    EditorPoints points{};
    PointDrag drag;
    EXPECT_FALSE(drag.moveTo(250, points));  // nothing held
    drag.grab({0, kTopPoint});
    drag.grab({1, kTopPoint});  // both held: both move
    ASSERT_TRUE(drag.moveTo(443, points));
    EXPECT_EQ(drag.pointIndex(), kTopPoint);
    EXPECT_EQ(points[0][kTopPoint], 5.7f);
    EXPECT_EQ(points[1][kTopPoint], 5.7f);
    EXPECT_EQ(points[0][14], 0.0f);
    // Beyond the graph's edges the point keeps the angle the row gives.
    drag.moveTo(-20, points);
    EXPECT_EQ(points[0][kTopPoint], 52.0f);
    drag.moveTo(520, points);
    EXPECT_EQ(points[1][kTopPoint], -2.0f);
    drag.release();
    EXPECT_FALSE(drag.moveTo(100, points));
    EXPECT_EQ(points[0][kTopPoint], -2.0f);
}

TEST(PointDrag, PointsComeFromAndGoBackToTheirFields)
{
    Inputs in;
    in.text6[pointField(0, 2)] = "21,5";  // the number rule stops at the comma
    in.text6[22] = "7.25abc";
    in.text6[12] = "-2.0";
    EditorPoints points = editorPoints(in);
    EXPECT_EQ(points[0][2], 21.0f);
    EXPECT_EQ(points[0][kTopPoint], 7.25f);
    EXPECT_EQ(points[1][1], -2.0f);
    points[1][kTopPoint] = 0.5f;
    storeEditorPoints(points, in);
    EXPECT_EQ(in.text6[23], " .5");
    EXPECT_EQ(in.text6[12], "-2");
    EXPECT_EQ(in.text6[0], "");  // the 0 rpm points are no editor points
}

TEST(PointKeys, TabWalksBothCharacteristicsRoundAndKeysMoveByTenths)
{
    const struct {
        std::optional<PointRef> from;
        bool forward;
        PointRef to;
    } walks[] = {
        {std::nullopt, true, {0, 1}},
        {std::nullopt, false, {1, kTopPoint}},
        {PointRef{0, 5}, true, {0, 6}},
        {PointRef{0, kTopPoint}, true, {1, 1}},
        {PointRef{1, 1}, false, {0, kTopPoint}},
        {PointRef{1, kTopPoint}, true, {0, 1}},
    };
    for (const auto& w : walks)
        EXPECT_EQ(nextPoint(w.from, w.forward), w.to) << w.to.characteristic << " " << w.to.point;
    // One fraction digit after every step, so that runs of 0.1 do not drift.
    const struct {
        float angle;
        int tenths;
        float to;
    } steps[] = {{5.0f, 1, 5.1f},
                 {5.3f, -10, 4.3f},
                 {21.25f, 1, 21.4f},
                 {0.0f, -1, -0.1f},
                 {-2.0f, 10, -1.0f}};
    for (const auto& s : steps)
        EXPECT_EQ(steppedAngle(s.angle, s.tenths), s.to) << s.angle << " " << s.tenths;
    float angle = 0;
    for (int i = 0; i < 30; ++i)
        angle = steppedAngle(angle, 1);
    EXPECT_EQ(angle, 3.0f);
}

}  // namespace
}  // namespace ign
