// The calculator's commands without a window: Calculate and Reset, writing
// the table, the firmware build up to the assembler, the settings panel's
// snapshot, and the way out. Each works on the inputs model and the
// calculator state and returns what the window must show -- the listing, the
// curve segments, the messages with their icons and the field to highlight --
// without showing anything itself. The window and igntable both drive this
// class, so the sequence of a command is written once.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/calc_state.h"
#include "model/calculate.h"
#include "model/exit_plan.h"
#include "model/field_steps.h"
#include "model/inputs_model.h"
#include "model/messages.h"
#include "model/table_analysis.h"
#include "storage/atomic_file.h"
#include "storage/settings_file.h"

namespace ign {

struct EnginePreset;

class CalculatorCommands {
public:
    struct Files {
        std::filesystem::path settings;  // Data.dat
        std::filesystem::path table;  // IgnTable.asm
    };

    CalculatorCommands(InputsModel& inputs, Files files);

    InputsModel& inputs() { return inputs_; }
    const InputsModel& inputs() const { return inputs_; }
    const CalcState& state() const { return state_; }
    const Files& files() const { return files_; }

    // Reads the settings file into the inputs, all of it or nothing; a
    // missing file (a first start) or one that cannot be read leaves them as
    // they are. What was found decides the way out (exitProgram).
    const SettingsLoadResult& loadSettings();
    // The warning start-up shows about the settings file, if any.
    std::optional<Message> settingsWarning() const;
    // The state's start values from the inputs as they now are.
    void startUp();

    // "Рассчитать". A calculation that is not refused is kept for analysis().
    CalculateOutcome calculate(char decimalSeparator);
    // The advance the controller fires with the tables of the last
    // calculation that was not refused; nothing before one. It takes a
    // while, so it runs only when asked.
    std::optional<TableAnalysis> analysis() const;

    // "Сброс": the results count as saved, the coefficient fields and the
    // point fields at 1000..10000 rpm are emptied. The listing and the main
    // graph's curves go; the step is for the history, nothing when no text
    // changed.
    std::optional<FieldStep> reset();
    // A command that rewrites coefficient and point fields: `change` gets the
    // values as they are and rewrites what it will, false when it did
    // nothing. The values then go to the inputs; the step is for the history.
    std::optional<FieldStep> changeCurveFields(FieldCommand command,
                                               const std::function<bool(Inputs&)>& change,
                                               const EnginePreset* preset = nullptr);

    // Writes IgnTable.asm from the state and the delay and pulse count as the
    // fields hold them now. Written, the results count as saved; otherwise
    // they stay unsaved and the message says which file and why.
    struct TableWrite {
        WriteResult written;
        std::optional<Message> failure;
    };
    TableWrite saveTable();

    // "Создать прошивку .hex" up to the assembler: Calculate, with all its
    // messages, then the table, whether or not Calculate was refused (the
    // previous results are written then). The assembler may run only on a
    // table that was written: the firmware would otherwise carry an old one
    // without a word.
    struct FirmwareStart {
        CalculateOutcome calculation;
        std::optional<Message> writeFailure;
        bool build = false;
    };
    FirmwareStart prepareFirmware(char decimalSeparator);

    // The settings panel: opening it keeps what "Отмена" puts back (the
    // check box is not kept), "Применить" checks the delay and the pulse.
    void takeSettingsSnapshot();
    std::optional<Message> checkSettings() const;
    void restoreSettingsSnapshot();

    // The way out: the settings file is written first, on every way out;
    // `messages` say what went wrong there, `table` whether the results are
    // written as well, or the user is asked.
    struct ExitPlan {
        std::vector<Message> messages;
        ExitTable table = ExitTable::Leave;
    };
    ExitPlan exitProgram();

private:
    InputsModel& inputs_;
    Files files_;
    CalcState state_;
    SettingsLoadResult settingsLoad_;
    // The state and inputs of the last Calculate that was not refused.
    std::optional<std::pair<CalcState, Inputs>> calculated_;
    // Texts of Text1(1) to Text1(6), of Combo1(0) and Combo1(1), and whether
    // Option1(0) and Option1(1) are selected, as the panel was opened.
    struct SettingsSnapshot {
        std::array<std::string, 7> text1{};
        std::array<std::string, 2> combo1{};
        std::array<bool, 2> option1{};
    };
    SettingsSnapshot settingsSnapshot;
};

}  // namespace ign
