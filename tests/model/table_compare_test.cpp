#include "model/table_compare.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/calculate.h"
#include "output/comparison_csv.h"

namespace ign {
namespace {

struct Calculated {
    Inputs in;
    CalcState state;
    explicit Calculated(Inputs inputs = initialInputs()) : in(std::move(inputs))
    {
        startUp(state, in);
        EXPECT_FALSE(calculate(state, in, '.').refused);
    }
    ControllerTable table() const { return calculatedTable(state); }
};

// The controller flashed with the default inputs but a sensor set 2 degrees
// earlier: its table waits 2 degrees longer, so under the calculation's
// inputs it fires about 2 degrees less everywhere.
TEST(TableCompare, InitialAdvanceTwoDegreesHigher)
{
    const Calculated now;
    Inputs earlier = initialInputs();
    earlier.text1[kInitialAdvanceField] = "20";
    const Calculated flashed(earlier);
    const TableComparison c = compareTables(now.table(), flashed.table(), firingInputs(now.state));

    int differing = 0;
    for (std::size_t ch = 0; ch < 2; ++ch)
        for (std::size_t e = kFirstEntry; e <= kLastEntry; ++e)
            if (now.state.segSlope[ch][e] != flashed.state.segSlope[ch][e] ||
                now.state.segOffset[ch][e] != flashed.state.segOffset[ch][e])
                ++differing;
    ASSERT_GT(differing, 0);
    ASSERT_EQ(c.differing.size(), static_cast<std::size_t>(differing));
    EXPECT_FALSE(c.identical());

    double sum = 0;
    for (const ComparedPeriod& p : c.periods)
        for (int ch = 0; ch < 2; ++ch) {
            EXPECT_NEAR(p.difference(ch), -2, 1.0) << p.periodTicks;
            sum += p.difference(ch);
        }
    EXPECT_NEAR(sum / (2.0 * static_cast<double>(c.periods.size())), -2, 0.05);
    for (const EntryDifference& d : c.differing) {
        EXPECT_FALSE(now.table().slope(d.characteristic, d.entry) ==
                         flashed.table().slope(d.characteristic, d.entry) &&
                     now.table().offsetByte(d.characteristic, d.entry) ==
                         flashed.table().offsetByte(d.characteristic, d.entry));
        EXPECT_NEAR(d.advanceDifference, -2, 1.0);
    }
    ASSERT_TRUE(c.largestDefined);
    EXPECT_GE(std::fabs(c.largestDifference), 2);

    const std::string summary = comparisonSummary(c, ',');
    const std::string start = "Отличаются " + std::to_string(differing) +
        " из 60 записей; наибольшая разница " +
        std::to_string(static_cast<int>(std::fabs(c.largestDifference))) + ",";
    EXPECT_EQ(summary.rfind(start, 0), 0u) << summary;
    EXPECT_NE(summary.find(" об/мин (характеристика "), std::string::npos) << summary;
    EXPECT_EQ(summary.find("Nmin"), std::string::npos) << "the limits are the same";
}

TEST(TableCompare, SummaryAndLines)
{
    const Calculated now;
    const FiringInputs firing = firingInputs(now.state);

    const TableComparison same = compareTables(now.table(), now.table(), firing);
    EXPECT_TRUE(same.identical());
    EXPECT_TRUE(same.differing.empty());
    EXPECT_EQ(comparisonSummary(same, ','), "Таблица из файла совпадает с рассчитанной");

    // Only the limits: Nmin 950 gives Tmax 7895, which stands for 949.97 rpm.
    Inputs slower = initialInputs();
    slower.combo2[0] = "950";
    const TableComparison limits = compareTables(now.table(), Calculated(slower).table(), firing);
    EXPECT_TRUE(limits.differing.empty());
    EXPECT_EQ(comparisonSummary(limits, ','),
              "Записи таблицы из файла совпадают с рассчитанными; Nmin в файле 950 об/мин, в "
              "расчёте 1000 об/мин");

    // One slope byte one higher: entry 5 (k 101, b 46) waits up to 3 ticks
    // longer; at T = 1280, 5859.375 rpm: 6 * 5859.375 * 3 * 8 us = 0.84375 deg.
    ControllerTable file = now.table();
    file.bytes[static_cast<std::size_t>(slopeByteIndex(0, 5))] += 1;
    const TableComparison one = compareTables(now.table(), file, firing);
    ASSERT_EQ(one.differing.size(), 1u);
    EXPECT_EQ(comparisonSummary(one, ','),
              "Отличается 1 из 60 записей; наибольшая разница 0,84° при 5859 об/мин "
              "(характеристика 1, запись 5)");
    EXPECT_EQ(differenceLine(one, one.differing[0], '.'),
              "Характеристика 1, запись 5, 5859 об/мин: в расчёте k 101, b 46, в файле k 102, "
              "b 46; разница -0.84°");

    // A calculated entry the controller cannot hold fires nothing to compare.
    ControllerTable overflowing = now.table();
    overflowing.bytes[static_cast<std::size_t>(slopeByteIndex(1, 31))] = 300;
    const TableComparison undefined = compareTables(overflowing, now.table(), firing);
    ASSERT_EQ(undefined.differing.size(), 1u);
    EXPECT_TRUE(std::isnan(undefined.differing[0].advanceDifference));
    EXPECT_EQ(differenceLine(undefined, undefined.differing[0], '.'),
              "Характеристика 2, запись 31, 945 об/мин: в расчёте k 300, b 89, в файле k 127, "
              "b 89; разница не определена");
    EXPECT_EQ(comparisonSummary(undefined, '.'),
              "Отличается 1 из 60 записей; разница УОЗ не определена");
}

TEST(TableCompare, CsvHasEveryPeriodWithBothTables)
{
    const Calculated now;
    ControllerTable file = now.table();
    file.bytes[static_cast<std::size_t>(slopeByteIndex(0, 5))] += 1;
    const std::string csv =
        comparisonCsv(compareTables(now.table(), file, firingInputs(now.state)));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 7681);
    EXPECT_EQ(csv.rfind(std::string(kComparisonCsvHeader) + "\n", 0), 0u);
    const std::size_t row = csv.find("\n1280,");
    ASSERT_NE(row, std::string::npos);
    // 252 and 255 ticks of k*T/512, less 46: 206 and 209 ticks of 8 us.
    EXPECT_EQ(csv.substr(row + 1, 47), "1280,5859.3750,5,101,46,102,46,30.4102,29.5664,");
}

}  // namespace
}  // namespace ign
