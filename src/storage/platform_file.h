// The few things the file code needs from the operating system. Everything
// else in storage is portable; each system has one source file implementing
// this header. Error numbers are those of <cerrno> (EACCES, ENOSPC, ...),
// whatever the system itself reports, so that one table turns them into
// messages; 0 means success.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace ign::platform {

// The error number for a named pipe, a device or a socket where a file is
// expected; <cerrno> has none for it.
inline constexpr int kNotRegularFile = -1;

// The error number for a symbolic link in a sticky folder anyone may write
// (/tmp) that belongs neither to the user nor to the folder's owner.
inline constexpr int kForeignLink = -2;

// An existing file opened for reading.
class InputFile {
public:
    // Opens the file; openError() tells why it could not be opened. Only a
    // regular file is opened: a folder is refused with EISDIR, anything else
    // with kNotRegularFile, and a named pipe without waiting for a writer.
    explicit InputFile(const std::filesystem::path& file);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    int openError() const { return openError_; }
    bool isOpen() const { return handle_ != kClosed; }

    // Reads up to `size` bytes into `into`; returns how many, 0 at the end of
    // the file or on an error, which is then left in `error` (else 0).
    std::size_t read(char* into, std::size_t size, int& error);
    void close();

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;  // the system's handle of the open file
    int openError_ = 0;
};

// A file written in full under a temporary name beside the file it is to
// replace, waiting to be put in that file's place.
struct PreparedFile {
    std::filesystem::path target;  // the end of the requested name's links
    std::filesystem::path temporary;  // empty once put in place or discarded
};

// Writes `bytes` to a new temporary file beside `file`, durably. A link is
// followed to the file it names, unless another user planted it in a shared
// folder (kForeignLink). An existing target must be a regular file the user
// may write (EISDIR, kNotRegularFile, EACCES otherwise); the new file gets
// its permissions and, where allowed, its owner. On failure nothing is left
// behind. A file-size limit makes the write fail with EFBIG instead of ending
// the program.
int prepareFile(const std::filesystem::path& file, std::string_view bytes, PreparedFile& prepared);

// Puts the prepared file in place of its target in one step and makes the
// rename durable; on failure the target and the temporary file are as they
// were.
int putInPlace(PreparedFile& prepared);

// Removes the temporary file of a prepared file that is not to be put in
// place.
void discardPrepared(PreparedFile& prepared);

// Gives the file `target` now names a second name beside it, so that it
// survives the target's replacement and can be put back by putInPlace:
// the same file, with its owner and permissions, not a copy. ENOENT when
// there is no target; an error where the file system has no hard links.
int keepUnderSecondName(const std::filesystem::path& target, PreparedFile& kept);

// Gives `from` (a file, a folder or a link, not followed) the name `to`,
// which must be free: EEXIST when anything has that name, never replacing it.
int renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Whether two absolute, normalised paths name the same file by their
// spelling: letter case counts on POSIX systems, not on Windows.
bool sameName(const std::filesystem::path& first, const std::filesystem::path& second);

// Writes all of `bytes` to standard output or standard error; a file-size
// limit gives EFBIG here too, and a reader that went away EPIPE instead of
// ending the program.
int writeStandardOutput(std::string_view bytes);
int writeStandardError(std::string_view bytes);

}  // namespace ign::platform
