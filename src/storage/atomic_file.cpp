#include "storage/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <system_error>

namespace ign {

std::string describeError(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return "нет прав на запись";
    case EROFS:
        return "диск или папка только для чтения";
    case ENOSPC:
        return "нет места на диске";
    case EDQUOT:
        return "превышена квота диска";
    case EFBIG:
        return "превышен допустимый размер файла";
    case EISDIR:
        return "на месте файла находится папка";
    case ENOENT:
        return "папка не найдена";
    case ENOTDIR:
        return "путь к файлу неверен";
    case ENAMETOOLONG:
        return "слишком длинное имя файла";
    case EBUSY:
    case ETXTBSY:
        return "файл занят другой программой";
    case EIO:
        return "ошибка ввода-вывода";
    default:
        return "системная ошибка " + std::to_string(errorNumber);
    }
}

WriteResult writeFileAtomically(const std::filesystem::path& file, std::string_view bytes)
{
    namespace fs = std::filesystem;
    const auto fail = [](int err) { return WriteResult{false, describeError(err)}; };

    std::error_code ec;
    if (fs::is_directory(file, ec))
        return fail(EISDIR);
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::string tmpl = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return fail(errno);
    const fs::path tmp = tmpl;

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
    if (err == 0 && ::rename(tmp.c_str(), file.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        return fail(err);
    }
    return {};
}

}  // namespace ign
