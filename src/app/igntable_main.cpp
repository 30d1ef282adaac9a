// igntable: the "Рассчитать" button without the window, for scripted
// firmware builds. Reads a settings file, prints the listing and messages,
// writes the table source.
#include <filesystem>
#include <string>
#include <string_view>

#include "model/inputs_model.h"
#include "model/table_analysis.h"
#include "output/achieved_csv.h"
#include "output/calculator_commands.h"
#include "output/table_source.h"
#include "storage/atomic_file.h"
#include "storage/platform_file.h"
#include "storage/settings_file.h"

namespace {

constexpr const char* kUsage =
    "Usage: igntable [--settings FILE] [--output FILE] [--decimal-separator C]\n"
    "                [--achieved FILE]\n"
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
    "\n"
    "Exit status: 0 done (warnings allowed), 1 calculation refused (nothing\n"
    "written), 2 usage, read or write error (nothing written).\n";

constexpr int kFailed = 2;

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

struct Options {
    std::filesystem::path settings = ign::kSettingsFileName;
    std::filesystem::path output = ign::kTableSourceFileName;
    std::filesystem::path achieved;  // none when empty
    char separator = '.';
};

// Empty when the options are good, else the reason.
std::string parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg != "--settings" && arg != "--output" && arg != "--achieved" &&
            arg != "--decimal-separator")
            return "unknown option " + arg + " (see --help)";
        if (i + 1 >= argc)
            return "missing value after " + arg + " (see --help)";
        const std::string value = argv[++i];
        if (arg == "--settings") {
            options.settings = value;
        } else if (arg == "--output") {
            options.output = value;
        } else if (arg == "--achieved") {
            options.achieved = value;
        } else {
            if (value.size() != 1)
                return "the decimal separator must be one character";
            options.separator = value[0];
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return printed(kUsage) ? 0 : kFailed;
        if (arg == "--version")
            return printed("igntable " IGN_VERSION "\n") ? 0 : kFailed;
    }
    Options options;
    if (const std::string reason = parseOptions(argc, argv, options); !reason.empty())
        return fail(reason);

    ign::InputsModel inputs;
    ign::CalculatorCommands commands(inputs, {options.settings, options.output});
    if (const ign::SettingsLoadResult& loaded = commands.loadSettings(); !loaded)
        return fail("cannot read the settings file " + options.settings.string() + ": " +
                    loaded.reason);

    commands.startUp();
    const ign::CalculateOutcome outcome = commands.calculate(options.separator);
    std::string listing = outcome.listing;
    std::erase(listing, '\r');
    if (!printed(listing))
        return kFailed;
    for (const ign::Message& m : outcome.messages) {
        if (!reported(m.text + "\n"))
            return kFailed;
    }
    if (outcome.refused)
        return 1;
    ign::TableAnalysis analysis;
    if (!options.achieved.empty()) {
        analysis = *commands.analysis();
        for (int ch = 0; ch < 2; ++ch) {
            if (!reported(ign::analysisSummaryLine(analysis, ch, options.separator) + "\n"))
                return kFailed;
        }
    }

    if (const ign::WriteResult written = commands.saveTable().written; !written.ok)
        return fail("cannot write " + options.output.string() + ": " + written.reason);
    if (!options.achieved.empty()) {
        const ign::WriteResult csv =
            ign::writeFileAtomically(options.achieved, ign::achievedCsv(analysis));
        if (!csv.ok)
            return fail("cannot write " + options.achieved.string() + ": " + csv.reason);
    }
    return 0;
}
