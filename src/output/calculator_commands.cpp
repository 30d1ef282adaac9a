#include "output/calculator_commands.h"

#include <utility>

#include "model/settings_check.h"
#include "output/table_source.h"

namespace ign {

CalculatorCommands::CalculatorCommands(InputsModel& inputs, Files files)
    : inputs_(inputs), files_(std::move(files))
{ }

const SettingsLoadResult& CalculatorCommands::loadSettings()
{
    Inputs loaded = inputs_.values();
    settingsLoad_ = loadSettingsFile(files_.settings, loaded);
    if (settingsLoad_)
        inputs_.assign(loaded);
    return settingsLoad_;
}

std::optional<Message> CalculatorCommands::settingsWarning() const
{
    const std::string warning = settingsLoadWarning(files_.settings, settingsLoad_);
    if (warning.empty())
        return std::nullopt;
    return Message{warning, Icon::Exclamation, Highlight::None};
}

void CalculatorCommands::startUp()
{
    ign::startUp(state_, inputs_.values());
}

CalculateOutcome CalculatorCommands::calculate(char decimalSeparator)
{
    const Inputs& in = inputs_.values();
    CalculateOutcome outcome = ign::calculate(state_, in, decimalSeparator);
    if (!outcome.refused)
        calculated_.emplace(state_, in);
    return outcome;
}

std::optional<TableAnalysis> CalculatorCommands::analysis() const
{
    if (!calculated_)
        return std::nullopt;
    return analyseTable(calculated_->first, calculated_->second);
}

std::optional<FieldStep> CalculatorCommands::reset()
{
    return changeCurveFields(FieldCommand::Reset, [this](Inputs& in) {
        ign::reset(state_, in);
        return true;
    });
}

std::optional<FieldStep> CalculatorCommands::changeCurveFields(
    FieldCommand command, const std::function<bool(Inputs&)>& change, const EnginePreset* preset)
{
    const Inputs before = inputs_.values();
    Inputs after = before;
    if (!change(after))
        return std::nullopt;
    inputs_.assign(after);
    // What the fields took, which may be less than what was handed to them.
    return fieldStep(command, before, inputs_.values(), preset);
}

CalculatorCommands::TableWrite CalculatorCommands::saveTable()
{
    TableWrite out{saveResults(files_.table, state_, inputs_.values()), std::nullopt};
    if (!out.written.ok)
        out.failure = Message{writeFailureText(files_.table, out.written.reason), Icon::Critical,
                              Highlight::None};
    return out;
}

CalculatorCommands::FirmwareStart CalculatorCommands::prepareFirmware(char decimalSeparator)
{
    FirmwareStart start;
    start.calculation = calculate(decimalSeparator);
    start.writeFailure = saveTable().failure;
    start.build = !start.writeFailure;
    return start;
}

void CalculatorCommands::takeSettingsSnapshot()
{
    const Inputs& in = inputs_.values();
    settingsSnapshot = {in.text1, in.combo1, in.option1};
}

std::optional<Message> CalculatorCommands::checkSettings() const
{
    return ign::checkSettings(inputs_.values());
}

void CalculatorCommands::restoreSettingsSnapshot()
{
    for (int i = 1; i <= 6; ++i)
        inputs_.setText({Control::Text1, i}, settingsSnapshot.text1[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 2; ++i)
        inputs_.setText({Control::Combo1, i}, settingsSnapshot.combo1[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 2; ++i)
        inputs_.setState({Control::Option1, i}, settingsSnapshot.option1[static_cast<std::size_t>(i)]);
}

CalculatorCommands::ExitPlan CalculatorCommands::exitProgram()
{
    ExitPlan plan;
    const SettingsSaveOutcome saved =
        saveSettingsAtShutdown(files_.settings, inputs_.values(), settingsLoad_);
    if (!saved.written.ok)
        plan.messages.push_back(
            {writeFailureText(saved.file, saved.written.reason), Icon::Critical, Highlight::None});
    else if (!saved.notice.empty())
        plan.messages.push_back({saved.notice, Icon::Exclamation, Highlight::None});
    plan.table = exitTable(inputs_.values(), state_);
    return plan;
}

}  // namespace ign
