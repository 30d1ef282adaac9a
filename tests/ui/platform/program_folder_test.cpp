#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "ui/platform/program_folder.h"

namespace ign::ui {
namespace {

TEST(ProgramFolder, WritableFolderKeepsTheFilesBesideTheProgram)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_EQ(chooseProgramFolder(folder.path()), folder.path());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());  // the probe leaves nothing behind
}

TEST(ProgramFolder, FolderThatCannotHoldFilesFallsBackToTheUsersDataFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString plainFile = folder.filePath(QStringLiteral("igncalc"));
    QFile(plainFile).open(QIODevice::WriteOnly);
    const QString chosen = chooseProgramFolder(plainFile + QStringLiteral("/bin"));
    EXPECT_EQ(chosen, userDataFolder());
    EXPECT_TRUE(QDir(chosen).exists());
}

#ifndef _WIN32
// On Windows the read-only case is the installed program under Program Files,
// tested under wine as an ordinary user with the installer.
TEST(ProgramFolder, ReadOnlyFolderFallsBackForAnOrdinaryUser)
{
    // An installed program lives in a folder its user may not write; as root
    // nothing is read-only, so the choice is made as an ordinary user.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile::setPermissions(folder.path(),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(2);
        qputenv("XDG_DATA_HOME", "/tmp/igncalc-test-data-home");
        ::_exit(chooseProgramFolder(folder.path()) == folder.path() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
#endif

}  // namespace
}  // namespace ign::ui
