#include "support/fake_message_boxes.h"
#include "support/fake_platform_services.h"
#include "ui/commands/table_viewer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ign::ui::test {
namespace {

struct Viewer {
    FakeProcessLauncher launcher;
    FakeUrlOpener opener;
    FakeMessageBoxes boxes;
    TableViewer viewer;
    explicit Viewer(HostSystem host) : viewer(launcher, opener, boxes, nullptr, host) { }
};

TEST(TableViewer, OpensTheWrittenFileWithTheDefaultHandler)
{
    QTemporaryDir folder;
    const QString table = QDir(folder.path()).filePath(QStringLiteral("IgnTable.asm"));
    QFile(table).open(QIODevice::WriteOnly);

    Viewer v(HostSystem::Other);
    v.viewer.open(table);
    ASSERT_EQ(v.opener.opened.size(), 1u);
    EXPECT_EQ(v.opener.opened[0], QUrl::fromLocalFile(table));
    EXPECT_TRUE(v.boxes.asked.empty());
    EXPECT_TRUE(v.launcher.started.empty());

    v.opener.works = false;
    v.viewer.open(table);
    ASSERT_EQ(v.boxes.asked.size(), 1u);
    EXPECT_EQ(v.boxes.asked[0].text,
              QStringLiteral("Не удалось открыть файл таблицы %1: нет программы для его просмотра.")
                  .arg(QDir::toNativeSeparators(table)));
    EXPECT_EQ(v.boxes.asked[0].title, QStringLiteral("Калькулятор зажигания"));
    EXPECT_EQ(v.boxes.asked[0].icon, Icon::Exclamation);
}

TEST(TableViewer, SaysSoWhenNoTableWasWrittenYet)
{
    QTemporaryDir folder;
    const QString table = QDir(folder.path()).filePath(QStringLiteral("IgnTable.asm"));
    Viewer v(HostSystem::Other);
    v.viewer.open(table);
    EXPECT_TRUE(v.opener.opened.empty());
    ASSERT_EQ(v.boxes.asked.size(), 1u);
    EXPECT_EQ(v.boxes.asked[0].text,
              QStringLiteral("Файл таблицы %1 не найден. Сначала сохраните таблицу.")
                  .arg(QDir::toNativeSeparators(table)));
}

TEST(TableViewer, WindowsStartsNotepadOnItsOwnWhereTheTableWasWritten)
{
    // Not the current folder: with a read-only program folder the table lives
    // in the user's data folder, and Notepad would open another file or none.
    QTemporaryDir userData;
    Viewer v(HostSystem::Windows);
    v.viewer.open(QDir(userData.path()).filePath(QStringLiteral("IgnTable.asm")));
    ASSERT_EQ(v.launcher.started.size(), 1u);
    const auto& started = v.launcher.started[0];
    EXPECT_TRUE(started.detached);
    EXPECT_EQ(started.request.program + QLatin1Char(' ') + started.request.argumentLine,
              QStringLiteral("notepad.exe IgnTable.ASM"));
    EXPECT_EQ(started.request.workingFolder, userData.path());
    EXPECT_TRUE(v.boxes.asked.empty());

    v.launcher.outcome = StartOutcome::NotFound;
    v.viewer.open(QStringLiteral("C:/igncalc/IgnTable.asm"));
    ASSERT_EQ(v.boxes.asked.size(), 1u);
    EXPECT_TRUE(v.boxes.asked[0].text.startsWith(
        QStringLiteral("Не удалось открыть файл таблицы IgnTable.ASM")));
}

}  // namespace
}  // namespace ign::ui::test
