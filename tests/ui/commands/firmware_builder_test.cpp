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
#include <map>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace ign::ui::test {
namespace {

// The tests that really start a program use shell scripts for gpasm and a
// named pipe, which Windows has not; there the window is driven with a
// stand-in mpasm.exe under wine instead.
#ifndef _WIN32
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
#endif

// A folder holding the firmware source and the table just written; returns
// the table file.
QString prepareSourceAndTable(const QString& folder)
{
    for (const char* name : {kFirmwareSourceName, "IgnTable.asm"})
        QFile(QDir(folder).filePath(QString::fromUtf8(name))).open(QIODevice::WriteOnly);
    return QDir(folder).filePath(QStringLiteral("IgnTable.asm"));
}

#ifndef _WIN32
// Records how it was called and writes what gpasm writes: the image,
// listing and symbol file named after -o or else after the source, the
// image removed when it fails. With a named pipe "gate" beside it, it waits
// until the test writes a line there, so a build that waited for it would
// be caught.
const QByteArray kFakeGpasm = R"(#!/bin/sh
here=$(dirname "$0")
printf '%s\n' "$@" > "$here/args"
pwd -P > "$here/folder"
out=
while [ $# -gt 1 ]; do
  [ "$1" = -o ] && out=$2
  shift
done
base=${out:-$1}
base=${base%.*}
echo listing > "$base.lst"
echo symbols > "$base.cod"
echo "kom.ASM:3:Warning[215] from the fake assembler"
[ -p "$here/gate" ] && read line < "$here/gate"
status=$(cat "$here/status" 2>/dev/null || echo 0)
if [ "$status" = 0 ]; then echo image > "$base.hex"; else rm -f "$base.hex"; fi
exit "$status"
)";

// Every file of a folder with its bytes, as texts a failure can show.
using Contents = std::map<std::string, std::string>;

Contents folderContents(const QString& folder)
{
    Contents contents;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile file(entry.absoluteFilePath());
        file.open(QIODevice::ReadOnly);
        contents[entry.fileName().toStdString()] = file.readAll().toStdString();
    }
    return contents;
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(FirmwareBuilder, RunsGpasmInTheFolderWithoutWaitingAndShowsHowItEnded)
{
    FakeProgramFolder programs;
    programs.addScript(QStringLiteral("gpasm"), kFakeGpasm);
    ASSERT_EQ(::mkfifo(QFile::encodeName(programs.file(QStringLiteral("gate"))).constData(), 0600),
              0);
    writeFile(programs.file(QStringLiteral("status")), "2\n");
    QTemporaryDir work;

    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    QtProcessLauncher launcher;
    QWidget owner;
    FirmwareBuilder builder(launcher, dialogs, boxes, &owner, HostSystem::Other);
    QSignalSpy finished(&builder, &FirmwareBuilder::assemblerFinished);

    builder.build(prepareSourceAndTable(work.path()), work.path());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(builder.outputWindow(), nullptr);
    writeFile(programs.file(QStringLiteral("gate")), "go\n");  // waits for the reader
    ASSERT_TRUE(finished.wait(15000));

    const QStringList args = programs.lines(QStringLiteral("args"));
    ASSERT_EQ(args.size(), 5);
    EXPECT_EQ(args.mid(0, 3),
              (QStringList{QStringLiteral("-p"), QStringLiteral("16F628A"), QStringLiteral("-o")}));
    EXPECT_EQ(args[4], QStringLiteral("kom.ASM"));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(args[3]).absolutePath()));  // nothing left behind
    EXPECT_EQ(programs.lines(QStringLiteral("folder")),
              QStringList{QFileInfo(work.path()).canonicalFilePath()});

    BuildOutputWindow* window = builder.outputWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(window->commandLine().endsWith(QStringLiteral("> gpasm -p 16F628A -o ") + args[3] +
                                               QStringLiteral(" kom.ASM")));
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
    // Without kom.ASM either, no dialog asks for a source that cannot be built.
    QTemporaryDir empty;
    builder.build(QDir(work.path()).filePath(QStringLiteral("IgnTable.asm")), empty.path());

    ASSERT_EQ(boxes.asked.size(), 2u);
    for (const auto& asked : boxes.asked) {
        EXPECT_EQ(
            asked.text,
            QStringLiteral("Компилятор MPASM.EXE не найден, файл прошивки не может быть создан"));
        EXPECT_EQ(asked.title, QStringLiteral("Калькулятор зажигания"));
        EXPECT_EQ(asked.icon, Icon::Critical);
    }
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(builder.outputWindow(), nullptr);
}

// The user's folder holds their own listing, symbols and an earlier image.
// A build writes nothing there but the new image, named after the source;
// a failed one leaves everything as it was.
TEST(FirmwareBuilder, BuildTouchesNoFileOfTheUserButTheImage)
{
    const struct {
        const char* label;
        const char* source;
        QByteArray status;
        Contents before;
        std::string image;  // replaced with the new image; empty when the build fails
    } rows[]{
        {"fw.asm chosen, built",
         "fw.asm",
         "0",
         {{"fw.asm", "source"},
          {"fw.hex", "old image"},
          {"kom.lst", "user listing"},
          {"kom.cod", "user symbols"}},
         "fw.hex"},
        {"kom.ASM with errors",
         "kom.ASM",
         "1",
         {{"kom.ASM", "source"}, {"kom.hex", "old image"}, {"kom.lst", "user listing"}},
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FakeProgramFolder programs;
        programs.addScript(QStringLiteral("gpasm"), kFakeGpasm);
        writeFile(programs.file(QStringLiteral("status")), row.status);
        QTemporaryDir work, data;
        for (const auto& [name, bytes] : row.before)
            writeFile(QDir(work.path()).filePath(QString::fromStdString(name)),
                      QByteArray::fromStdString(bytes));
        const QString table = QDir(data.path()).filePath(QStringLiteral("IgnTable.asm"));
        writeFile(table, "table");

        FakeMessageBoxes boxes;
        FakeFileDialogs dialogs;
        dialogs.answers.push_back(QDir(work.path()).filePath(QString::fromUtf8(row.source)));
        QtProcessLauncher launcher;
        FirmwareBuilder builder(launcher, dialogs, boxes, nullptr, HostSystem::Other);
        QSignalSpy finished(&builder, &FirmwareBuilder::assemblerFinished);
        builder.build(table, work.path());
        ASSERT_TRUE(finished.count() == 1 || finished.wait(15000));

        Contents after = row.before;
        if (!row.image.empty())
            after[row.image] = "image\n";
        EXPECT_EQ(folderContents(work.path()), after);
    }
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
#endif

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
        const QStringList& args = run.request.arguments;
        ASSERT_GE(args.size(), 5);
        EXPECT_EQ(args.mid(0, 4),
                  (QStringList{QStringLiteral("-p"), QStringLiteral("16F628A"),
                               QStringLiteral("-I"), QDir::toNativeSeparators(data.path())}));
        EXPECT_EQ(args.back(), QStringLiteral("kom.ASM"));
        run.finished({true, false, 0, {}});  // removes the run's private folder
    }
}

}  // namespace
}  // namespace ign::ui::test
