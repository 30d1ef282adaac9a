#include <gtest/gtest.h>

#include <cmath>

#include "model/advance.h"
#include "model/curves.h"

namespace ign {
namespace {

// The "ИЖ" points at 1000..10000 rpm, 0 at 0 rpm, 21.7 on top.
Inputs withPoints(int ch, const std::array<const char*, 11>& points, const char* top)
{
    Inputs in = initialInputs();
    in.option1 = {false, true};
    for (int j = 0; j <= 10; ++j)
        in.text6[static_cast<std::size_t>(pointField(ch, j))] =
            j == 0 ? "0" : points[static_cast<std::size_t>(j - 1)];
    in.text6[static_cast<std::size_t>(pointField(ch, kTopPoint))] = top;
    return in;
}

const std::array<const char*, 11> kIzh{"7.6",  "12.3", "15.3", "17.6", "18.2", "19.3",
                                       "20.0", "20.5", "21.2", "21.5", ""};

CalcState stateFor(const char* prescaler)
{
    Inputs in = initialInputs();
    in.combo1[0] = prescaler;
    CalcState s;
    startUp(s, in);
    s.tickSec = static_cast<float>(std::stod(prescaler) * 1e-6);
    return s;
}

TEST(AdvancePoints, InterpolatesBetweenNeighbours)
{
    for (int ch = 0; ch < 2; ++ch) {
        CalcState s = stateFor("8");
        evaluatePointsCurve(s, withPoints(ch, kIzh, "21.7"), ch);
        // Entry 6 is 4882.8 rpm: 17.6 + 0.8828 * (18.2 - 17.6).
        EXPECT_NEAR(s.entryAdvance[6], 17.6 + 0.8828125 * 0.6, 1e-4) << ch;
        EXPECT_NEAR(s.entryAdvance[6], 18.13, 0.005);
        EXPECT_FLOAT_EQ(s.entryAdvance[2], 21.7f);
        EXPECT_FLOAT_EQ(s.entryAdvance[0], 0.0f);  // the point list is left in entries 0 and 1
        EXPECT_FLOAT_EQ(s.entryAdvance[1], 7.6f);
        EXPECT_FLOAT_EQ(s.pointRpm[10], 10000.0f);
    }
}

TEST(AdvancePoints, SpeedOnAGridPointGivesThePoint)
{
    // No real prescaler puts an entry on a whole thousand, so pick a tick that
    // puts entry 10 at exactly 3000 rpm.
    CalcState s = stateFor("8");
    s.tickSec = static_cast<float>(60.0 / (3000.0 * 256 * 10));  // entry 10 at 3000 rpm
    evaluatePointsCurve(s, withPoints(0, kIzh, "21.7"), 0);
    EXPECT_NEAR(s.entryAdvance[10], 15.3, 1e-5);
}

TEST(AdvancePoints, EmptyFieldsCountAsZero)
{
    CalcState s = stateFor("8");
    evaluatePointsCurve(s, withPoints(1, {"", "", "", "", "", "", "", "", "", "", ""}, ""), 1);
    for (std::size_t e = 2; e <= 32; ++e)
        EXPECT_EQ(s.entryAdvance[e], 0.0f) << e;
}

TEST(AdvancePoints, AboveTenThousandRunsStraightToTheTopValue)
{
    // Prescaler 4: entry 3 is 19531 rpm, entry 4 14648 rpm, entry 5 11719 rpm.
    CalcState s = stateFor("4");
    std::array<const char*, 11> points = kIzh;
    points[9] = "10";
    evaluatePointsCurve(s, withPoints(0, points, "30"), 0);
    EXPECT_FLOAT_EQ(s.entryAdvance[3], 30.0f);
    EXPECT_FLOAT_EQ(s.entryAdvance[4], 30.0f);
    EXPECT_NEAR(s.entryAdvance[5], 10 + (11718.75 - 10000) * 20 / 4000, 1e-4);
    EXPECT_NEAR(s.entryAdvance[6], 10 - (10000 - 9765.625) / 1000 * (10 - 21.2), 1e-4);
}

TEST(AdvanceFormula, ShapeOfTheCurve)
{
    EXPECT_NEAR(coefficientAdvance(26.06, 391.8, 2151, 5000), 18.17, 0.005);
    EXPECT_EQ(coefficientAdvance(0, 0, 2821, 5000), 0.0f);
    EXPECT_FLOAT_EQ(coefficientAdvance(45.1, 1919, 2821, 0), static_cast<float>(-1919.0 / 2821));
    EXPECT_TRUE(std::isnan(coefficientAdvance(45.1, 1919, -5000, 5000)));
}

TEST(CurvesPreview, EmptyPointsLieOnTheBottomRow)
{
    Inputs in = initialInputs();
    in.text6.fill("");
    const auto segments = pointCurves(in);
    ASSERT_EQ(segments.size(), 20u);
    for (const Segment& s : segments) {
        EXPECT_EQ(s.y1, 200);
        EXPECT_EQ(s.y2, 200);
    }
    EXPECT_EQ(segments[0].colour, kGreen);
    EXPECT_EQ(segments[1].colour, kYellow);
    EXPECT_EQ(segments[18].x1, 400);  // the last segment ends at the 14000 rpm point
    EXPECT_EQ(segments[18].x2, 560);
}

TEST(CurvesPreview, UndefinedFormulaPointsDrawNothing)
{
    Inputs in = initialInputs();
    CalcState s;
    startUp(s, in);
    EXPECT_EQ(coefficientCurves(in, s.entryRpm).size(), 60u);
    in.text4[2] = "-1831.0546875";  // entryRpm(16) exactly: n + c = 0
    ASSERT_EQ(s.entryRpm[16], 1831.0546875f);
    const auto segments = coefficientCurves(in, s.entryRpm);
    EXPECT_EQ(segments.size(), 58u);  // the two segments touching entry 16 are gone
}

}  // namespace
}  // namespace ign
