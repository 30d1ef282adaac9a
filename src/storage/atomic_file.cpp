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
    // A socket in place of standard output whose other end went away.
    case ECONNRESET:
    case ENOTCONN:
        return "соединение разорвано";
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
    case EMLINK:
        return "у файла слишком много имён";
    case EOVERFLOW:
        return "файл слишком велик";
    case ENOTSUP:
        return "файловая система не поддерживает такой операции";
#ifdef ETIMEDOUT
    case ETIMEDOUT:
        return "устройство или сетевой диск не отвечает";
#endif
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
    // Absolute first: where no part of a relative name exists yet,
    // weakly_canonical leaves it relative.
    file = std::filesystem::absolute(file, ec);
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(file, ec);
    return ec ? file.lexically_normal() : resolved;
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
    platform::PreparedFile prepared;
    int err = platform::prepareFile(file, bytes, prepared);
    if (err == 0)
        err = platform::putInPlace(prepared);
    if (err == 0)
        return {};
    platform::discardPrepared(prepared);
    return {false, describeError(err)};
}

PendingFiles::~PendingFiles()
{
    for (Pending& p : files_) {
        platform::discardPrepared(p.fresh);
        platform::discardPrepared(p.previous);
    }
}

WriteResult PendingFiles::add(const std::filesystem::path& file, std::string_view bytes)
{
    Pending p{file, {}, {}};
    if (const int err = platform::prepareFile(file, bytes, p.fresh); err != 0)
        return {false, describeError(err)};
    files_.push_back(std::move(p));
    return {};
}

namespace {

// What `target` holds now, kept where a replacement cannot reach it: a
// second name for the same file, or a copy where the file system has no
// second names. Nothing to keep when there is no target.
int keepPrevious(const std::filesystem::path& target, platform::PreparedFile& kept)
{
    int err = platform::keepUnderSecondName(target, kept);
    if (err == 0 || err == ENOENT)
        return 0;
    FileStart old = readFileStart(target, std::numeric_limits<std::size_t>::max());
    if (old.error == ENOENT)
        return 0;
    if (old.error != 0)
        return old.error;
    return platform::prepareFile(target, old.bytes, kept);
}

}  // namespace

PendingFiles::Outcome PendingFiles::replaceAll()
{
    Outcome out;
    const auto fail = [&](const Pending& p, int err) {
        out.ok = false;
        out.file = p.requested;
        out.reason = describeError(err);
    };
    // The last file needs no keeping: nothing can fail after it.
    for (std::size_t i = 0; i + 1 < files_.size(); ++i) {
        if (const int err = keepPrevious(files_[i].fresh.target, files_[i].previous); err != 0) {
            fail(files_[i], err);
            return out;
        }
    }
    std::size_t placed = 0;
    for (; placed < files_.size(); ++placed) {
        if (const int err = platform::putInPlace(files_[placed].fresh); err != 0) {
            fail(files_[placed], err);
            break;
        }
    }
    if (out.ok) {
        for (Pending& p : files_)
            platform::discardPrepared(p.previous);
        return out;
    }
    // Back to what was there, the last placed first.
    while (placed-- > 0)
        restore(files_[placed], out);
    return out;
}

void PendingFiles::restore(Pending& p, Outcome& out)
{
    if (!p.previous.temporary.empty()) {
        PendingFiles::Outcome::NotRestored left{p.requested, p.previous.temporary, {}};
        if (const int err = platform::putInPlace(p.previous); err != 0) {
            left.reason = describeError(err);
            out.notRestored.push_back(left);
            // Kept for the user to find: the message names it.
            p.previous.temporary.clear();
        }
        return;
    }
    std::error_code ec;
    std::filesystem::remove(p.fresh.target, ec);
    if (ec)
        out.notRestored.push_back(
            {p.requested, {}, describeError(ec.default_error_condition().value())});
}

}  // namespace ign
