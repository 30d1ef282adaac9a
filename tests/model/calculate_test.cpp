#include <gtest/gtest.h>

#include <cmath>

#include "model/calculate.h"
#include "model/numbers.h"
#include "support/test_files.h"
#include "support/worked_example.h"

namespace ign {
namespace {

// The window's initial inputs are the worked example: 18 deg initial
// advance, 72 deg pulse gap, 47 us input delay, prescaler 8, a = 45.1,
// b = 1919, c = 2821, Nmin 1000, Nmax 3000, pulse 100 us.
struct Calc {
    Inputs in = initialInputs();
    CalcState state;
    CalculateOutcome outcome;
    Calc() { startUp(state, in); }
    const CalculateOutcome& run(char sep = '.') { return outcome = calculate(state, in, sep); }
    std::vector<std::string> lines() const { return test::crlfLines(outcome.listing); }
    bool shows(const char* message) const
    {
        for (const Message& m : outcome.messages)
            if (m.text == message)
                return true;
        return false;
    }
};

TEST(CalculateListing, WorkedExampleRows)
{
    Calc c;
    c.run();
    test::expectWorkedExampleListing(c.lines());
    EXPECT_TRUE(c.outcome.messages.empty());
    EXPECT_FALSE(c.outcome.refused);
    EXPECT_TRUE(c.state.resultsUnsaved);
}

TEST(CalculateListing, WorkedExampleBytesAndDeviations)
{
    Calc c;
    c.run();
    float previousK = 0, previousB = 0;
    for (std::size_t e = 2; e <= 31; ++e) {
        const float k = c.state.segSlope[0][e];
        const float b = -c.state.segOffset[0][e];
        EXPECT_GE(k, previousK) << e;
        EXPECT_GE(b, previousB) << e;
        previousK = k;
        previousB = b;
    }
    EXPECT_EQ(c.state.segSlope[0][2], 87);
    EXPECT_EQ(c.state.segSlope[0][31], 125);
    EXPECT_EQ(c.state.segOffset[0][2], -19);
    EXPECT_EQ(c.state.segOffset[0][31], -198);
    for (std::size_t row = 1; row <= 30; ++row) {
        const std::string line = c.lines()[row];
        const double deviation = leadingNumber(line.substr(line.rfind(' ') + 1));
        EXPECT_LT(std::fabs(deviation), 0.4) << line;
    }
}

TEST(CalculateListing, UsesTheCallersSeparatorAndRepeatsExactly)
{
    Calc c;
    c.run(',');
    EXPECT_EQ(c.lines()[1], " 2)  87    19   14648,4   38,1   -0,35");
    const std::string first = c.outcome.listing;
    c.run(',');
    EXPECT_EQ(c.outcome.listing, first);
}

TEST(CalculateListing, NegativeSlopesWarnAfterTheBlock)
{
    Calc c;
    c.in.text1[5] = "5";
    c.in.text1[6] = "10";
    c.run();
    EXPECT_EQ(c.lines()[1].substr(0, 8), " 2)  -20");  // the minus sign stands in the k column
    ASSERT_EQ(c.outcome.messages.size(), 3u);
    EXPECT_EQ(c.outcome.messages[0].text, text::kSmallAngle);
    EXPECT_EQ(c.outcome.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(c.outcome.messages[1].text, text::kSmallAngle);
    EXPECT_EQ(c.outcome.messages[2].text, text::kByteRange);
    EXPECT_FALSE(c.outcome.refused);
    EXPECT_LT(c.state.segSlope[0][2], 0);  // the bytes stand and can be written
}

TEST(CalculateListing, WideWaitingAngleKeepsSlopesAboveAByte)
{
    Calc c;
    c.in.text1[5] = "100";
    c.in.text1[6] = "120";
    c.run();
    EXPECT_EQ(c.lines()[1].substr(0, 7), " 2) 271");
    EXPECT_GT(c.state.segSlope[0][2], 255);
    ASSERT_EQ(c.outcome.messages.size(), 1u);
    EXPECT_EQ(c.outcome.messages[0].text, text::kByteRange);
}

TEST(CalculateListing, SmallAngleWarningCatchesShortNegativeDelays)
{
    // Delays a little below zero, shorter than the input delay: the achieved
    // advance stays below the sensor angle, yet the controller cannot fire
    // before it has seen the pulse.
    Calc c;
    c.in.text1[5] = "2";
    c.in.text1[6] = "0";
    for (auto& field : c.in.text4)
        field = "0";
    c.run();
    bool negativeDelay = false;
    for (std::size_t e = 2; e <= 31; ++e) {
        const double whole = std::trunc(c.state.segSlope[0][e] * c.state.entryPeriod[e] / 512.0);
        negativeDelay = negativeDelay || whole + c.state.segOffset[0][e] < 0;
        const std::string row = c.lines()[e - 1];
        const double achieved = leadingNumber(row.substr(27, 8));
        EXPECT_LE(achieved, 2.0) << row;
    }
    EXPECT_TRUE(negativeDelay);
    EXPECT_TRUE(c.shows(text::kSmallAngle));
}

TEST(CalculateListing, SpeedColumnPadding)
{
    Calc c;
    c.in.combo1[0] = "1";  // entries 2..31 run from 117187.5 down to 7560.5 rpm
    c.run();
    const auto lines = c.lines();
    const std::string& top = lines[1];
    EXPECT_NE(top.find("117187.5   "), std::string::npos) << top;  // above 10000: no padding
    const std::string& low = lines[30];
    EXPECT_NE(low.find("7560.5    "), std::string::npos) << low;  // 1000..10000: one blank
}

TEST(CalculateChecks, SpeedLimits)
{
    struct Row {
        const char* nmin;
        const char* nmax;
        const char* message;  // nullptr: accepted without a message
        Highlight highlight;
        bool refused;
    };
    const Row rows[] = {
        {"1000", "2000", nullptr, Highlight::None, false},
        {"1000", "14000", nullptr, Highlight::None, false},
        {"1000", "1999", text::kNmaxRange, Highlight::Combo2_1, true},
        {"1000", "14001", text::kNmaxRange, Highlight::Combo2_1, true},
        {"1000", "", text::kNmaxRange, Highlight::Combo2_1, true},
        {"945", "3000", nullptr, Highlight::None, false},
        {"944", "3000", text::kNminRange, Highlight::Combo2_0, true},
        {"14001", "3000", text::kNminRange, Highlight::Combo2_0, true},
        {"944", "1999", text::kNmaxRange, Highlight::Combo2_1, true},  // Nmax is checked first
        {"3000", "3000", nullptr, Highlight::None, false},
        {"3000", "2000", text::kNminAboveNmax, Highlight::Combo2_0, false},
        {"1000", "3000,5", nullptr, Highlight::None, false},
    };
    for (const Row& r : rows) {
        Calc c;
        c.in.combo2 = {r.nmin, r.nmax};
        c.run();
        SCOPED_TRACE(std::string(r.nmin) + " / " + r.nmax);
        EXPECT_EQ(c.outcome.refused, r.refused);
        EXPECT_TRUE(c.state.resultsUnsaved);
        if (r.message == nullptr) {
            EXPECT_TRUE(c.outcome.messages.empty());
            continue;
        }
        ASSERT_EQ(c.outcome.messages.size(), 1u);
        EXPECT_EQ(c.outcome.messages[0].text, r.message);
        EXPECT_EQ(c.outcome.messages[0].highlight, r.highlight);
        EXPECT_EQ(c.outcome.messages[0].icon, r.refused ? Icon::Critical : Icon::Exclamation);
        EXPECT_EQ(c.outcome.listing.empty(), r.refused);
    }
}

TEST(CalculateChecks, RefusalKeepsThePreviousResults)
{
    Calc c;
    c.run();
    const CalcState before = c.state;
    c.in.text4[0] = "30";
    c.in.combo2[1] = "1999";
    c.in.text1[5] = "20";
    c.state.resultsUnsaved = false;
    c.run();
    EXPECT_TRUE(c.outcome.refused);
    EXPECT_TRUE(c.outcome.listing.empty());
    EXPECT_TRUE(c.outcome.segments.empty());
    EXPECT_TRUE(c.state.resultsUnsaved);
    EXPECT_EQ(c.state.initialAdvanceDeg, 20);  // the inputs read before the checks are kept
    EXPECT_EQ(c.state.segSlope, before.segSlope);
    EXPECT_EQ(c.state.segOffset, before.segOffset);
    EXPECT_EQ(c.state.tmaxHex, before.tmaxHex);
    EXPECT_EQ(c.state.coefA, before.coefA);
}

TEST(CalculateConstants, TimerPeriodsAsHexBytes)
{
    struct Row {
        const char* prescaler;
        const char* nmin;
        const char* nmax;
        std::array<std::string, 2> tmax, tmin;
    };
    const Row rows[] = {
        {"8", "1000", "3000", {"1D", "4C"}, {"9", "C4"}},
        {"1", "945", "14000", {"F8", "4"}, {"10", "BE"}},
        {"2", "2500", "9000", {"2E", "E0"}, {"D", "5"}},
    };
    for (const Row& r : rows) {
        Calc c;
        c.in.combo1[0] = r.prescaler;
        c.in.combo2 = {r.nmin, r.nmax};
        c.run();
        EXPECT_EQ(c.state.tmaxHex, r.tmax) << r.prescaler << " " << r.nmin;
        EXPECT_EQ(c.state.tminHex, r.tmin) << r.prescaler << " " << r.nmax;
    }
}

TEST(CalculateConstants, ControlPulsePostscaler)
{
    struct Row {
        const char* pulse;
        std::int32_t pr2;
        const char* pattern;
    };
    const Row rows[] = {
        {"100", 91, "0000"},   {"300", 146, "0001"},  {"510", 125, "0011"}, {"1000", 248, "0011"},
        {"1100", 136, "0111"}, {"3000", 187, "1111"}, {"254", 245, "0000"},
    };
    for (const Row& r : rows) {
        Calc c;
        c.in.text1[4] = r.pulse;
        c.run();
        EXPECT_EQ(c.state.pr2Reset, r.pr2) << r.pulse;
        EXPECT_EQ(c.state.t2conPostscale, r.pattern) << r.pulse;
    }
    // No postscaler fits from 4080 us on: the previous constants stay.
    Calc c;
    c.run();
    c.in.text1[4] = "4080";
    c.run();
    EXPECT_EQ(c.state.pr2Reset, 91);
    EXPECT_EQ(c.state.t2conPostscale, "0000");
}

TEST(CalculateDefined, UndefinedNumbersAreRefused)
{
    // c = -n at an entry speed divides by zero; huge fields overflow.
    Calc probe;
    probe.run();
    const std::string minusEntry31 = formatGeneral(-double{probe.state.entryRpm[31]}, '.');
    const struct {
        std::size_t field;
        std::string text;
    } rows[] = {
        {2, minusEntry31}, {0, "1e400"}, {0, "1e30"}, {1, "-1e38"}, {5, "1e400"},
    };
    for (const auto& r : rows) {
        Calc c;
        c.run();
        const CalcState before = c.state;
        c.in.text4[r.field] = r.text;
        c.run();
        SCOPED_TRACE(r.text);
        EXPECT_TRUE(c.outcome.refused);
        ASSERT_EQ(c.outcome.messages.size(), 1u);
        EXPECT_EQ(c.outcome.messages[0].text, text::kNotComputable);
        EXPECT_EQ(c.outcome.messages[0].icon, Icon::Critical);
        EXPECT_TRUE(c.outcome.listing.empty());
        EXPECT_EQ(c.state.segSlope, before.segSlope);
    }
    for (const char* pulse : {"-1e20", "1e400"}) {  // a timer reload that does not fit
        Calc overflow;
        overflow.in.text1[4] = pulse;
        overflow.run();
        EXPECT_TRUE(overflow.outcome.refused) << pulse;
    }
    Calc delay;
    delay.in.text1[3] = "1e400";
    delay.run();
    EXPECT_TRUE(delay.outcome.refused);
}

TEST(CalculateDefined, FitEndsQuicklyForFarSlopes)
{
    // Slopes far outside a byte make k travel a long way before the offset
    // fits; the answer must be a line within the limits (bench_calculate
    // times how long it takes).
    for (const char* a : {"1e7", "-1e7", "2e6"}) {
        Calc c;
        c.in.text4[0] = a;
        c.run();
        ASSERT_FALSE(c.outcome.refused) << a;
        for (std::size_t e = 2; e <= 31; ++e) {
            const float k = c.state.segSlope[0][e];
            const float b = c.state.segOffset[0][e];
            EXPECT_TRUE((b <= 0 && b >= -255) || k == 0 || k == 255) << a << " entry " << e;
        }
    }
}

TEST(CalculateReset, EmptiesCurveFieldsOnly)
{
    Calc c;
    c.run();
    const CalcState results = c.state;
    reset(c.state, c.in);
    EXPECT_FALSE(c.state.resultsUnsaved);
    for (const auto& field : c.in.text4)
        EXPECT_EQ(field, "");
    for (std::size_t i = 1; i <= 10; ++i) {
        EXPECT_EQ(c.in.text6[i], "");
        EXPECT_EQ(c.in.text6[i + 11], "");
    }
    EXPECT_EQ(c.in.text6[0], "0");
    EXPECT_EQ(c.in.text6[11], "0");
    EXPECT_EQ(c.in.text6[22], "10");
    EXPECT_EQ(c.in.text6[23], "10");
    EXPECT_EQ(c.in.text1[5], "18");
    EXPECT_EQ(c.state.segSlope, results.segSlope);
    EXPECT_EQ(c.state.tmaxHex, results.tmaxHex);
}

TEST(CalculateStartUp, EntrySpeedsFollowTheLoadedPrescaler)
{
    Inputs loaded = initialInputs();
    loaded.combo1[0] = "2";
    CalcState s;
    startUp(s, loaded);
    EXPECT_EQ(s.entryRpm[1], 117187.5f);
    EXPECT_EQ(s.entryRpm[32], 3662.109375f);
    EXPECT_EQ(s.tickSec, static_cast<float>(8e-6));
    EXPECT_EQ(s.entryPeriod[32], 8192);
    EXPECT_TRUE(s.tmaxHex[0].empty());
    EXPECT_FALSE(s.resultsUnsaved);
}

TEST(CalculateCurves, ComputedCurvesAreRedThenBlue)
{
    Calc c;
    c.run();
    ASSERT_EQ(c.outcome.segments.size(), 60u);  // entries 3..32 per characteristic
    EXPECT_EQ(c.outcome.segments.front().colour, kRed);
    EXPECT_EQ(c.outcome.segments.back().colour, kBlue);
    // entryAdvance holds characteristic 2, computed last.
    const Segment& first = c.outcome.segments[30];
    EXPECT_EQ(first.colour, kBlue);
    EXPECT_NEAR(first.x1, 9765.625 / 25, 1e-3);
    EXPECT_NEAR(first.x2, 14648.4375 / 25, 1e-3);
    EXPECT_NEAR(first.y2, 200 - 4 * c.state.entryAdvance[2], 1e-3);
}

}  // namespace
}  // namespace ign
