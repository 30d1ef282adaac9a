// Curve map files: the points and coefficients of one characteristic, 14 lines.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/inputs.h"
#include "storage/atomic_file.h"

namespace ign {

inline constexpr int kMapLines = 14;

// The Text6/Text4 element behind line 1..14 of a map file for a characteristic.
struct MapField {
    bool isPoint;  // Text6 when true, Text4 otherwise
    int index;
};
MapField mapField(int characteristic, int line);

// The 14 field texts as they stand, Windows-1251 with CR LF.
std::string mapFileBytes(const Inputs& in, int characteristic);

// Loads lines in order until the first that cannot be read; each becomes its
// field's number in the general number format with the full stop. Returns the
// number of lines applied.
int applyMapBytes(std::string_view bytes, Inputs& in, int characteristic);

struct MapLoadResult {
    bool opened = false;
    int linesApplied = 0;
    std::string reason;  // in Russian, when !opened
    std::size_t bytesRead = 0;
};
// Reads no more of the file than the 14 lines need. A file that cannot be
// opened or read that far changes no field (opened stays false).
MapLoadResult loadMapFile(const std::filesystem::path& file, Inputs& in, int characteristic);

WriteResult saveMapFile(const std::filesystem::path& file, const Inputs& in, int characteristic);

}  // namespace ign
