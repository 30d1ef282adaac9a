#include "storage/atomic_file.h"

#include <cerrno>
#include <limits>
#include <utility>

#include "storage/platform_file.h"

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
#ifdef EDQUOT  // not every system has disk quotas
    case EDQUOT:
        return "превышена квота диска";
#endif
    case EFBIG:
        return "превышен допустимый размер файла";
    case EEXIST:
    case ENOTEMPTY:
        return "это имя уже занято";
    case EISDIR:
        return "на месте файла находится папка";
    case ENOENT:
        return "папка не найдена";
    case platform::kNotRegularFile:
        return "на месте файла находится канал, устройство или сокет";
    case ELOOP:
        return "символические ссылки замкнуты в круг";
    case ENOTDIR:
        return "путь к файлу неверен";
    case ENAMETOOLONG:
        return "слишком длинное имя файла";
    case EBUSY:
    case ETXTBSY:
        return "файл занят другой программой";
    case EIO:
        return "ошибка ввода-вывода";
    case platform::kForeignLink:
        return "символическая ссылка в общей папке принадлежит другому пользователю";
    // What standard output and error meet: a reader that went away, a
    // stream the caller closed, a terminal or device that is gone.
    case EPIPE:
        return "читающая программа закрыла канал";
    case EBADF:
        return "поток вывода закрыт";
    case ENXIO:
    case ENODEV:
        return "устройство недоступно";
    case EAGAIN:
        return "устройство временно занято";
    case EINVAL:
        return "файл или устройство не допускает такой записи";
    case ENOMEM:
        return "не хватает памяти";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    case EXDEV:
        return "файлы на разных дисках";
#ifdef ESTALE  // network file systems only
    case ESTALE:
        return "файл на сетевом диске больше недоступен";
#endif
    default:
        return "системная ошибка " + std::to_string(errorNumber);
    }
}

std::string displayPath(std::filesystem::path file)
{
    const std::u8string text = file.make_preferred().u8string();
    return std::string(text.begin(), text.end());
}

std::string writeFailureText(const std::filesystem::path& file, const std::string& reason)
{
    return "Не удалось сохранить файл " + displayPath(file) + ": " + reason + ".";
}

FileStart readFileStart(const std::filesystem::path& file, std::size_t limit)
{
    FileStart start;
    platform::InputFile in(file);
    if (!in.isOpen()) {
        start.error = in.openError();
        return start;
    }
    char chunk[65536];
    // One chunk past the limit tells whether there is more.
    while (start.bytes.size() <= limit) {
        const std::size_t n = in.read(chunk, sizeof chunk, start.error);
        if (n == 0)
            break;
        start.bytes.append(chunk, n);
    }
    if (start.bytes.size() > limit) {
        start.bytes.resize(limit);
        start.cut = true;
    }
    return start;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& file)
{
    FileStart whole = readFileStart(file, std::numeric_limits<std::size_t>::max());
    if (whole.error != 0)
        return std::nullopt;
    return std::move(whole.bytes);
}

namespace {

// Where a write to `file` would land: the end of its chain of links, even a
// link to a file still to be made, in absolute form without "." or "..".
std::filesystem::path landingPlace(std::filesystem::path file)
{
    std::error_code ec;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(file, ec); ++hops) {
        const std::filesystem::path target = std::filesystem::read_symlink(file, ec);
        if (ec)
            break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(file, ec);
    return ec ? std::filesystem::absolute(file, ec).lexically_normal() : resolved;
}

}  // namespace

bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second)
{
    std::error_code ec;
    const bool firstExists = std::filesystem::exists(first, ec);
    const bool secondExists = std::filesystem::exists(second, ec);
    if (firstExists && secondExists)
        return std::filesystem::equivalent(first, second, ec) && !ec;
    if (firstExists != secondExists)
        return false;
    return platform::sameName(landingPlace(first), landingPlace(second));
}

std::string describeReadError(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return "файл не найден";
    case EACCES:
    case EPERM:
        return "нет прав на чтение";
    default:
        return describeError(errorNumber);
    }
}

WriteResult writeFileAtomically(const std::filesystem::path& file, std::string_view bytes)
{
    if (const int err = platform::replaceFile(file, bytes); err != 0)
        return {false, describeError(err)};
    return {};
}

}  // namespace ign
