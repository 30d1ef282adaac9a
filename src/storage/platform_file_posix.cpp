// The POSIX side of platform_file.h: every system call of the storage code.
#include "storage/platform_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>

namespace ign::platform {
namespace {

std::filesystem::path folderOf(const std::filesystem::path& file)
{
    return file.has_parent_path() ? file.parent_path() : ".";
}

// A file-size limit raises SIGXFSZ and a reader that closed its pipe
// SIGPIPE, either of which would end the program instead of failing the
// write; while this lives, the write fails with EFBIG or EPIPE.
class WriteSignalsIgnored {
public:
    WriteSignalsIgnored()
    {
        struct sigaction ignore { };
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &previousFileSize_);
        ::sigaction(SIGPIPE, &ignore, &previousPipe_);
    }
    ~WriteSignalsIgnored()
    {
        ::sigaction(SIGPIPE, &previousPipe_, nullptr);
        ::sigaction(SIGXFSZ, &previousFileSize_, nullptr);
    }
    WriteSignalsIgnored(const WriteSignalsIgnored&) = delete;
    WriteSignalsIgnored& operator=(const WriteSignalsIgnored&) = delete;

private:
    struct sigaction previousFileSize_ { };
    struct sigaction previousPipe_ { };
};

int writeAll(int fd, std::string_view bytes)
{
    const WriteSignalsIgnored noSignal;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            return errno;
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
    return 0;
}

int errorOfType(mode_t mode)
{
    if (S_ISREG(mode))
        return 0;
    return S_ISDIR(mode) ? EISDIR : kNotRegularFile;
}

// The kernel follows a link in a sticky folder anyone may write (/tmp) only
// for the link's owner and the folder's owner, so that nobody can plant a
// link there that sends another user's write elsewhere. Our own resolution
// below bypasses that rule, so it applies it itself, always.
int refuseForeignLink(const std::filesystem::path& link)
{
    struct stat linkInfo { };
    struct stat folderInfo { };
    if (::lstat(link.c_str(), &linkInfo) != 0 || ::stat(folderOf(link).c_str(), &folderInfo) != 0)
        return errno;
    const bool shared = (folderInfo.st_mode & S_ISVTX) != 0 && (folderInfo.st_mode & S_IWOTH) != 0;
    if (shared && linkInfo.st_uid != ::geteuid() && linkInfo.st_uid != folderInfo.st_uid)
        return kForeignLink;
    return 0;
}

// The file a chain of symbolic links ends at, whether or not it exists, so
// that the write replaces that file and the links stay links.
int followLinks(std::filesystem::path& file)
{
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, ec)))
            return 0;
        if (const int refused = refuseForeignLink(file); refused != 0)
            return refused;
        const std::filesystem::path target = std::filesystem::read_symlink(file, ec);
        if (ec)
            return ec.value();
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return ELOOP;
}

// The temporary name starts with the target's name, for a person who finds a
// leftover after a crash, but must itself be a legal name in the folder.
std::string temporaryTemplate(const std::filesystem::path& folder, std::string name)
{
    constexpr std::size_t kAdded = 8;  // "." and ".XXXXXX"
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t maxName = limit > 0 ? static_cast<std::size_t>(limit) : 255;
    if (name.size() + kAdded > maxName)
        name.resize(maxName > kAdded ? maxName - kAdded : 0);
    return (folder / ("." + name + ".XXXXXX")).string();
}

// Gives the new file what the old one had; a file the user did not have
// before gets the usual permissions, not mkstemp's private ones.
void copyOwnerAndMode(int fd, const struct stat* old)
{
    if (old == nullptr) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return;
    }
    // Only root may give a file away; an ordinary user may still keep the group.
    if (::fchown(fd, old->st_uid, old->st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0) {
        // The new file stays the user's own, with their group.
    }
    // After chown, which may clear the set-id bits.
    ::fchmod(fd, old->st_mode & 07777);
}

// The rename lives in the folder's entry, which must reach the disk too, or a
// power loss may bring the old file back. A folder that cannot be synced
// changes nothing of the outcome: the file is already in place.
void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& file)
{
    // Without O_NONBLOCK opening a named pipe waits for a writer, for ever.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        openError_ = errno;
        return;
    }
    struct stat info { };
    openError_ = ::fstat(fd, &info) != 0 ? errno : errorOfType(info.st_mode);
    if (openError_ == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        openError_ = errno;
    if (openError_ != 0) {
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

int prepareFile(const std::filesystem::path& file, std::string_view bytes, PreparedFile& prepared)
{
    std::filesystem::path target = file;
    if (const int err = followLinks(target); err != 0)
        return err;
    struct stat old { };
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    if (exists) {
        if (const int err = errorOfType(old.st_mode); err != 0)
            return err;
        // The rename needs only the folder's permission; a file the user may
        // not write must not be replaced behind their back.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return errno;
    }

    std::string tmp = temporaryTemplate(folderOf(target), target.filename().string());
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return errno;
    int err = writeAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (err == 0)
        copyOwnerAndMode(fd, exists ? &old : nullptr);
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        return err;
    }
    prepared = {target, tmp};
    return 0;
}

int putInPlace(PreparedFile& prepared)
{
    if (::rename(prepared.temporary.c_str(), prepared.target.c_str()) != 0)
        return errno;
    prepared.temporary.clear();
    syncFolder(folderOf(prepared.target));
    return 0;
}

void discardPrepared(PreparedFile& prepared)
{
    if (!prepared.temporary.empty())
        ::unlink(prepared.temporary.c_str());
    prepared.temporary.clear();
}

int keepUnderSecondName(const std::filesystem::path& target, PreparedFile& kept)
{
    // mkstemp finds a free name; link() must make the name itself, so the
    // placeholder goes first, and a name taken meanwhile means another try.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = temporaryTemplate(folderOf(target), target.filename().string());
        const int fd = ::mkstemp(name.data());
        if (fd < 0)
            return errno;
        ::close(fd);
        ::unlink(name.c_str());
        if (::link(target.c_str(), name.c_str()) == 0) {
            kept = {target, name};
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

int renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    // Some file systems cannot refuse a taken name in the rename itself.
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    struct stat taken { };
    if (::lstat(to.c_str(), &taken) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool sameName(const std::filesystem::path& first, const std::filesystem::path& second)
{
    return first == second;
}

int writeStandardOutput(std::string_view bytes)
{
    return writeAll(STDOUT_FILENO, bytes);
}

int writeStandardError(std::string_view bytes)
{
    return writeAll(STDERR_FILENO, bytes);
}

}  // namespace ign::platform
