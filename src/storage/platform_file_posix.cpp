// The POSIX side of platform_file.h: every system call of the storage code.
#include "storage/platform_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

namespace ign::platform {

InputFile::InputFile(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        openError_ = errno;
        return;
    }
    // A folder opens for reading on this system but is no file to read.
    struct stat info { };
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        openError_ = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        return;
    }
    handle_ = fd;
}

InputFile::~InputFile()
{
    close();
}

void InputFile::close()
{
    if (handle_ != kClosed)
        ::close(static_cast<int>(handle_));
    handle_ = kClosed;
}

std::size_t InputFile::read(char* into, std::size_t size, int& error)
{
    error = 0;
    if (handle_ == kClosed || size == 0)
        return 0;
    ssize_t n = 0;
    do
        n = ::read(static_cast<int>(handle_), into, size);
    while (n < 0 && errno == EINTR);
    if (n < 0) {
        error = errno;
        return 0;
    }
    return static_cast<std::size_t>(n);
}

int replaceFile(const std::filesystem::path& file, std::string_view bytes)
{
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    std::string tmpl = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return errno;

    // A file-size limit raises SIGXFSZ, which would end the program instead of
    // failing the write; the write must fail with EFBIG and report it.
    struct sigaction ignore { };
    struct sigaction previous { };
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previous);

    int err = 0;
    for (std::size_t done = 0; done < bytes.size() && err == 0;) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno != EINTR)
                err = errno;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    ::sigaction(SIGXFSZ, &previous, nullptr);
    // The new file gets the usual permissions, not mkstemp's private ones.
    if (err == 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(tmpl.c_str(), file.c_str()) != 0)
        err = errno;
    if (err != 0)
        ::unlink(tmpl.c_str());
    return err;
}

}  // namespace ign::platform
