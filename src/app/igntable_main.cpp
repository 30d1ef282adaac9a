// igntable: the "Рассчитать" button without the window, for scripted
// firmware builds. Reads a settings file, prints the listing and messages,
// writes the table source; or reads a table back from a firmware image or a
// table source, to list it, compare it or take its curve.
#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/controller_table.h"
#include "model/curve_from_table.h"
#include "model/inputs_model.h"
#include "model/messages.h"
#include "model/table_analysis.h"
#include "model/table_compare.h"
#include "output/achieved_csv.h"
#include "output/batch_options.h"
#include "output/calculator_commands.h"
#include "output/table_source.h"
#include "storage/atomic_file.h"
#include "storage/platform_file.h"
#include "storage/table_image.h"

namespace {

constexpr const char* kUsage =
    "Usage: igntable [--settings FILE] [--output FILE] [--decimal-separator C]\n"
    "                [--achieved FILE]\n"
    "       igntable [--settings FILE] [--decimal-separator C] --read-table FILE\n"
    "       igntable [--settings FILE] [--decimal-separator C] --compare FILE\n"
    "       igntable [--settings FILE] --take-curve FILE\n"
    "       igntable --help | --version\n"
    "\n"
    "Reads the inputs from FILE (default Data.dat in the current folder), runs the\n"
    "calculation as the window's \"Рассчитать\" button does, prints the listing on\n"
    "standard output and every message on standard error, and writes the table\n"
    "source (default IgnTable.asm in the current folder).\n"
    "\n"
    "--achieved FILE also writes the advance the controller really fires at every\n"
    "crank period 512..8191 ticks as CSV (wanted, achieved and deviation of both\n"
    "characteristics) and prints the largest deviation of each on standard error.\n"
    "The table and the CSV are replaced together or not at all.\n"
    "\n"
    "The other three read the table of a firmware image (kom.hex) or a table source\n"
    "(IgnTable.asm), fire it under the sensor and controller fields of the settings\n"
    "file, and write no file:\n"
    "--read-table FILE  lists it as the calculation does (entry, k, b, speed,\n"
    "                   achieved advance), calculating nothing;\n"
    "--compare FILE     calculates, and after the listing prints a summary line and\n"
    "                   one line per entry whose bytes differ from the file's;\n"
    "--take-curve FILE  prints for each characteristic the points 0..10000 rpm and\n"
    "                   the top value whose calculation by points gives the file's\n"
    "                   table, and how many of its 30 entries they reproduce.\n"
    "\n"
    "The decimal separator of the listing is the full stop (default) or one\n"
    "character that cannot be part of a number, such as the comma.\n"
    "\n"
    "Exit status: 0 done (warnings allowed), 1 calculation refused (nothing\n"
    "written), 2 usage, read or write error (nothing written), 3 --compare found\n"
    "the file's table different from the calculated one.\n";

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kFailed = 2;
constexpr int kTablesDiffer = 3;

// Standard error may itself be unwritable (a full disk); the exit status is
// then all that can tell.
int fail(const std::string& reason)
{
    ign::platform::writeStandardError("igntable: " + reason + "\n");
    return kFailed;
}

// A listing that did not reach its file is a failed run, however far the
// calculation went.
bool printed(std::string_view text)
{
    const int err = ign::platform::writeStandardOutput(text);
    if (err != 0)
        fail("cannot write to standard output: " + ign::describeError(err));
    return err == 0;
}

bool reported(std::string_view text)
{
    return ign::platform::writeStandardError(text) == 0;
}

// The core's texts end their lines in CR LF, as the window shows them; a
// script reads LF.
bool printedLines(std::string text)
{
    std::erase(text, '\r');
    return printed(text);
}

std::string shown(const std::filesystem::path& file)
{
    return ign::displayPath(file);
}

// Calculates, prints the listing and the messages; false when the run ends
// here, with its exit status in `status`.
bool calculated(ign::CalculatorCommands& commands, char separator, int& status)
{
    commands.startUp();
    const ign::CalculateOutcome outcome = commands.calculate(separator);
    status = kFailed;
    if (!printedLines(outcome.listing))
        return false;
    for (const ign::Message& m : outcome.messages) {
        if (!reported(m.text + "\n"))
            return false;
    }
    status = outcome.refused ? kRefused : kDone;
    return !outcome.refused;
}

int calculateAndWrite(ign::CalculatorCommands& commands, const ign::BatchOptions& options)
{
    int status = kDone;
    if (!calculated(commands, options.decimalSeparator, status))
        return status;
    ign::TableAnalysis analysis;
    if (!options.achieved.empty()) {
        analysis = *commands.analysis();
        for (int ch = 0; ch < 2; ++ch) {
            if (!reported(ign::analysisSummaryLine(analysis, ch, options.decimalSeparator) + "\n"))
                return kFailed;
        }
    }

    // Every output is made before any replaces its target, so that exit 2
    // leaves the old table beside a CSV that could not be written.
    ign::PendingFiles files;
    const auto made = [&](const std::filesystem::path& file, const std::string& bytes) {
        const ign::WriteResult result = files.add(file, bytes);
        if (!result.ok)
            fail("cannot write " + shown(file) + ": " + result.reason);
        return result.ok;
    };
    if (!made(options.output, ign::tableSourceBytes(commands.state(), commands.inputs().values())))
        return kFailed;
    if (!options.achieved.empty() && !made(options.achieved, ign::achievedCsv(analysis)))
        return kFailed;
    const ign::PendingFiles::Outcome replaced = files.replaceAll();
    if (replaced.ok)
        return kDone;
    fail("cannot write " + shown(replaced.file) + ": " + replaced.reason);
    for (const auto& left : replaced.notRestored) {
        if (left.previous.empty())
            fail(shown(left.file) + " was made and could not be removed: " + left.reason);
        else
            fail(shown(left.file) + " was replaced and could not be given back: " + left.reason +
                 "; what it held is in " + shown(left.previous));
    }
    return kFailed;
}

int readTable(const ign::CalculatorCommands& commands, const ign::ControllerTable& table,
              char separator)
{
    const ign::FiredTable fired = ign::fireTable(table, ign::firingInputs(commands.inputs().values()));
    return printedLines(ign::firedTableListing(table, fired, separator)) ? kDone : kFailed;
}

int compare(ign::CalculatorCommands& commands, const ign::ControllerTable& file, char separator)
{
    int status = kDone;
    if (!calculated(commands, separator, status))
        return status;
    const ign::TableComparison comparison = ign::compareTables(
        ign::calculatedTable(commands.state()), file, ign::firingInputs(commands.state()));
    std::string text = ign::comparisonSummary(comparison, separator) + "\n";
    for (const ign::EntryDifference& d : comparison.differing)
        text += ign::differenceLine(comparison, d, separator) + "\n";
    if (!printed(text))
        return kFailed;
    return comparison.identical() ? kDone : kTablesDiffer;
}

int takeCurve(const ign::CalculatorCommands& commands, const ign::ControllerTable& table)
{
    std::string text;
    for (int ch = 0; ch < 2; ++ch) {
        const auto taken = ign::takeCurve(table, ch, commands.inputs().values());
        if (!taken) {
            reported(std::string(ign::text::kNotComputable) + "\n");
            return kRefused;
        }
        text += ign::takenCurveLine(*taken, ch) + "\n";
    }
    return printed(text) ? kDone : kFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    const ign::BatchOptionsResult parsed =
        ign::parseBatchOptions(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (!parsed.error.empty())
        return fail(parsed.error);
    const ign::BatchOptions& options = parsed.options;
    using Mode = ign::BatchOptions::Mode;
    if (options.mode == Mode::Help)
        return printed(kUsage) ? kDone : kFailed;
    if (options.mode == Mode::Version)
        return printed("igntable " IGN_VERSION "\n") ? kDone : kFailed;
    if (options.mode == Mode::Calculate) {
        if (const std::string refused = ign::sameFileRefusal(options); !refused.empty())
            return fail(refused);
    }

    ign::InputsModel inputs;
    ign::CalculatorCommands commands(inputs, {options.settings, options.output});
    if (const ign::SettingsLoadResult& loaded = commands.loadSettings(); !loaded)
        return fail("cannot read the settings file " + shown(options.settings) + ": " +
                    loaded.reason);
    if (options.mode == Mode::Calculate)
        return calculateAndWrite(commands, options);

    // A refused file ends the run before anything is printed.
    const ign::TableReadResult read = ign::readTableFile(options.tableFile);
    if (!read)
        return fail("cannot read the table file " + shown(options.tableFile) + ": " + read.reason);
    switch (options.mode) {
    case Mode::ReadTable:
        return readTable(commands, *read.table, options.decimalSeparator);
    case Mode::Compare:
        return compare(commands, *read.table, options.decimalSeparator);
    default:
        return takeCurve(commands, *read.table);
    }
}
