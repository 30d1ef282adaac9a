#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/curves.h"
#include "model/editor_picture.h"
#include "model/geometry.h"

namespace ign {
namespace {

TEST(Geometry, EntrySpeedsAndPeriods)
{
    // Prescaler 8: entry i is 29296.875 / i rpm.
    const float tick = 8e-6f;
    for (int entry : {1, 2, 3, 32})
        EXPECT_NEAR(entrySpeedRpm(entryPeriodTicks(entry), tick), 29296.875 / entry, 1e-3) << entry;
    EXPECT_EQ(entryPeriodTicks(kLastEntry + 1) - 1, 8191);
    EXPECT_EQ(entryOfPeriod(8191), 31);
    EXPECT_EQ(entryOfPeriod(512), 2);
    // Nmin 1000 and Nmax 3000 with prescaler 8: Tmax 7500, Tmin 2500.
    EXPECT_NEAR(rpmPeriodTicks(1000, tick), 7500, 1e-3);
    EXPECT_NEAR(rpmPeriodTicks(3000, tick), 2500, 1e-3);
    EXPECT_NEAR(periodRpm(rpmPeriodTicks(4321, tick), tick), 4321, 1e-6);
}

// The controller's integer part, and the listing's check of a slope outside
// the bytes, which cuts toward zero.
TEST(Geometry, FiredDelay)
{
    const struct {
        double k, offset, period, delay;
    } rows[] = {
        {125, -198, 31 * 256, 1937 - 198},  // 125 * 7936 / 512 = 1937.5
        {87, -19, 512, 87 - 19},
        {0, -5, 4000, -5},
        {255, 0, 8191, 4079},  // 255 * 8191 / 512 = 4079.5
        {-1, 0, 600, -1},  // -1.17: toward zero, not -2
        {-3, -10, 1000, -5 - 10},
    };
    for (const auto& r : rows)
        EXPECT_EQ(firedDelayTicks(r.k, r.offset, r.period), r.delay) << r.k << " " << r.period;
}

TEST(Geometry, PointSpeedsAndSegments)
{
    EXPECT_EQ(pointRpm(0), 0);
    EXPECT_EQ(pointRpm(7), 7000);
    EXPECT_EQ(pointRpm(kLastGridPoint), 10000);
    EXPECT_EQ(pointRpm(kTopPoint), 14000);
    const struct {
        double rpm;
        int segment;
    } rows[] = {{-0.5, -1},     {0, 0},      {999.99, 0},  {1000, 1},   {9999.9, 9},
                {10000, 10},    {13999, 10}, {14000, 11},  {14648.4, 11},
                {std::numeric_limits<double>::quiet_NaN(), -1}};
    for (const auto& r : rows)
        EXPECT_EQ(pointSegment(r.rpm), r.segment) << r.rpm;
}

TEST(Geometry, PointsCurveRunsStraightBetweenPointsAndOnToTheTop)
{
    CurvePoints p{};
    for (int j = 0; j <= kLastGridPoint; ++j)
        p[static_cast<std::size_t>(j)] = 2.0 * j;  // 20 at 10000 rpm
    p[kTopPoint] = 40;
    const struct {
        double rpm, advance;
    } rows[] = {
        {0, 0}, {3000, 6}, {3500, 7}, {9999, 19.998}, {10000, 20}, {12000, 30}, {14000, 40},
        {20000, 40},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(pointsCurveAt(p, r.rpm), r.advance, 1e-9) << r.rpm;
    EXPECT_TRUE(std::isnan(pointsCurveAt(p, -1)));
}

TEST(GraphScale, GridAndLabelsWhereTheGraphsHaveThem)
{
    // The main graph: 26 rows and 26 columns every 20 pixels over 500 x 500.
    const auto main = gridLines(kMainGraphScale);
    ASSERT_EQ(main.size(), 52u);
    EXPECT_EQ(main[1].y1, 20);
    EXPECT_EQ(main[25].x2, 500);
    EXPECT_EQ(main[51].x1, 500);
    // The editor: 21 rows every 25 pixels 1000 long, 31 columns up to 750.
    const auto editor = gridLines(kEditorGraphScale);
    ASSERT_EQ(editor.size(), 52u);
    EXPECT_EQ(editor[20].y1, 500);
    EXPECT_EQ(editor[20].x2, 1000);
    EXPECT_EQ(editor[51].x1, 750);
    EXPECT_EQ(editor[51].y2, 500);

    const struct {
        const GraphScale* scale;
        std::size_t speeds, angles;
        ScaleLabel firstSpeed, lastSpeed, firstAngle, lastAngle;
    } rows[] = {
        {&kMainGraphScale, 11, 5, {0, 3, " 0"}, {394, 3, " 10000"}, {3, 160, " 10"}, {3, 0, " 50"}},
        {&kEditorGraphScale, 14, 11, {36, 3, " 1000"}, {686, 3, " 14000"}, {3, 500, " 0"},
         {3, 0, " 50"}},
    };
    for (const auto& r : rows) {
        const auto speeds = speedLabels(*r.scale);
        const auto angles = angleLabels(*r.scale);
        ASSERT_EQ(speeds.size(), r.speeds);
        ASSERT_EQ(angles.size(), r.angles);
        for (const auto& [got, want] : {std::pair{speeds.front(), r.firstSpeed},
                                        std::pair{speeds.back(), r.lastSpeed},
                                        std::pair{angles.front(), r.firstAngle},
                                        std::pair{angles.back(), r.lastAngle}}) {
            EXPECT_EQ(got.x, want.x) << want.text;
            EXPECT_EQ(got.y, want.y) << want.text;
            EXPECT_EQ(got.text, want.text);
        }
    }
    EXPECT_EQ(speedLabels(kMainGraphScale)[1].x, 34);  // 1000 rpm
}

EditorPoints pointsAt(float first, float second)
{
    EditorPoints points{};
    for (std::size_t j = 1; j <= kTopPoint; ++j) {
        points[0][j] = first;
        points[1][j] = second;
    }
    return points;
}

TEST(EditorPicture, MarkersFollowTheirStrokesTheTopOnesFirst)
{
    const auto picture = editorPicture(pointsAt(5, 15), std::nullopt);
    ASSERT_EQ(picture.size(), 20u + 22u);
    // Stroke, red marker, stroke, blue marker, point by point.
    EXPECT_EQ(picture[0].kind, EditorItem::Kind::Stroke);
    EXPECT_EQ(picture[1].point, (PointRef{0, 1}));
    EXPECT_EQ(picture[1].stroke.colour, kRed);
    EXPECT_EQ(picture[3].point, (PointRef{1, 1}));
    EXPECT_EQ(picture[3].stroke.colour, kBlue);
    EXPECT_EQ(picture[37].point, (PointRef{0, kTopPoint}));
    EXPECT_EQ(picture[38].point, (PointRef{0, 10}));
    EXPECT_EQ(picture[41].point, (PointRef{1, 10}));
    // Point 5 at 5 degrees: (250, 450), seven pixels square.
    const PixelBox box = picture[17].box;
    EXPECT_EQ(picture[17].point, (PointRef{0, 5}));
    EXPECT_EQ(box.left, 247);
    EXPECT_EQ(box.bottom, 453);
    // A point far off the graph has no marker to press.
    EditorPoints far = pointsAt(5, 15);
    far[0][4] = 1e9f;
    EXPECT_EQ(editorPicture(far, std::nullopt).size(), 41u);
}

TEST(EditorPicture, APressPicksTheMarkerOnTop)
{
    const EditorPoints apart = pointsAt(20, 30);  // rows 300 and 200
    const EditorPoints same = pointsAt(20, 20);
    EditorPoints offset = pointsAt(20, 30);
    offset[1][3] = 19.8f;  // the blue box two rows above the red one
    const struct {
        const EditorPoints* points;
        std::optional<PointRef> filled;
        int x, y;
        std::optional<PointRef> picked;
        const char* label;
    } rows[] = {
        {&apart, {}, 147, 297, PointRef{0, 3}, "corner"},
        {&apart, {}, 153, 300, PointRef{0, 3}, "right edge"},
        {&apart, {}, 150, 300, {}, "centre of a hollow marker"},
        {&apart, {}, 152, 302, {}, "inside"},
        {&apart, {}, 154, 300, {}, "just outside"},
        {&apart, {}, 697, 199, PointRef{1, kTopPoint}, "top point, left edge"},
        {&apart, {}, 703, 199, PointRef{1, kTopPoint}, "top point, right edge"},
        {&apart, {}, 175, 300, {}, "on a curve between points"},
        {&same, {}, 147, 297, PointRef{1, 3}, "characteristic 2 covers 1"},
        {&apart, PointRef{0, 3}, 150, 300, PointRef{0, 3}, "a filled marker, inside"},
        {&same, PointRef{0, 3}, 150, 300, PointRef{0, 3}, "filled under a hollow one"},
        {&same, PointRef{0, 3}, 147, 297, PointRef{1, 3}, "the later edge on the filled one"},
        {&offset, {}, 149, 303, PointRef{0, 3}, "an earlier edge inside a later box"},
        {&offset, {}, 149, 299, PointRef{1, 3}, "the later edge"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(markerAt(editorPicture(*r.points, r.filled), r.x, r.y), r.picked) << r.label;
}

}  // namespace
}  // namespace ign
