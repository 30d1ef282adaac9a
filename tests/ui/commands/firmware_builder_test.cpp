#include "model/messages.h"
#include "support/fake_message_boxes.h"
#include "support/fake_platform_services.h"
#include "ui/commands/firmware_builder.h"
#include "ui/windows/build_output_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace ign::ui::test {
namespace {

// A folder of stand-in programs put first on PATH for one test.
class FakeProgramFolder {
public:
    FakeProgramFolder(bool keepSystemPath = true) : oldPath_(qgetenv("PATH"))
    {
        QByteArray path = QFile::encodeName(bin());
        if (keepSystemPath)
            path += ":" + oldPath_;
        qputenv("PATH", path);
    }
    ~FakeProgramFolder() { qputenv("PATH", oldPath_); }

    QString bin() const { return root_.path(); }
    QString file(const QString& name) const { return QDir(bin()).filePath(name); }

    void addScript(const QString& name, const QByteArray& script) const
    {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(script);
        out.close();
        out.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QStringList lines(const QString& name) const
    {
        QFile in(file(name));
        if (!in.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir root_;
    QByteArray oldPath_;
};

// A folder holding the firmware source and the table just written; returns
// the table file.
QString prepareSourceAndTable(const QString& folder)
{
    for (const char* name : {kFirmwareSourceName, "IgnTable.asm"})
        QFile(QDir(folder).filePath(QString::fromUtf8(name))).open(QIODevice::WriteOnly);
    return QDir(folder).filePath(QStringLiteral("IgnTable.asm"));
}

// Records how it was called, leaves what gpasm leaves, and waits until the
// test lets it finish, so a build that waited for it would be caught.
const QByteArray kFakeGpasm = R"(#!/bin/sh
here=$(dirname "$0")
printf '%s\n' "$@" > "$here/args"
pwd -P > "$here/folder"
touch kom.lst kom.cod kom.hex
echo "kom.ASM:3:Warning[215] from the fake assembler"
i=0
while [ ! -f "$here/go" ]; do
  i=$((i+1)); [ $i -gt 200 ] && exit 9
  sleep 0.05
done
exit 2
)";

TEST(FirmwareBuilder, RunsGpasmInTheFolderWithoutWaitingAndShowsHowItEnded)
{
    FakeProgramFolder programs;
    programs.addScript(QStringLiteral("gpasm"), kFakeGpasm);
    QTemporaryDir work;
    QFile(QDir(work.path()).filePath(QStringLiteral("kom.lst"))).open(QIODevice::WriteOnly);

    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    QtProcessLauncher launcher;
    QWidget owner;
    FirmwareBuilder builder(launcher, dialogs, boxes, &owner, HostSystem::Other);
    QSignalSpy finished(&builder, &FirmwareBuilder::assemblerFinished);

    builder.build(prepareSourceAndTable(work.path()), work.path());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(builder.outputWindow(), nullptr);
    QFile(programs.file(QStringLiteral("go"))).open(QIODevice::WriteOnly);
    ASSERT_TRUE(finished.wait(15000));

    EXPECT_EQ(
        programs.lines(QStringLiteral("args")),
        (QStringList{QStringLiteral("-p"), QStringLiteral("16F628A"), QStringLiteral("kom.ASM")}));
    EXPECT_EQ(programs.lines(QStringLiteral("folder")),
              QStringList{QFileInfo(work.path()).canonicalFilePath()});
    const QDir dir(work.path());
    EXPECT_FALSE(dir.exists(QStringLiteral("kom.lst")));
    EXPECT_FALSE(dir.exists(QStringLiteral("kom.cod")));
    EXPECT_TRUE(dir.exists(QStringLiteral("kom.hex")));

    BuildOutputWindow* window = builder.outputWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(window->commandLine().endsWith(QStringLiteral("> gpasm -p 16F628A kom.ASM")));
    EXPECT_TRUE(window->output().contains(QStringLiteral("Warning[215] from the fake assembler")));
    EXPECT_EQ(window->status(), QString::fromStdString(assemblerStatusText(true, false, 2)));
    EXPECT_TRUE(boxes.asked.empty());
}

TEST(FirmwareBuilder, MissingAssemblerGivesTheMessageAndNoWindow)
{
    FakeProgramFolder programs(false);
    QTemporaryDir work;
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    QtProcessLauncher launcher;
    FirmwareBuilder builder(launcher, dialogs, boxes, nullptr, HostSystem::Other);

    builder.build(prepareSourceAndTable(work.path()), work.path());

    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text,
              QStringLiteral("Компилятор MPASM.EXE не найден, файл прошивки не может быть создан"));
    EXPECT_EQ(boxes.asked[0].title, QStringLiteral("Калькулятор зажигания"));
    EXPECT_EQ(boxes.asked[0].icon, Icon::Critical);
    EXPECT_EQ(builder.outputWindow(), nullptr);
}

TEST(FirmwareBuilder, AssemblerThatCannotRunIsToldInTheOutputWindow)
{
    FakeProgramFolder programs;
    programs.addScript(QStringLiteral("gpasm"), "#!/nonexistent/interpreter\n");
    QTemporaryDir work;
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    QtProcessLauncher launcher;
    FirmwareBuilder builder(launcher, dialogs, boxes, nullptr, HostSystem::Other);
    QSignalSpy finished(&builder, &FirmwareBuilder::assemblerFinished);

    builder.build(prepareSourceAndTable(work.path()), work.path());
    ASSERT_TRUE(finished.count() == 1 || finished.wait(15000));

    ASSERT_NE(builder.outputWindow(), nullptr);
    EXPECT_EQ(builder.outputWindow()->status(),
              QString::fromStdString(assemblerStatusText(false, false, -1)));
    EXPECT_TRUE(boxes.asked.empty());
}

TEST(FirmwareBuilder, WindowsRunsMpasmWithItsCommandLineAndKeepsItsFiles)
{
    QTemporaryDir work;
    QFile(QDir(work.path()).filePath(QStringLiteral("kom.lst"))).open(QIODevice::WriteOnly);
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    FakeProcessLauncher launcher;
    FirmwareBuilder builder(launcher, dialogs, boxes, nullptr, HostSystem::Windows);
    const QString table = prepareSourceAndTable(work.path());

    builder.build(table, work.path());
    ASSERT_EQ(launcher.started.size(), 1u);
    const ProcessRequest& request = launcher.started[0].request;
    EXPECT_EQ(request.program + QLatin1Char(' ') + request.argumentLine,
              QStringLiteral("mpasm.exe /p16F628a /o- /l-  kom.ASM"));
    EXPECT_EQ(request.workingFolder, work.path());
    EXPECT_FALSE(launcher.started[0].detached);

    launcher.started[0].finished({true, false, 0, "Build completed\r\n"});
    ASSERT_NE(builder.outputWindow(), nullptr);
    EXPECT_TRUE(builder.outputWindow()->output().contains(QStringLiteral("Build completed")));
    EXPECT_TRUE(QDir(work.path()).exists(QStringLiteral("kom.lst")));

    launcher.outcome = StartOutcome::NotFound;
    builder.build(table, work.path());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text,
              QStringLiteral("Компилятор MPASM.EXE не найден, файл прошивки не может быть создан"));
}

TEST(FirmwareBuilder, SourceMissingFromTheStartFolderIsChosenOnceForTheRun)
{
    QTemporaryDir start, data, chosen;
    const QString table = prepareSourceAndTable(data.path());
    QFile::remove(QDir(data.path()).filePath(QStringLiteral("kom.ASM")));
    const QString source = QDir(chosen.path()).filePath(QStringLiteral("kom.ASM"));
    QFile(source).open(QIODevice::WriteOnly);
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    FakeProcessLauncher launcher;
    FirmwareBuilder builder(launcher, dialogs, boxes, nullptr, HostSystem::Other);

    builder.build(table, start.path());  // cancelled: nothing starts
    EXPECT_TRUE(launcher.started.empty());
    dialogs.answers.push_back(source);
    builder.build(table, start.path());
    builder.build(table, start.path());  // remembered: no second question

    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_TRUE(boxes.asked[0].text.startsWith(
        QStringLiteral("Исходный файл прошивки kom.ASM не найден в папке ")));
    EXPECT_EQ(boxes.asked[0].icon, Icon::Exclamation);
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_FALSE(dialogs.asked[1].save);
    EXPECT_EQ(dialogs.asked[1].request.filter, QStringLiteral("Исходный файл прошивки (kom.ASM)"));
    ASSERT_EQ(launcher.started.size(), 2u);
    for (const auto& run : launcher.started) {
        EXPECT_EQ(run.request.workingFolder, chosen.path());
        EXPECT_EQ(run.request.arguments,
                  (QStringList{QStringLiteral("-p"), QStringLiteral("16F628A"),
                               QStringLiteral("-I"), data.path(), QStringLiteral("kom.ASM")}));
    }
}

}  // namespace
}  // namespace ign::ui::test
