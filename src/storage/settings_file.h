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

struct SettingsLoadResult {
    enum class Status { Loaded, Missing, Unreadable };
    Status status = Status::Missing;
    std::string reason;  // in Russian, when not Loaded
    explicit operator bool() const { return status == Status::Loaded; }
};
// Reads the file into the fields, all of it or nothing: the fields stay
// untouched when the file is missing (a first start) or cannot be read to
// its end.
SettingsLoadResult loadSettingsFile(const std::filesystem::path& file, Inputs& in);

WriteResult saveSettingsFile(const std::filesystem::path& file, const Inputs& in);

// An existing file that could not be read holds the user's inputs all the
// same: start-up says so once, and shutdown keeps it instead of writing over
// it.

// The start-up warning (in Russian) for what loading found; empty when the
// file was read or is missing, a first start.
std::string settingsLoadWarning(const std::filesystem::path& file,
                                const SettingsLoadResult& loaded);

struct SettingsSaveOutcome {
    std::filesystem::path file;  // where the inputs were written
    WriteResult written;
    std::string notice;  // in Russian, when the inputs went elsewhere
};
// Writes the settings at shutdown. A file start-up could not read is first
// renamed to "<name>.bak"; where that fails it stays, and the inputs go to
// "<name>.new" beside it. Once the file is out of the way, `loaded` says
// Loaded, so that a second shutdown (after Cancel) writes as usual.
SettingsSaveOutcome saveSettingsAtShutdown(const std::filesystem::path& file, const Inputs& in,
                                           SettingsLoadResult& loaded);

}  // namespace ign
