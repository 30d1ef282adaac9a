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
    Status status = Status::Missing;  // what reading the file itself found
    std::string reason;  // in Russian, when not Loaded
    // Set by start-up only. The inputs a shutdown had to leave beside the
    // file, when the fields came from there, with the bytes read, so that
    // the file goes once they are back in place and only while it holds them.
    std::filesystem::path readBeside;
    std::string besideBytes;
    // The name start-up announced for keeping the file at shutdown, set when
    // the file exists but the fields did not come from it.
    std::filesystem::path keptAs;
    explicit operator bool() const { return status == Status::Loaded; }
};
// Reads the file into the fields, all of it or nothing: the fields stay
// untouched when the file is missing (a first start), cannot be read to its
// end, or plainly is no settings file (Unreadable, with the reason).
SettingsLoadResult loadSettingsFile(const std::filesystem::path& file, Inputs& in);

// What the window reads at start-up: the file, unless a shutdown had to leave
// the inputs beside it in "<name>.new", which then holds the newer ones.
SettingsLoadResult loadSettingsAtStartup(const std::filesystem::path& file, Inputs& in);

WriteResult saveSettingsFile(const std::filesystem::path& file, const Inputs& in);

// An existing file the fields did not come from holds the user's inputs all
// the same: start-up says so once, and shutdown keeps it under a backup
// name, "<name>.bak", else the first free of "<name>.2.bak", "<name>.3.bak"
// ..., never replacing an earlier backup.

// The start-up notice (in Russian) for what loading found: where the inputs
// came from when not from the file, and where a file that could not be read
// will be kept; empty when the file was read or is missing, a first start.
std::string settingsLoadWarning(const std::filesystem::path& file,
                                const SettingsLoadResult& loaded);

struct SettingsSaveOutcome {
    std::filesystem::path file;  // where the inputs were written
    WriteResult written;
    std::string notice;  // in Russian, when the inputs or the old file went elsewhere
};
// Writes the settings at shutdown, keeping first a file the fields did not
// come from. Where it cannot be renamed it stays, and the inputs go to
// "<name>.new" beside it. Once they are in the file, `loaded` says Loaded, so
// that a second shutdown (after Cancel) writes as usual.
SettingsSaveOutcome saveSettingsAtShutdown(const std::filesystem::path& file, const Inputs& in,
                                           SettingsLoadResult& loaded);

}  // namespace ign
