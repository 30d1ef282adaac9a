// The Windows side of platform_file.h. File names go to the system as UTF-16,
// so a folder named in Cyrillic works whatever the ANSI code page.
#include "storage/platform_file.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace ign::platform {
namespace {

// The system's error as the <cerrno> number the messages are keyed on.
int errnoOf(DWORD error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return EEXIST;
    case ERROR_DIR_NOT_EMPTY:
        return ENOTEMPTY;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
        return EPIPE;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    default:
        return EIO;
    }
}

HANDLE handleOf(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// A name no other writer uses at the same moment; it starts with a dot like
// the POSIX one and stays within the 255 UTF-16 units of a name.
std::wstring temporaryName(const std::wstring& target, unsigned attempt)
{
    wchar_t suffix[24];
    const unsigned long long stamp =
        GetTickCount64() ^ (std::uint64_t(GetCurrentProcessId()) << 32);
    swprintf(suffix, 24, L".%08llx", (stamp + attempt * 0x9E3779B97F4A7C15ull) & 0xFFFFFFFFull);
    const std::size_t keep = std::min<std::size_t>(target.size(), 255 - 1 - 9);
    return L"." + target.substr(0, keep) + suffix;
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        openError_ = EISDIR;
        return;
    }
    const HANDLE h = CreateFileW(file.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        openError_ = errnoOf(GetLastError());
        return;
    }
    // A device name (NUL, CON, COM1) or a pipe opens like a file; only a
    // file on a disk holds settings.
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        openError_ = kNotRegularFile;
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(h);
}

InputFile::~InputFile()
{
    close();
}

void InputFile::close()
{
    if (handle_ != kClosed)
        CloseHandle(handleOf(handle_));
    handle_ = kClosed;
}

std::size_t InputFile::read(char* into, std::size_t size, int& error)
{
    error = 0;
    if (handle_ == kClosed || size == 0)
        return 0;
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(handleOf(handle_), into, want, &got, nullptr)) {
        error = errnoOf(GetLastError());
        return 0;
    }
    return got;
}

namespace {

// What may stand where the new file goes: nothing, or a regular file the
// user may write; a link is followed to the file it names.
int checkTarget(std::filesystem::path& file)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(file, ec)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(file, ec);
        if (!ec)
            file = target;
    }
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return 0;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return EISDIR;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return EACCES;
    const HANDLE h = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    const DWORD type = GetFileType(h);
    CloseHandle(h);
    return type == FILE_TYPE_DISK ? 0 : kNotRegularFile;
}

int writeAll(HANDLE h, std::string_view bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr))
            return errnoOf(GetLastError());
        done += written;
    }
    return 0;
}

int writeHandle(DWORD which, std::string_view bytes)
{
    // Written as bytes: the C streams' text mode would turn every CR LF of the
    // listing into CR CR LF.
    const HANDLE h = GetStdHandle(which);
    if (h == INVALID_HANDLE_VALUE || h == nullptr)
        return bytes.empty() ? 0 : EBADF;
    return writeAll(h, bytes);
}

}  // namespace

int renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
    // Without MOVEFILE_REPLACE_EXISTING a taken name fails the move.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return 0;
    return errnoOf(GetLastError());
}

bool sameName(const std::filesystem::path& first, const std::filesystem::path& second)
{
    return CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_EQUAL;
}

int writeStandardOutput(std::string_view bytes)
{
    return writeHandle(STD_OUTPUT_HANDLE, bytes);
}

int writeStandardError(std::string_view bytes)
{
    return writeHandle(STD_ERROR_HANDLE, bytes);
}

int prepareFile(const std::filesystem::path& requested, std::string_view bytes,
                PreparedFile& prepared)
{
    std::filesystem::path file = requested;
    if (const int refused = checkTarget(file))
        return refused;
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    std::filesystem::path temporary;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = folder / temporaryName(file.filename().wstring(), attempt);
        h = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            const int err = errnoOf(GetLastError());
            // Windows says "path not found" where a plain file stands in for
            // a folder; POSIX tells that case apart, and so do the messages.
            const DWORD parent = GetFileAttributesW(folder.c_str());
            if (err == ENOENT && parent != INVALID_FILE_ATTRIBUTES &&
                (parent & FILE_ATTRIBUTE_DIRECTORY) == 0)
                return ENOTDIR;
            return err;
        }
    }
    if (h == INVALID_HANDLE_VALUE)
        return EEXIST;

    int err = writeAll(h, bytes);
    if (err == 0 && !FlushFileBuffers(h))
        err = errnoOf(GetLastError());
    if (!CloseHandle(h) && err == 0)
        err = errnoOf(GetLastError());
    if (err != 0) {
        DeleteFileW(temporary.c_str());
        return err;
    }
    prepared = {file, temporary};
    return 0;
}

int putInPlace(PreparedFile& prepared)
{
    if (!MoveFileExW(prepared.temporary.c_str(), prepared.target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return errnoOf(GetLastError());
    prepared.temporary.clear();
    return 0;
}

void discardPrepared(PreparedFile& prepared)
{
    if (!prepared.temporary.empty())
        DeleteFileW(prepared.temporary.c_str());
    prepared.temporary.clear();
}

int keepUnderSecondName(const std::filesystem::path& target, PreparedFile& kept)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path name =
            folder / temporaryName(target.filename().wstring(), attempt);
        if (CreateHardLinkW(name.c_str(), target.c_str(), nullptr)) {
            kept = {target, name};
            return 0;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
            return errnoOf(GetLastError());
    }
    return EEXIST;
}

}  // namespace ign::platform
