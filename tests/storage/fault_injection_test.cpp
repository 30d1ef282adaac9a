// Every write the program makes can fail: a folder it may not write to, a
// file-size limit, a folder standing where the file should be. Each time the
// old file must stay as it was, no temporary file may be left behind, and the
// caller must get a reason to tell the user.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "model/calculate.h"
#include "output/table_source.h"
#include "storage/map_file.h"
#include "storage/settings_file.h"

namespace ign {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The three writers, each writing its own file into a folder.
struct Writer {
    const char* name;
    std::function<WriteResult(const fs::path&)> write;
};

std::vector<Writer> writers()
{
    static Inputs in = initialInputs();
    static CalcState state = [] {
        CalcState s;
        startUp(s, in);
        calculate(s, in, '.');
        return s;
    }();
    return {
        {"Data.dat", [](const fs::path& p) { return saveSettingsFile(p, in); }},
        {"IgnTable.asm", [](const fs::path& p) { return writeTableSource(p, state, in); }},
        {"curve.map", [](const fs::path& p) { return saveMapFile(p, in, 0); }},
    };
}

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("ign-faults-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }

    // Only the old file, nothing written beside it.
    void expectUntouched(const fs::path& file, const std::string& old)
    {
        EXPECT_EQ(readAll(file), old) << file;
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder_))
            ++entries;
        EXPECT_EQ(entries, 1u) << "a temporary file was left in " << folder_;
    }

    // Runs `write` in a child process set up by `prepare`, and returns the
    // result's reason ("" when the write succeeded).
    static std::string inChild(const std::function<void()>& prepare,
                               const std::function<WriteResult()>& write)
    {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return "pipe failed";
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(pipeFds[0]);
            prepare();
            const WriteResult r = write();
            const std::string reason = r.ok ? "" : (r.reason.empty() ? "?" : r.reason);
            [[maybe_unused]] const auto n = ::write(pipeFds[1], reason.data(), reason.size());
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        std::string reason;
        char buf[256];
        for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;)
            reason.append(buf, static_cast<std::size_t>(n));
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status))
            return "child died";
        return reason;
    }

    fs::path folder_;
};

TEST_F(FaultInjection, FolderInPlaceOfTheFile)
{
    for (const Writer& w : writers()) {
        const fs::path target = folder_ / w.name;
        fs::create_directory(target);
        const WriteResult r = w.write(target);
        EXPECT_FALSE(r.ok) << w.name;
        EXPECT_EQ(r.reason, "на месте файла находится папка") << w.name;
        EXPECT_TRUE(fs::is_directory(target));
        EXPECT_TRUE(fs::is_empty(target));
        fs::remove(target);
    }
}

TEST_F(FaultInjection, FileSizeLimit)
{
    for (const Writer& w : writers()) {
        const fs::path target = folder_ / w.name;
        std::ofstream(target, std::ios::binary) << "old contents";
        const std::string reason = inChild(
            [] {
                const rlimit limit{16, 16};  // smaller than any of the files
                ::setrlimit(RLIMIT_FSIZE, &limit);
            },
            [&] { return w.write(target); });
        EXPECT_EQ(reason, "превышен допустимый размер файла") << w.name;
        expectUntouched(target, "old contents");
        fs::remove(target);
    }
}

TEST_F(FaultInjection, ReadOnlyFolder)
{
    for (const Writer& w : writers()) {
        const fs::path target = folder_ / w.name;
        std::ofstream(target, std::ios::binary) << "old contents";
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec |
                                     fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
        const std::string reason = inChild(
            [] {
                // Permissions do not hold back root: write as an ordinary user.
                if (::geteuid() == 0 && ::setuid(65534) != 0)
                    ::_exit(3);
            },
            [&] { return w.write(target); });
        EXPECT_EQ(reason, "нет прав на запись") << w.name;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        expectUntouched(target, "old contents");
        fs::remove(target);
    }
}

TEST_F(FaultInjection, SuccessfulWriteReplacesTheFileAndLeavesNothingElse)
{
    for (const Writer& w : writers()) {
        const fs::path target = folder_ / w.name;
        std::ofstream(target, std::ios::binary) << "old contents";
        ASSERT_TRUE(w.write(target).ok) << w.name;
        EXPECT_NE(readAll(target), "old contents");
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder_))
            ++entries;
        EXPECT_EQ(entries, 1u);
        fs::remove(target);
    }
}

}  // namespace
}  // namespace ign
