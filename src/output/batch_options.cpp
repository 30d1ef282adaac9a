#include "output/batch_options.h"

#include <array>
#include <string_view>

#include "model/numbers.h"
#include "output/table_source.h"
#include "storage/atomic_file.h"
#include "storage/settings_file.h"

namespace ign {
namespace {

struct TableModeOption {
    std::string_view name;
    BatchOptions::Mode mode;
};
constexpr std::array<TableModeOption, 3> kTableModes{{
    {"--read-table", BatchOptions::Mode::ReadTable},
    {"--compare", BatchOptions::Mode::Compare},
    {"--take-curve", BatchOptions::Mode::TakeCurve},
}};

bool takesFileName(std::string_view option)
{
    if (option == "--settings" || option == "--output" || option == "--achieved")
        return true;
    for (const TableModeOption& m : kTableModes)
        if (option == m.name)
            return true;
    return false;
}

// A file whose name starts with two dashes is still reachable as ./--name;
// taken as a value, such a word is far more likely a forgotten one.
bool looksLikeOption(std::string_view value)
{
    return value.starts_with("--") || value == "-h";
}

std::string tableModeName(BatchOptions::Mode mode)
{
    for (const TableModeOption& m : kTableModes)
        if (m.mode == mode)
            return std::string(m.name);
    return {};
}

}  // namespace

BatchOptionsResult parseBatchOptions(const std::vector<std::string>& args)
{
    BatchOptionsResult result;
    BatchOptions& o = result.options;
    o.settings = kSettingsFileName;
    o.output = kTableSourceFileName;
    const auto refuse = [&](std::string reason) {
        result.error = std::move(reason);
        return result;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            o.mode = BatchOptions::Mode::Help;
            return result;
        }
        if (arg == "--version") {
            o.mode = BatchOptions::Mode::Version;
            return result;
        }
        if (!takesFileName(arg) && arg != "--decimal-separator")
            return refuse("unknown option " + arg + " (see --help)");
        if (i + 1 >= args.size())
            return refuse("missing value after " + arg + " (see --help)");
        const std::string& value = args[++i];
        if (looksLikeOption(value))
            return refuse("missing value after " + arg + ": " + value + " is an option");

        if (arg == "--decimal-separator") {
            if (value.size() != 1 || !(value[0] == '.' || isNumberBreak(value[0])))
                return refuse(
                    "the decimal separator must be the full stop or one character that cannot "
                    "be part of a number, such as the comma");
            o.decimalSeparator = value[0];
            continue;
        }
        if (value.empty())
            return refuse("empty file name after " + arg);
        if (arg == "--settings") {
            o.settings = value;
        } else if (arg == "--output") {
            o.output = value;
            o.outputGiven = true;
        } else if (arg == "--achieved") {
            o.achieved = value;
        } else {
            for (const TableModeOption& m : kTableModes) {
                if (arg != m.name)
                    continue;
                if (o.mode != BatchOptions::Mode::Calculate)
                    return refuse("only one of --read-table, --compare and --take-curve at a time");
                o.mode = m.mode;
            }
            o.tableFile = value;
        }
    }
    if (o.mode != BatchOptions::Mode::Calculate && (o.outputGiven || !o.achieved.empty()))
        return refuse(tableModeName(o.mode) + " writes no file: " +
                      (o.outputGiven ? "--output" : "--achieved") + " cannot go with it");
    return result;
}

std::string sameFileRefusal(const BatchOptions& o)
{
    struct Named {
        std::string option;
        std::filesystem::path file;
    };
    std::vector<Named> outputs{{"--output", o.output}};
    if (!o.achieved.empty())
        outputs.push_back({"--achieved", o.achieved});
    const auto same = [](const Named& a, const Named& b) {
        return a.option + " " + displayPath(a.file) + " and " + b.option + " " +
            displayPath(b.file) + " are the same file";
    };
    const Named settings{"--settings", o.settings};
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (sameFile(outputs[i].file, settings.file))
            return same(outputs[i], settings);
        for (std::size_t j = 0; j < i; ++j)
            if (sameFile(outputs[i].file, outputs[j].file))
                return same(outputs[i], outputs[j]);
    }
    return {};
}

}  // namespace ign
