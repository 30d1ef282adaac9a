// Every writer replaces its file whole or not at all: whatever makes a write
// fail, the old file stays as it was, nothing temporary is left beside it,
// and the reason comes back in Russian for the user.
#include <gtest/gtest.h>

// Fault injection needs fork, resource limits and user ids, which only POSIX
// systems have; those tests are left out of the Windows build.
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>

#include "model/calculate.h"
#include "output/table_source.h"
#include "storage/map_file.h"
#include "storage/settings_file.h"
#include "support/test_files.h"

namespace ign {
namespace {

using test::TempFolder;
using Writer = std::function<WriteResult(const std::filesystem::path&)>;

struct WriterRow {
    const char* label;
    Writer write;
};

const std::vector<WriterRow>& writers()
{
    static CalcState calculated = [] {
        CalcState state;
        startUp(state, initialInputs());
        calculate(state, initialInputs(), '.');
        return state;
    }();
    static const std::vector<WriterRow> rows{
        {"settings", [](const auto& file) { return saveSettingsFile(file, initialInputs()); }},
        {"map", [](const auto& file) { return saveMapFile(file, initialInputs(), 0); }},
        {"table",
         [](const auto& file) { return writeTableSource(file, calculated, initialInputs()); }},
    };
    return rows;
}

#ifndef _WIN32
// Runs the write in a child process prepared by `prepare`, so that a limit or
// a changed user binds nothing else of the test run; true when it failed with
// `reason`.
bool failsInChild(const std::function<void()>& prepare, const Writer& write,
                  const std::filesystem::path& file, const std::string& reason)
{
    const pid_t child = ::fork();
    if (child == 0) {
        prepare();
        const WriteResult result = write(file);
        ::_exit(!result.ok && result.reason == reason ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
        WEXITSTATUS(status) == 0;
}
#endif

TEST(AtomicWrite, ReplacesAnExistingFileAndLeavesNoTemporaryFile)
{
    for (const WriterRow& row : writers()) {
        TempFolder folder;
        test::writeBytes(folder / "target", "old\r\n");
        const WriteResult result = row.write(folder / "target");
        EXPECT_TRUE(result.ok) << row.label << ": " << result.reason;
        EXPECT_NE(test::readBytes(folder / "target"), "old\r\n") << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"}) << row.label;
    }
}

TEST(AtomicWrite, FolderInPlaceOfTheFileIsRefused)
{
    for (const WriterRow& row : writers()) {
        TempFolder folder;
        std::filesystem::create_directory(folder / "target");
        const WriteResult result = row.write(folder / "target");
        EXPECT_FALSE(result.ok) << row.label;
        EXPECT_EQ(result.reason, "на месте файла находится папка") << row.label;
        EXPECT_TRUE(std::filesystem::is_directory(folder / "target")) << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"}) << row.label;
    }
}

TEST(AtomicWrite, PathUnderARegularFileIsRefused)
{
    for (const WriterRow& row : writers()) {
        TempFolder folder;
        test::writeBytes(folder / "plain", "old");
        const WriteResult result = row.write(folder / "plain" / "target");
        EXPECT_FALSE(result.ok) << row.label;
        EXPECT_EQ(result.reason, "путь к файлу неверен") << row.label;
        EXPECT_EQ(test::readBytes(folder / "plain"), "old") << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"plain"}) << row.label;
    }
}

#ifndef _WIN32
// A write that fails halfway: a file-size limit, which binds root as well.
TEST(AtomicWrite, FailedWriteKeepsTheOldFileWhole)
{
    for (const WriterRow& row : writers()) {
        TempFolder folder;
        test::writeBytes(folder / "target", "old\r\n");
        const auto limitSize = [] {
            const rlimit limit{16, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        };
        EXPECT_TRUE(failsInChild(limitSize, row.write, folder / "target",
                                 "превышен допустимый размер файла"))
            << row.label;
        EXPECT_EQ(test::readBytes(folder / "target"), "old\r\n") << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"}) << row.label;
    }
}

TEST(AtomicWrite, ReadOnlyFolderIsRefused)
{
    for (const WriterRow& row : writers()) {
        TempFolder folder;
        test::writeBytes(folder / "target", "old\r\n");
        std::filesystem::permissions(
            folder.path(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
        // Permissions do not hold back root: the write runs as an ordinary user.
        const auto dropRoot = [] {
            if (::geteuid() == 0 && ::setuid(65534) != 0)
                ::_exit(2);
        };
        EXPECT_TRUE(failsInChild(dropRoot, row.write, folder / "target", "нет прав на запись"))
            << row.label;
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
        EXPECT_EQ(test::readBytes(folder / "target"), "old\r\n") << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"}) << row.label;
    }
}
#endif

}  // namespace
}  // namespace ign
