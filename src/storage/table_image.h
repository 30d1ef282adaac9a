// The table a controller holds, read back from the firmware image the
// assembler built (Intel HEX) or from a table source file, as this program
// writes it or as a hand edit leaves it. What cannot be read the way the
// assembler reads it is refused, never guessed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/controller_table.h"

namespace ign {

struct TableReadResult {
    std::optional<ControllerTable> table;  // nothing when the file is refused
    std::string reason;  // in Russian, when refused
    int line = 0;  // the line the refusal is about (1 is the first), 0 for none
    explicit operator bool() const { return table.has_value(); }
};

// A file whose first line that is not blank starts with a colon is an image.
TableReadResult readTableBytes(std::string_view bytes);
// A named pipe or a device is refused, not waited on.
TableReadResult readTableFile(const std::filesystem::path& file);

// What the user is told of a refused file.
std::string tableReadFailureText(const std::filesystem::path& file, const TableReadResult& refused);

}  // namespace ign
