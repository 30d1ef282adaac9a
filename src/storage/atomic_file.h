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

// The first `limit` bytes of a regular file, refused as readWholeFile does.
struct FileStart {
    std::string bytes;
    bool cut = false;  // the file holds more than `limit` bytes
    int error = 0;  // why it could not be read (ENOENT when missing), else 0
};
FileStart readFileStart(const std::filesystem::path& file, std::size_t limit);

// Whether two names lead to the same file, however they are spelled: links
// are followed, "." and ".." resolved, and hard links seen as one file. Names
// of files that do not exist yet are the same when writing to either would
// create the same file.
bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second);

}  // namespace ign
