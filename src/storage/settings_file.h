// Data.dat: the 103 input texts and control states, one per line, kept from
// one run to the next.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/inputs.h"
#include "storage/atomic_file.h"

namespace ign {

inline constexpr const char* kSettingsFileName = "Data.dat";
inline constexpr int kSettingsLines = 103;

// The whole file, Windows-1251 with CR LF.
std::string settingsFileBytes(const Inputs& in);

// Applies a file's bytes to the fields in line order with the acceptance rules
// of each control; a short file repeats its last line into the later fields.
void applySettingsBytes(std::string_view bytes, Inputs& in);

// Reads the file into the fields. Returns false, with the fields untouched,
// when the file does not exist or cannot be opened.
bool loadSettingsFile(const std::filesystem::path& file, Inputs& in);

WriteResult saveSettingsFile(const std::filesystem::path& file, const Inputs& in);

}  // namespace ign
