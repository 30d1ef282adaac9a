// IgnTable.asm: the EEPROM image of both timing tables and the speed limits,
// with the controller constants, as a PIC assembler include.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/calc_state.h"
#include "model/inputs.h"
#include "storage/atomic_file.h"

namespace ign {

inline constexpr const char* kTableSourceFileName = "IgnTable.asm";

// The 140 lines in UTF-8, without line ends.
std::vector<std::string> tableSourceLines(const CalcState& state, const Inputs& in);

// The file's bytes: Windows-1251, CR LF.
std::string tableSourceBytes(const CalcState& state, const Inputs& in);

// Writes the file atomically; the state is left as it is.
WriteResult writeTableSource(const std::filesystem::path& file, const CalcState& state,
                             const Inputs& in);
// Writes the file and, once the results are on disk, marks them saved; a
// failed write leaves them unsaved.
WriteResult saveResults(const std::filesystem::path& file, CalcState& state, const Inputs& in);

}  // namespace ign
