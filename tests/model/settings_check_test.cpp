#include <gtest/gtest.h>

#include "model/settings_check.h"

namespace ign {
namespace {

TEST(SettingsCheck, RangesOfDelayAndPulse)
{
    struct Row {
        const char* delay;
        const char* pulse;
        Highlight refused;  // None: accepted
        const char* label;
    };
    const Row rows[] = {
        {"30", "100", Highlight::None, "lowest delay"},
        {"1000", "100", Highlight::None, "highest delay"},
        {"29.9", "100", Highlight::Text1_3, "delay just below"},
        {"1000.5", "100", Highlight::Text1_3, "delay just above"},
        {"47,5", "100", Highlight::None, "a decimal comma ends the number: 47"},
        {"", "100", Highlight::Text1_3, "empty delay reads 0"},
        {"abc", "100", Highlight::Text1_3, "no number reads 0"},
        {"47", "10", Highlight::None, "lowest pulse"},
        {"47", "3000", Highlight::None, "highest pulse"},
        {"47", "9", Highlight::Text1_4, "pulse just below"},
        {"47", "3001", Highlight::Text1_4, "pulse just above"},
        {"47", "1e400", Highlight::Text1_4, "a pulse beyond any range"},
        {"5", "5", Highlight::Text1_3, "both wrong: the delay is told first"},
    };
    for (const Row& row : rows) {
        Inputs in = initialInputs();
        in.text1[3] = row.delay;
        in.text1[4] = row.pulse;
        const auto message = checkSettings(in);
        if (row.refused == Highlight::None) {
            EXPECT_FALSE(message.has_value()) << row.label;
            continue;
        }
        ASSERT_TRUE(message.has_value()) << row.label;
        EXPECT_EQ(message->highlight, row.refused) << row.label;
        EXPECT_EQ(message->icon, Icon::Critical) << row.label;
        EXPECT_EQ(message->text,
                  row.refused == Highlight::Text1_3 ? text::kDelayRange : text::kPulseRange)
            << row.label;
    }
}

}  // namespace
}  // namespace ign
