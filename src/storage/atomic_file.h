// Every file the program writes goes through here: the bytes land in a
// temporary file in the same folder, which then replaces the target, so a
// failing write never leaves a truncated file behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ign {

struct WriteResult {
    bool ok = true;
    std::string reason;  // in Russian, for the user, when !ok
};

WriteResult writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// The Russian description of a system error number (or of
// platform::kNotRegularFile), for messages; the second one for a file that
// was to be read.
std::string describeError(int errorNumber);
std::string describeReadError(int errorNumber);

// A path as messages show it: UTF-8 whatever the system's own narrow
// encoding, with the system's own separators.
std::string displayPath(std::filesystem::path file);

// What the user is told when `file` could not be written.
std::string writeFailureText(const std::filesystem::path& file, const std::string& reason);

// The whole of a regular file; nothing when it cannot be read. A named pipe
// or a device is refused, not waited on.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

}  // namespace ign
