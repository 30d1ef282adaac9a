// igntable: the "Рассчитать" button without the window, for scripted
// firmware builds. Reads a settings file, prints the listing and messages,
// writes the table source.
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "model/calculate.h"
#include "model/table_analysis.h"
#include "output/achieved_csv.h"
#include "output/table_source.h"
#include "storage/atomic_file.h"
#include "storage/settings_file.h"

namespace {

constexpr const char* kUsage =
    "Usage: igntable [--settings FILE] [--output FILE] [--decimal-separator C]\n"
    "                [--achieved FILE]\n"
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
    "written), 2 usage, read or write error.\n";

int usageError(const std::string& reason)
{
    std::cerr << "igntable: " << reason << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::filesystem::path settings = ign::kSettingsFileName;
    std::filesystem::path output = ign::kTableSourceFileName;
    char separator = '.';
    std::filesystem::path achieved;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= argc)
            return usageError("missing value after " + std::string(arg) + " (see --help)");
        const std::string value = argv[++i];
        if (arg == "--settings") {
            settings = value;
        } else if (arg == "--output") {
            output = value;
        } else if (arg == "--achieved") {
            achieved = value;
        } else if (arg == "--decimal-separator") {
            if (value.size() != 1)
                return usageError("the decimal separator must be one character");
            separator = value[0];
        } else {
            return usageError("unknown option " + std::string(arg) + " (see --help)");
        }
    }

    ign::Inputs inputs = ign::initialInputs();
    if (!ign::loadSettingsFile(settings, inputs))
        return usageError("cannot read the settings file " + settings.string());

    ign::CalcState state;
    ign::startUp(state, inputs);
    const ign::CalculateOutcome outcome = ign::calculate(state, inputs, separator);
    std::string listing = outcome.listing;
    std::erase(listing, '\r');
    std::cout << listing;
    for (const ign::Message& m : outcome.messages)
        std::cerr << m.text << "\n";
    if (outcome.refused)
        return 1;
    ign::TableAnalysis analysis;
    if (!achieved.empty()) {
        analysis = ign::analyseTable(state, inputs);
        for (int ch = 0; ch < 2; ++ch)
            std::cerr << ign::analysisSummaryLine(analysis, ch, separator) << "\n";
    }

    const ign::WriteResult written = ign::writeTableSource(output, state, inputs);
    if (!written.ok)
        return usageError("cannot write " + output.string() + ": " + written.reason);
    if (!achieved.empty()) {
        const ign::WriteResult csv = ign::writeFileAtomically(achieved, ign::achievedCsv(analysis));
        if (!csv.ok)
            return usageError("cannot write " + achieved.string() + ": " + csv.reason);
    }
    return 0;
}
