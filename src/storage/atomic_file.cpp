#include "storage/atomic_file.h"

#include <cerrno>
#include <system_error>

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
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec))
        return {false, describeError(EISDIR)};
    if (const int err = platform::replaceFile(file, bytes); err != 0)
        return {false, describeError(err)};
    return {};
}

}  // namespace ign
