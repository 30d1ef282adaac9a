#include "model/curve_from_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/calculate.h"
#include "model/numbers.h"
#include "model/presets.h"

namespace ign {
namespace {

ControllerTable calculated(const Inputs& in)
{
    CalcState state;
    startUp(state, in);
    EXPECT_FALSE(calculate(state, in, '.').refused);
    return calculatedTable(state);
}

int sameEntries(const ControllerTable& a, const ControllerTable& b, int ch)
{
    int same = 0;
    for (int e = kFirstEntry; e <= kLastEntry; ++e)
        same += a.slope(ch, e) == b.slope(ch, e) && a.offsetByte(ch, e) == b.offsetByte(ch, e);
    return same;
}

// The engines' own curves, calculated by points: the taken points give the
// same bytes again, and the count they report is what a calculation by them
// really reproduces.
TEST(CurveFromTable, PresetTablesAreReproduced)
{
    for (const EnginePreset& preset : kEnginePresets)
        for (const char* prescaler : kPrescalerItems)
            for (int ch = 0; ch < 2; ++ch) {
                SCOPED_TRACE(std::string(preset.menuName) + ", prescaler " + prescaler +
                             ", characteristic " + std::to_string(ch + 1));
                Inputs in = initialInputs();
                in.option1 = {false, true};
                in.combo1[0] = prescaler;
                applyPreset(preset, in, ch);
                const ControllerTable table = calculated(in);

                // Start from other points, as a rider with only the file does.
                Inputs rider = initialInputs();
                rider.combo1[0] = prescaler;
                const auto taken = takeCurve(table, ch, rider);
                ASSERT_TRUE(taken.has_value());
                EXPECT_EQ(taken->entriesReproduced, kTableEntriesPerCharacteristic);

                applyTakenCurve(*taken, rider, ch);
                EXPECT_TRUE(rider.byCoefficients()) << "taking the curve keeps the mode";
                rider.option1 = {false, true};
                EXPECT_EQ(sameEntries(calculated(rider), table, ch), taken->entriesReproduced);
                for (const std::string& point : taken->points)
                    EXPECT_EQ(formatGeneral(leadingNumber(point), '.'), point);
            }
}

// A curve by coefficients bends inside the 1000 rpm steps of the points, so
// its table has no exact points. The search must never lose what the fit
// found, and the count must be what a calculation by the points gives.
TEST(CurveFromTable, CoefficientTablesCountHonestly)
{
    // Searching where nothing matches is the slowest case: two prescalers.
    for (const char* prescaler : {"2", "8"}) {
        SCOPED_TRACE(std::string("prescaler ") + prescaler);
        Inputs in = initialInputs();
        in.combo1[0] = prescaler;
        const ControllerTable table = calculated(in);
        const auto fitted = takeCurve(table, 1, in, false);
        const auto taken = takeCurve(table, 1, in);
        ASSERT_TRUE(fitted.has_value() && taken.has_value());
        EXPECT_GE(taken->entriesReproduced, fitted->entriesReproduced);
        Inputs byPoints = in;
        applyTakenCurve(*taken, byPoints, 1);
        byPoints.option1 = {false, true};
        EXPECT_EQ(sameEntries(calculated(byPoints), table, 1), taken->entriesReproduced);
    }
}

// Bytes from no curve at all: whatever comes back holds as field texts and
// counts honestly.
TEST(CurveFromTable, NoiseGivesHonestPoints)
{
    ControllerTable noise;
    std::uint32_t state = 2212;
    for (std::int32_t& byte : noise.bytes) {
        state = state * 1103515245 + 12345;
        byte = static_cast<std::int32_t>(state >> 16 & 0xFF);
    }
    const Inputs in = initialInputs();
    const auto taken = takeCurve(noise, 0, in);
    ASSERT_TRUE(taken.has_value());
    Inputs byPoints = in;
    applyTakenCurve(*taken, byPoints, 0);
    byPoints.option1 = {false, true};
    EXPECT_EQ(sameEntries(calculated(byPoints), noise, 0), taken->entriesReproduced);
    for (const std::string& point : taken->points)
        EXPECT_LE(std::fabs(leadingNumber(point)), 9999) << point;
}

TEST(CurveFromTable, LineAndRefusal)
{
    TakenCurve ij;
    ij.points = {"0",    "7.6", "12.3", "15.3", "17.6", "18.2",
                 "19.3", "20",  "20.5", "21.2", "21.5", "21.7"};
    ij.entriesReproduced = 30;
    EXPECT_EQ(takenCurveLine(ij, 0),
              "Характеристика 1: 0 7.6 12.3 15.3 17.6 18.2 19.3 20 20.5 21.2 21.5 21.7; "
              "совпадают 30 из 30 записей");
    ij.entriesReproduced = 21;
    EXPECT_NE(takenCurveLine(ij, 1).find("Характеристика 2: 0 7.6 "), std::string::npos);
    EXPECT_NE(takenCurveLine(ij, 1).find("; совпадает 21 из 30 записей"), std::string::npos);

    Inputs noTimer = initialInputs();
    noTimer.combo1[0] = "0";
    EXPECT_FALSE(takeCurve(calculated(initialInputs()), 0, noTimer).has_value());
}

}  // namespace
}  // namespace ign
