// The settings and map writers replace a file whole or not at all.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "storage/map_file.h"
#include "storage/settings_file.h"
#include "test_files.h"

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
    static const std::vector<WriterRow> rows{
        {"settings", [](const auto& file) { return saveSettingsFile(file, initialInputs()); }},
        {"map", [](const auto& file) { return saveMapFile(file, initialInputs(), 0); }},
    };
    return rows;
}

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

// A write that fails halfway: a file-size limit, which binds root as well.
// It is set in a child process so that nothing else of the test run meets it.
TEST(AtomicWrite, FailedWriteKeepsTheOldFileWhole)
{
    for (const WriterRow& row : writers()) {
        TempFolder folder;
        test::writeBytes(folder / "target", "old\r\n");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit limit{16, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const WriteResult result = row.write(folder / "target");
            ::_exit(!result.ok && result.reason == "превышен допустимый размер файла" ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << row.label;
        EXPECT_EQ(test::readBytes(folder / "target"), "old\r\n") << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"}) << row.label;
    }
}

TEST(AtomicWrite, ReadOnlyFolderIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
    for (const WriterRow& row : writers()) {
        TempFolder folder;
        test::writeBytes(folder / "target", "old\r\n");
        std::filesystem::permissions(
            folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        const WriteResult result = row.write(folder / "target");
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
        EXPECT_FALSE(result.ok) << row.label;
        EXPECT_EQ(result.reason, "нет прав на запись") << row.label;
        EXPECT_EQ(test::readBytes(folder / "target"), "old\r\n") << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"}) << row.label;
    }
}

}  // namespace
}  // namespace ign
