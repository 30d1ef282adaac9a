// The command line of igntable, the batch tool, and what it refuses before
// it reads or writes anything: a run it cannot mean must change no file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ign {

struct BatchOptions {
    enum class Mode {
        Calculate,  // the window's "Рассчитать", writing the table
        ReadTable,  // list a table read back, calculating nothing
        Compare,  // calculate and compare with a table read back, writing nothing
        TakeCurve,  // the points behind a table read back
        Help,
        Version,
    };
    Mode mode = Mode::Calculate;
    std::filesystem::path settings;
    std::filesystem::path output;
    std::filesystem::path achieved;  // none when empty
    std::filesystem::path tableFile;  // the table read back, for the three table modes
    char decimalSeparator = '.';
    // Whether --output was given, rather than its default.
    bool outputGiven = false;
};

struct BatchOptionsResult {
    BatchOptions options;
    std::string error;  // empty when the options are good
};

// Reads the arguments after the program's name. Each option that takes a
// value refuses a missing or empty one, and a value that is itself an option
// (`--output --version` is a forgotten file name, not a request for the
// version). The decimal separator is the full stop or one character no
// number can contain. --help and --version end the reading.
BatchOptionsResult parseBatchOptions(const std::vector<std::string>& args);

// Refuses an output that is the same file as the settings file or as another
// output, however the names are spelled (links, "./", hard links, files
// still to be made); empty when every output is a file of its own.
std::string sameFileRefusal(const BatchOptions& options);

}  // namespace ign
