#include "output/calculator_commands.h"

#include <gtest/gtest.h>

#include "model/presets.h"
#include "output/table_source.h"
#include "support/same_fields.h"
#include "support/test_files.h"
#include "support/worked_example.h"

namespace ign {
namespace {

// The commands on a folder of their own, as the window or igntable runs them.
struct Session {
    test::TempFolder folder;
    InputsModel inputs;
    CalculatorCommands commands{inputs, {folder / "Data.dat", folder / "IgnTable.asm"}};

    void start()
    {
        commands.loadSettings();
        commands.startUp();
    }
};

TEST(CalculatorCommands, CalculateAndSaveAsTheWindowDoes)
{
    Session s;
    s.start();
    EXPECT_FALSE(s.commands.settingsWarning());  // a first start says nothing
    EXPECT_FALSE(s.commands.analysis());
    const CalculateOutcome out = s.commands.calculate('.');
    test::expectWorkedExampleListing(test::crlfLines(out.listing));
    EXPECT_TRUE(out.messages.empty());
    EXPECT_TRUE(s.commands.state().resultsUnsaved);

    const auto written = s.commands.saveTable();
    ASSERT_TRUE(written.written.ok);
    EXPECT_FALSE(written.failure);
    EXPECT_FALSE(s.commands.state().resultsUnsaved);
    EXPECT_EQ(test::readBytes(s.folder / "IgnTable.asm"),
              tableSourceBytes(s.commands.state(), s.inputs.values()));
}

// The analysis belongs to the last calculation that was not refused.
TEST(CalculatorCommands, ARefusedCalculationKeepsTheAnalysedOne)
{
    Session s;
    s.start();
    s.commands.calculate('.');
    const double before = s.commands.analysis()->summary[0].largestDeviation;
    EXPECT_NEAR(before, 0.91, 0.005);
    s.inputs.setText({Control::Combo2, 1}, "1999");
    const CalculateOutcome refused = s.commands.calculate('.');
    ASSERT_TRUE(refused.refused);
    EXPECT_EQ(refused.messages[0].highlight, Highlight::Combo2_1);
    EXPECT_EQ(s.commands.analysis()->summary[0].largestDeviation, before);
}

// The firmware is built only from a table just written; a refused
// calculation still writes the previous results.
TEST(CalculatorCommands, FirmwareStartsOnlyFromAWrittenTable)
{
    Session s;
    s.start();
    s.commands.calculate('.');
    const std::string calculated = tableSourceBytes(s.commands.state(), s.inputs.values());
    s.inputs.setText({Control::Combo2, 1}, "14001");
    const auto refusedBuild = s.commands.prepareFirmware('.');
    EXPECT_TRUE(refusedBuild.calculation.refused);
    EXPECT_TRUE(refusedBuild.build);
    EXPECT_EQ(test::readBytes(s.folder / "IgnTable.asm"), calculated);

    std::filesystem::remove(s.folder / "IgnTable.asm");
    std::filesystem::create_directory(s.folder / "IgnTable.asm");
    const auto blocked = s.commands.prepareFirmware('.');
    EXPECT_FALSE(blocked.build);
    ASSERT_TRUE(blocked.writeFailure);
    EXPECT_EQ(blocked.writeFailure->icon, Icon::Critical);
    EXPECT_NE(blocked.writeFailure->text.find("IgnTable.asm"), std::string::npos);
    EXPECT_TRUE(s.commands.state().resultsUnsaved);
}

TEST(CalculatorCommands, SettingsPanelSnapshotLeavesTheCheckBox)
{
    Session s;
    s.start();
    s.commands.takeSettingsSnapshot();
    const Inputs opened = s.inputs.values();
    s.inputs.setText({Control::Text1, 3}, "29.9");
    s.inputs.setText({Control::Combo1, 0}, "2");
    s.inputs.setState({Control::Option1, 1}, true);
    s.inputs.setState({Control::Check1, 0}, true);
    ASSERT_TRUE(s.commands.checkSettings());
    EXPECT_EQ(s.commands.checkSettings()->highlight, Highlight::Text1_3);

    s.commands.restoreSettingsSnapshot();
    Inputs expected = opened;
    expected.check1 = true;
    test::expectSameFields(s.inputs.values(), expected);
    EXPECT_FALSE(s.commands.checkSettings());
}

TEST(CalculatorCommands, CurveFieldCommandsAreSteps)
{
    Session s;
    s.start();
    s.commands.calculate('.');
    const auto reset = s.commands.reset();
    ASSERT_TRUE(reset);
    EXPECT_EQ(reset->name, "Сброс");
    EXPECT_EQ(reset->after.text4[0], "");
    EXPECT_EQ(s.inputs.values().text6[5], "");
    EXPECT_EQ(s.inputs.values().text6[22], "10");  // the top points stay
    EXPECT_FALSE(s.commands.state().resultsUnsaved);

    // A command that did nothing is no step; one that changed nothing neither.
    EXPECT_FALSE(s.commands.changeCurveFields(FieldCommand::MapLoad, [](Inputs&) { return false; }));
    EXPECT_FALSE(s.commands.changeCurveFields(FieldCommand::MapLoad, [](Inputs&) { return true; }));
    const EnginePreset& izh = kEnginePresets[0];
    const auto preset = s.commands.changeCurveFields(
        FieldCommand::EnginePreset,
        [&](Inputs& in) {
            applyPreset(izh, in, 1);
            in.text6[0] = std::string(40000, '1');
            return true;
        },
        &izh);
    ASSERT_TRUE(preset);
    EXPECT_EQ(preset->name, "ИЖ");
    EXPECT_EQ(s.inputs.values().text4[3], "26.06");
    // The step holds what the fields took.
    EXPECT_EQ(preset->after.text6[0].size(), kFieldTextLimit);
}

TEST(CalculatorCommands, TheWayOutWritesTheSettingsThenDecides)
{
    Session s;
    s.start();
    EXPECT_EQ(s.commands.exitProgram().table, ExitTable::Leave);
    EXPECT_EQ(test::readBytes(s.folder / "Data.dat"), settingsFileBytes(s.inputs.values()));
    s.commands.calculate('.');
    EXPECT_EQ(s.commands.exitProgram().table, ExitTable::Ask);
    s.commands.saveTable();
    EXPECT_EQ(s.commands.exitProgram().table, ExitTable::Leave);
    s.inputs.setState({Control::Check1, 0}, true);
    EXPECT_EQ(s.commands.exitProgram().table, ExitTable::Save);

    // The next run reads what this one left.
    Session next;
    test::writeBytes(next.folder / "Data.dat", test::readBytes(s.folder / "Data.dat"));
    next.start();
    test::expectSameFields(next.inputs.values(), s.inputs.values());

    // A settings file that cannot be read is told of at the start; one that
    // cannot be written, on the way out, with its name.
    Session unreadable;
    std::filesystem::create_directory(unreadable.folder / "Data.dat");
    unreadable.start();
    ASSERT_TRUE(unreadable.commands.settingsWarning());
    EXPECT_EQ(unreadable.commands.settingsWarning()->icon, Icon::Exclamation);
    InputsModel inputs;
    CalculatorCommands nowhere(inputs, {s.folder / "missing" / "Data.dat", s.folder / "t.asm"});
    nowhere.loadSettings();
    const auto plan = nowhere.exitProgram();
    ASSERT_EQ(plan.messages.size(), 1u);
    EXPECT_EQ(plan.messages[0].icon, Icon::Critical);
    EXPECT_NE(plan.messages[0].text.find("Data.dat"), std::string::npos);
}

}  // namespace
}  // namespace ign
