// Every file the program writes goes through here: the bytes land in a
// temporary file in the same folder, which then replaces the target, so a
// failing write never leaves a truncated file behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/platform_file.h"

namespace ign {

struct WriteResult {
    bool ok = true;
    std::string reason;  // in Russian, for the user, when !ok
};

WriteResult writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// The outputs of one command, which change together or not at all: each is
// written in full beside its target first, and the targets are replaced only
// once every one was written. The targets must be distinct files (sameFile
// tells two names of one file apart from two files).
class PendingFiles {
public:
    PendingFiles() = default;
    // What was not put in place is removed: the targets stay as they were.
    ~PendingFiles();
    PendingFiles(const PendingFiles&) = delete;
    PendingFiles& operator=(const PendingFiles&) = delete;

    // Writes `bytes` beside `file`, as writeFileAtomically would, without
    // replacing it yet.
    WriteResult add(const std::filesystem::path& file, std::string_view bytes);

    struct Outcome {
        bool ok = true;
        std::filesystem::path file;  // the file that could not be put in place, when !ok
        std::string reason;  // in Russian, when !ok
        // A target already replaced when a later one failed, which could not
        // be given back what it held: where that is kept now (empty when the
        // target is new and could not be removed), and why.
        struct NotRestored {
            std::filesystem::path file;
            std::filesystem::path previous;
            std::string reason;
        };
        std::vector<NotRestored> notRestored;
    };
    // Puts the files in place in the order they were added. When one cannot
    // be, those put in place before it get back the file they replaced (kept
    // under a second name, or a copy where the file system allows no second
    // name) or, when they were new, are removed: all or nothing, as far as
    // the system allows; what it did not allow is in notRestored.
    Outcome replaceAll();

private:
    struct Pending {
        std::filesystem::path requested;
        platform::PreparedFile fresh;
        platform::PreparedFile previous;  // the target as it was, while it may be needed
    };
    // Gives a target that was replaced back what it held.
    static void restore(Pending& p, Outcome& out);

    std::vector<Pending> files_;
};

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
