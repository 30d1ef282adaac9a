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

// An existing file opened for reading.
class InputFile {
public:
    // Opens the file; openError() tells why it could not be opened. A folder
    // is refused with EISDIR.
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

// Writes `bytes` to a new temporary file in the folder of `file`, makes it
// durable and puts it in place of `file` in one step. On failure `file` is as
// it was and no temporary file is left. A file-size limit makes the write
// fail with EFBIG instead of ending the program.
int replaceFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace ign::platform
