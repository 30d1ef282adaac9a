#include "storage/atomic_file.h"

#include <cerrno>

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

std::optional<std::string> readWholeFile(const std::filesystem::path& file)
{
    platform::InputFile in(file);
    if (!in.isOpen())
        return std::nullopt;
    std::string bytes;
    char chunk[65536];
    int error = 0;
    while (const std::size_t n = in.read(chunk, sizeof chunk, error))
        bytes.append(chunk, n);
    if (error != 0)
        return std::nullopt;
    return bytes;
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
