// Temporary folders and whole-file reads and writes for the file tests.
#pragma once

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace ign::test {

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        // mkdtemp is POSIX only; a random name that does not exist yet does
        // the same on every system.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            char name[32];
            std::snprintf(name, sizeof name, "ign-test-%08x", static_cast<unsigned>(random()));
            const auto candidate = std::filesystem::temp_directory_path() / name;
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec))
                path_ = candidate;
        }
        if (path_.empty())
            ADD_FAILURE() << "cannot create a temporary folder";
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Names of everything in the folder, for spotting a forgotten temporary file.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A file of `prefix` followed by zeros up to `size` bytes, made sparse so that
// a huge file costs neither time nor disk.
inline void writeSparse(const std::filesystem::path& file, std::string_view prefix,
                        std::uintmax_t size)
{
    writeBytes(file, prefix);
    std::filesystem::resize_file(file, size);
}

#ifndef _WIN32
// A named pipe nobody writes to: an ordinary open for reading waits for ever.
inline void makeFifo(const std::filesystem::path& file)
{
    if (::mkfifo(file.c_str(), 0644) != 0)
        ADD_FAILURE() << "cannot make the named pipe " << file;
}

// A socket file with nobody listening.
inline void makeSocket(const std::filesystem::path& file)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, file.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        ADD_FAILURE() << "cannot make the socket " << file;
    if (fd >= 0)
        ::close(fd);
}
#endif

// Splits at CR LF; a final CR LF closes the last line and opens none.
inline std::vector<std::string> crlfLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find("\r\n");
        lines.emplace_back(bytes.substr(0, end));
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 2);
    }
    return lines;
}

}  // namespace ign::test
