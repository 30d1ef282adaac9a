#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "model/calculate.h"
#include "model/numbers.h"
#include "model/table_analysis.h"

namespace ign {
namespace {

struct Analysed {
    Inputs in = initialInputs();  // the worked example
    CalcState state;
    CalculateOutcome outcome;
    TableAnalysis analysis;
    explicit Analysed(const char* prescaler = "8", bool byPoints = false)
    {
        in.combo1[0] = prescaler;
        if (byPoints)
            in.option1 = {false, true};
        startUp(state, in);
        outcome = calculate(state, in, '.');
        analysis = analyseTable(state, in);
    }
    const PeriodAdvance& at(std::int32_t period) const
    {
        return analysis.periods.at(static_cast<std::size_t>(period - kFirstAnalysedPeriod));
    }
};

// At T = e*256 the controller fires exactly what the listing's check says:
// the analysis must reproduce each row's advance and deviation to within the
// listing's rounding, for both characteristics.
TEST(TableAnalysis, ReproducesTheListingAtEveryEntrySpeed)
{
    const Analysed a;
    ASSERT_FALSE(a.outcome.refused);
    ASSERT_EQ(a.analysis.periods.size(), 7680u);
    std::istringstream listing(a.outcome.listing);
    std::string line;
    int ch = -1, rows = 0;
    while (std::getline(listing, line)) {
        if (line.find("Характеристика") != std::string::npos) {
            ++ch;
            continue;
        }
        std::istringstream cells(line);
        std::string entry, k, b, rpm, phi, deviation;
        if (!(cells >> entry >> k >> b >> rpm >> phi >> deviation))
            continue;
        const PeriodAdvance& p = a.at(static_cast<std::int32_t>(leadingNumber(entry)) * 256);
        EXPECT_NEAR(p.rpm, leadingNumber(rpm), 0.05) << line;
        EXPECT_NEAR(p.achieved[static_cast<std::size_t>(ch)], leadingNumber(phi), 0.05 + 1e-4)
            << line;
        EXPECT_NEAR(p.deviation(ch), leadingNumber(deviation), 0.005 + 1e-4) << line;
        ++rows;
    }
    EXPECT_EQ(rows, 60);
}

// T = 600 lies in entry 2 (k = 87, b = 19), 12500 rpm at 8 us a tick:
// floor(87*600/512) = 101, delay (101 - 19) ticks = 656 us;
// achieved 90 - 6*12500*656e-6 - 6*12500*47e-6 = 37.275 deg;
// wanted (45.1*12500 - 1919) / (12500 + 2821) = 36.67065 deg.
TEST(TableAnalysis, HandWorkedPeriodBetweenEntries)
{
    const Analysed a;
    const PeriodAdvance& p = a.at(600);
    EXPECT_EQ(p.entry, 2);
    EXPECT_NEAR(p.rpm, 12500, 1e-3);  // the tick is a single-precision 8e-6
    EXPECT_NEAR(p.achieved[0], 37.275, 1e-4);
    EXPECT_NEAR(p.wanted[0], 36.67065, 1e-4);
    EXPECT_NEAR(p.deviation(0), -0.60435, 1e-4);
}

// The error between entries is what the listing hides: 0.35 deg at the
// entry speeds, 0.91 deg near 14500 rpm for characteristic 1.
TEST(TableAnalysis, WorkedExampleSummary)
{
    const Analysed a;
    EXPECT_EQ(analysisSummaryLine(a.analysis, 0, ','),
              "Характеристика 1: наибольшее отклонение 0,91° при 14507 об/мин "
              "(в точках таблицы 0,35°)");
}

// A table read back is fired under the fields as Calculate would convert
// them, and listed as the window lists a calculation, without the deviation
// nothing wanted stands beside; then the limits its Tmax and Tmin stand for.
TEST(TableAnalysis, TableReadBackListsAsTheCalculation)
{
    const Analysed a;
    const FiringInputs fromFields = firingInputs(a.in);
    const FiringInputs fromState = firingInputs(a.state);
    EXPECT_EQ(fromFields.sensorAngleDeg, fromState.sensorAngleDeg);
    EXPECT_EQ(fromFields.tickSec, fromState.tickSec);
    EXPECT_EQ(fromFields.inputDelaySec, fromState.inputDelaySec);

    const ControllerTable table = calculatedTable(a.state);
    const std::string listing = firedTableListing(table, fireTable(table, fromFields), '.');
    std::istringstream calculated(a.outcome.listing), read(listing);
    std::string mine, theirs;
    int rows = 0;
    while (std::getline(calculated, mine) && std::getline(read, theirs)) {
        ASSERT_TRUE(theirs.ends_with('\r'));
        theirs.pop_back();
        // The calculation's rows go on with the deviation.
        EXPECT_EQ(mine.substr(0, theirs.size()), theirs);
        rows += mine.find(')') != std::string::npos;
    }
    EXPECT_EQ(rows, 60);
    EXPECT_EQ(theirs, "");
    EXPECT_TRUE(std::getline(read, theirs));
    EXPECT_EQ(theirs, "Nmin 1000 об/мин (Tmax 7500), Nmax 3000 об/мин (Tmin 2500)\r");
}

// A byte outside 0..255 means the controller would hold another byte: the
// entry keeps the wanted value only, the other characteristic is untouched.
TEST(TableAnalysis, OutOfRangeEntryHasNoAchievedValue)
{
    Analysed a;
    a.state.segSlope[0][5] = 256;
    a.state.segOffset[1][7] = 1;  // the offset byte b = -1
    const TableAnalysis t = analyseTable(a.state, a.in);
    struct Row {
        std::int32_t period;
        bool defined0, defined1;
    } rows[] = {{5 * 256, false, true},
                {6 * 256 - 1, false, true},
                {6 * 256, true, true},
                {7 * 256 + 100, true, false},
                {8 * 256, true, true}};
    for (const Row& r : rows) {
        const PeriodAdvance& p =
            t.periods[static_cast<std::size_t>(r.period - kFirstAnalysedPeriod)];
        EXPECT_EQ(std::isfinite(p.achieved[0]), r.defined0) << r.period;
        EXPECT_EQ(std::isfinite(p.achieved[1]), r.defined1) << r.period;
        EXPECT_TRUE(std::isfinite(p.wanted[0]) && std::isfinite(p.wanted[1])) << r.period;
    }
    EXPECT_EQ(t.summary[0].entriesOutOfRange, 1);
    EXPECT_EQ(t.summary[1].entriesOutOfRange, 1);
    EXPECT_TRUE(
        analysisSummaryLine(t, 1, '.').ends_with("; точек таблицы с байтами вне 0...255: 1"));
}

// Prescaler 2: 2 us a tick, so T = 512 is 58594 rpm and the points curve runs
// past 10000 rpm to the top value placed at 14000 rpm. Characteristic 1 has
// the points 0, 1, ..., 10 and the top value 10.
TEST(TableAnalysis, PointsCurvePast10000RpmWithPrescaler2)
{
    Analysed a("2", true);
    a.in.text6[22] = "12";
    a.outcome = calculate(a.state, a.in, '.');
    ASSERT_FALSE(a.outcome.refused);
    a.analysis = analyseTable(a.state, a.in);
    struct Row {
        std::int32_t period;
        double rpm, wanted;
    } rows[] = {
        {512, 58593.75, 12},  // far above: the top value
        {2000, 15000, 12},  // above 14000 rpm
        {2500, 12000, 11},  // halfway from the 10000 rpm point (10) to the top (12)
        {3000, 10000, 10},  // the last point itself
        {4000, 7500, 7.5},  // between the points at 7000 and 8000 rpm
    };
    for (const Row& r : rows) {
        const PeriodAdvance& p = a.at(r.period);
        EXPECT_NEAR(p.rpm, r.rpm, 1e-3) << r.period;
        EXPECT_NEAR(p.wanted[0], r.wanted, 1e-6) << r.period;
        EXPECT_TRUE(std::isfinite(p.achieved[0])) << r.period;
    }
    // The table itself was fitted to the same curve: small deviations at the
    // entry speeds, whatever the speed.
    EXPECT_LT(a.analysis.summary[0].largestAtEntrySpeeds, 0.5);
}

}  // namespace
}  // namespace ign
