// Every writer replaces its file whole or not at all: whatever makes a write
// fail, the old file stays as it was, nothing temporary is left beside it,
// and the reason comes back in Russian for the user.
#include <gtest/gtest.h>

// Fault injection needs fork, resource limits and user ids, which only POSIX
// systems have; those tests are left out of the Windows build.
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <functional>

#include "model/calculate.h"
#include "output/table_source.h"
#include "storage/map_file.h"
#include "storage/platform_file.h"
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

// The outputs of one command change together or not at all. A folder put
// where the second file goes fails it either while it is made or, after
// both were made, while it replaces its target; the first file is then as
// it was: the same file, found by a hard link made beforehand, or no file
// when it was new.
TEST(AtomicWrite, PendingFilesAreReplacedAllOrNone)
{
    enum class Break { Nothing, WhileMaking, WhileReplacing };
    struct Row {
        const char* label;
        bool firstExists;
        Break when;
        bool firstIsLink;  // the first name is a link to "real"
    };
    std::vector<Row> rows{
        {"both replaced", true, Break::Nothing, false},
        {"a new file beside a replaced one", false, Break::Nothing, false},
        {"the second cannot be made", true, Break::WhileMaking, false},
        {"the second cannot replace its target", true, Break::WhileReplacing, false},
        {"the same, the first new", false, Break::WhileReplacing, false},
    };
#ifndef _WIN32
    rows.push_back({"the same, the first a link", true, Break::WhileReplacing, true});
#endif
    for (const Row& row : rows) {
        TempFolder folder;
        const auto first = folder / "first";
        const auto second = folder / "second";
        const auto real = row.firstIsLink ? folder / "real" : first;
        if (row.firstIsLink)
            std::filesystem::create_symlink("real", first);
        if (row.firstExists) {
            test::writeBytes(real, "old 1");
            std::filesystem::create_hard_link(real, folder / "witness");
        }
        test::writeBytes(second, "old 2");
        const auto putFolderInPlaceOfSecond = [&] {
            std::filesystem::remove(second);
            std::filesystem::create_directory(second);
            test::writeBytes(second / "inside", "x");
        };
        {
            PendingFiles files;
            ASSERT_TRUE(files.add(first, "new 1").ok) << row.label;
            if (row.when == Break::WhileMaking)
                putFolderInPlaceOfSecond();
            // A file that cannot be made drops the set, as its caller does.
            const WriteResult made = files.add(second, "new 2");
            EXPECT_EQ(made.ok, row.when != Break::WhileMaking) << row.label;
            if (row.when == Break::WhileReplacing)
                putFolderInPlaceOfSecond();
            if (made.ok) {
                const PendingFiles::Outcome outcome = files.replaceAll();
                EXPECT_EQ(outcome.ok, row.when == Break::Nothing) << row.label;
                if (!outcome.ok) {
                    EXPECT_EQ(outcome.file, second) << row.label;
                    EXPECT_FALSE(outcome.reason.empty() || outcome.reason.starts_with("системная"))
                        << row.label << ": " << outcome.reason;
                }
                EXPECT_TRUE(outcome.notRestored.empty()) << row.label;
            }
        }
        const bool replaced = row.when == Break::Nothing;
        std::vector<std::string> expected{"first", "second"};
        if (row.firstExists)
            expected.push_back("witness");
        if (row.firstIsLink)
            expected.push_back("real");
        if (!replaced && !row.firstExists && !row.firstIsLink)
            std::erase(expected, "first");  // a new file is removed again
        std::vector<std::string> entries = folder.entries();
        std::sort(entries.begin(), entries.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(entries, expected) << row.label;
        if (replaced) {
            EXPECT_EQ(test::readBytes(first), "new 1") << row.label;
            EXPECT_EQ(test::readBytes(second), "new 2") << row.label;
        } else if (row.firstExists) {
            EXPECT_EQ(test::readBytes(first), "old 1") << row.label;
            EXPECT_TRUE(std::filesystem::equivalent(real, folder / "witness")) << row.label;
        }
        EXPECT_EQ(std::filesystem::is_symlink(first), row.firstIsLink) << row.label;
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

// Permissions do not hold back root: a write that must be refused for lack
// of them runs as an ordinary user.
void dropRoot()
{
    if (::geteuid() == 0 && ::setuid(65534) != 0)
        ::_exit(2);
}

std::vector<std::string> sortedEntries(const TempFolder& folder)
{
    std::vector<std::string> names = folder.entries();
    std::sort(names.begin(), names.end());
    return names;
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
        EXPECT_TRUE(failsInChild(dropRoot, row.write, folder / "target", "нет прав на запись"))
            << row.label;
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
        EXPECT_EQ(test::readBytes(folder / "target"), "old\r\n") << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"}) << row.label;
    }
}

// As editors do: the link stays a link and the file it names gets the text,
// replaced in its own folder.
TEST(AtomicWrite, LinkIsWrittenThroughToTheFileItNames)
{
    for (const WriterRow& row : writers()) {
        TempFolder folder;
        std::filesystem::create_directory(folder / "real");
        test::writeBytes(folder / "real" / "target", "old\r\n");
        std::filesystem::create_symlink("real/target", folder / "link");
        std::filesystem::create_symlink("real/new", folder / "dangling");
        EXPECT_TRUE(row.write(folder / "link").ok) << row.label;
        EXPECT_TRUE(row.write(folder / "dangling").ok) << row.label;
        EXPECT_TRUE(std::filesystem::is_symlink(folder / "link")) << row.label;
        EXPECT_TRUE(std::filesystem::is_symlink(folder / "dangling")) << row.label;
        const std::string written = test::readBytes(folder / "real" / "target");
        EXPECT_NE(written, "old\r\n") << row.label;
        EXPECT_EQ(test::readBytes(folder / "real" / "new"), written) << row.label;
        EXPECT_EQ(sortedEntries(folder), (std::vector<std::string>{"dangling", "link", "real"}))
            << row.label;
    }
}

TEST(AtomicWrite, PipeOrSocketInPlaceOfTheFileIsRefusedAndLeftAlone)
{
    struct Row {
        const char* label;
        void (*make)(const std::filesystem::path&);
        std::filesystem::file_type type;
    };
    const Row rows[]{
        {"named pipe", test::makeFifo, std::filesystem::file_type::fifo},
        {"socket", test::makeSocket, std::filesystem::file_type::socket},
    };
    for (const Row& row : rows) {
        TempFolder folder;
        row.make(folder / "target");
        const WriteResult result = writeFileAtomically(folder / "target", "new");
        EXPECT_FALSE(result.ok) << row.label;
        EXPECT_EQ(result.reason, "на месте файла находится канал, устройство или сокет")
            << row.label;
        EXPECT_EQ(std::filesystem::symlink_status(folder / "target").type(), row.type) << row.label;
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"}) << row.label;
    }
}

TEST(AtomicWrite, ReplacedFileKeepsItsPermissionsAndOwner)
{
    for (const mode_t mode : {0600, 0751}) {
        TempFolder folder;
        const auto file = folder / "target";
        test::writeBytes(file, "old");
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        const bool asRoot = ::geteuid() == 0;
        if (asRoot) {
            ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
        ASSERT_TRUE(writeFileAtomically(file, "new").ok);
        struct stat info { };
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        if (asRoot) {
            EXPECT_EQ(std::make_pair(info.st_uid, info.st_gid), std::make_pair(65534u, 65534u));
        }
        EXPECT_EQ(test::readBytes(file), "new");
    }
}

// The folder is the user's own, so only the file's permission can stop it.
TEST(AtomicWrite, FileTheUserMayNotWriteIsRefused)
{
    TempFolder folder;
    const auto file = folder / "target";
    test::writeBytes(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.path().c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    }
    const Writer write = [](const auto& f) { return writeFileAtomically(f, "new"); };
    EXPECT_TRUE(failsInChild(dropRoot, write, file, "нет прав на запись"));
    EXPECT_EQ(test::readBytes(file), "old");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"target"});
}

// In a sticky folder anyone may write, another user may plant a link where
// the program writes; the kernel follows such a link only for its owner and
// the folder's owner, and so must the program's own link resolution.
TEST(AtomicWrite, LinkPlantedInASharedFolderByAnotherUserIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give links to other users";
    constexpr uid_t kFolderOwner = 4242;
    constexpr uid_t kStranger = 65534;
    const struct {
        const char* label;
        uid_t linkOwner;
        bool followed;
    } rows[]{
        {"the user's own link", 0, true},
        {"the folder owner's link", kFolderOwner, true},
        {"a stranger's link", kStranger, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TempFolder root;
        const auto shared = root / "shared";
        std::filesystem::create_directory(shared);
        ASSERT_EQ(::chown(shared.c_str(), kFolderOwner, kFolderOwner), 0);
        ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
        test::writeBytes(root / "victim", "someone's file");
        std::filesystem::create_symlink(root / "victim", shared / "IgnTable.asm");
        ASSERT_EQ(::lchown((shared / "IgnTable.asm").c_str(), row.linkOwner, row.linkOwner), 0);

        const WriteResult result = writeFileAtomically(shared / "IgnTable.asm", "table");
        EXPECT_EQ(result.ok, row.followed) << result.reason;
        EXPECT_TRUE(std::filesystem::is_symlink(shared / "IgnTable.asm"));
        EXPECT_EQ(test::readBytes(root / "victim"), row.followed ? "table" : "someone's file");
        if (!row.followed) {
            EXPECT_EQ(result.reason,
                      "символическая ссылка в общей папке принадлежит другому "
                      "пользователю");
            EXPECT_EQ(sortedEntries(root), (std::vector<std::string>{"shared", "victim"}));
        }
    }
}

// The batch tool writes its listing to standard output, which may be a pipe
// whose reader went away or a closed descriptor; either is an error in words,
// never the end of the program or a bare number.
TEST(AtomicWrite, StandardOutputThatCannotBeWrittenIsAWordedError)
{
    const struct {
        const char* label;
        std::function<void()> breakOutput;
        std::string reason;
    } rows[]{
        {"pipe without a reader",
         [] {
             int ends[2];
             if (::pipe(ends) != 0 || ::dup2(ends[1], STDOUT_FILENO) < 0)
                 ::_exit(2);
             ::close(ends[0]);
         },
         "читающая программа закрыла канал"},
        {"closed", [] { ::close(STDOUT_FILENO); }, "поток вывода закрыт"},
    };
    for (const auto& row : rows) {
        const Writer write = [](const auto&) {
            const int err = platform::writeStandardOutput("listing\n");
            return WriteResult{err == 0, describeError(err)};
        };
        EXPECT_TRUE(failsInChild(row.breakOutput, write, {}, row.reason)) << row.label;
    }
}

// What writing a file, standard output or error, renaming or linking can
// meet, as their manual pages list it: each is said in words, never as a
// bare number.
TEST(AtomicWrite, EverySystemErrorOfAWriteIsWorded)
{
    for (const int err : {EACCES, EPERM, EROFS, ENOSPC, EDQUOT, EFBIG, EEXIST, ENOTEMPTY, EISDIR,
                          ENOENT, ELOOP, ENOTDIR, ENAMETOOLONG, EBUSY, ETXTBSY, EIO, EPIPE, EBADF,
                          ENXIO, ENODEV, EAGAIN, EINVAL, ENOMEM, EMFILE, ENFILE, EXDEV, ESTALE,
                          ECONNRESET, ENOTCONN, EMLINK, EOVERFLOW, ENOTSUP, ETIMEDOUT})
        EXPECT_FALSE(describeError(err).starts_with("системная ошибка")) << err;
}

// The temporary name is longer than the target's; the longest name the
// folder allows must still be writable.
TEST(AtomicWrite, LongestLegalNameIsWritten)
{
    TempFolder folder;
    const long limit = ::pathconf(folder.path().c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 8);
    const std::string name(static_cast<std::size_t>(limit), 'n');
    const WriteResult result = writeFileAtomically(folder / name, "new");
    EXPECT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(folder.entries(), std::vector<std::string>{name});
}

#endif

}  // namespace
}  // namespace ign
