// The menu commands that reach outside the window: the firmware build, the
// table viewer, the engine presets, the curve map files and the About window.
#include "support/window_fixture.h"

#include <QDir>
#include <QStandardPaths>

#include "model/calculate.h"
#include "model/messages.h"
#include "output/firmware_build.h"
#include "output/table_source.h"
#include "support/intel_hex.h"
#include "support/test_files.h"
#include "ui/windows/about_window.h"
#include "ui/windows/build_output_window.h"

namespace ign::ui::test {
namespace {

class MenuCommands : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        writeFile("kom.ASM", "");
    }
    QString tableFile() const { return folder.filePath(QStringLiteral("IgnTable.asm")); }
    void selectTab(int index)
    {
        find<QTabWidget>(QStringLiteral("TabStrip1"))->setCurrentIndex(index);
    }
};

TEST_F(MenuCommands, BuildCalculatesWritesTheTableThenStartsTheAssembler)
{
    start();
    action("make_hex")->trigger();
    EXPECT_EQ(listingLines().value(1), QStringLiteral(" 2)  87    19   14648.4   38.1   -0.35"));
    ASSERT_TRUE(exists("IgnTable.asm"));
    EXPECT_NE(readFile("IgnTable.asm").find("     DATA     .87           ; 0\r\n"),
              std::string::npos);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_TRUE(launcher.started[0].request.arguments.contains(QStringLiteral("kom.ASM")));
    EXPECT_EQ(QDir(launcher.started[0].request.workingFolder), QDir(folder.path()));
    EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(MenuCommands, BuildAfterARefusedCheckUsesThePreviousResults)
{
    start();
    click(button("Command1"));
    combo("Combo2", 1)->setEditText(QStringLiteral("1999"));
    action("make_hex")->trigger();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, QString::fromUtf8(text::kNmaxRange));
    EXPECT_NE(readFile("IgnTable.asm").find("     DATA     .87           ; 0\r\n"),
              std::string::npos);
    EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(MenuCommands, BuildStopsWhenTheTableCannotBeWritten)
{
    start();
    std::filesystem::create_directory(path("IgnTable.asm"));
    action("make_hex")->trigger();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_TRUE(boxes.asked[0].text.startsWith(QStringLiteral("Не удалось сохранить файл")));
    EXPECT_TRUE(launcher.started.empty());  // no firmware from an old table
}

TEST_F(MenuCommands, MissingAssemblerIsReported)
{
    start();
    launcher.outcome = StartOutcome::NotFound;
    action("make_hex")->trigger();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text,
              QStringLiteral("Компилятор MPASM.EXE не найден, файл прошивки не может быть создан"));
    EXPECT_EQ(boxes.asked[0].icon, Icon::Critical);
    EXPECT_TRUE(exists("IgnTable.asm"));  // written all the same
}

// As an installed program meets it: the table goes to the user's data folder
// while the window was started from a folder holding kom.ASM, and maybe an
// IgnTable.asm left from an older build. The real gpasm must put the new
// table's bytes into the controller's EEPROM, or build nothing.
TEST(FirmwareBuildFromElsewhere, EepromHoldsTheTableJustWrittenOrNothingIsBuilt)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gpasm")).isEmpty())
        GTEST_SKIP() << "gpasm (gputils) is not installed; ./scripts/deps installs it";
    enum class Beside { None, StaleReplaced, StaleKept };
    for (const Beside beside : {Beside::None, Beside::StaleReplaced, Beside::StaleKept}) {
        SCOPED_TRACE(static_cast<int>(beside));
        QTemporaryDir data, start;
        const std::filesystem::path src(start.path().toStdString());
        std::filesystem::copy_file(std::filesystem::path(IGN_TEST_DATA_DIR) / "firmware/kom.ASM",
                                   src / "kom.ASM");
        std::string stale;
        if (beside != Beside::None) {
            // A table from other settings: prescaler 4 instead of 8.
            Inputs other = initialInputs();
            other.combo1[0] = "4";
            CalcState state;
            startUp(state, other);
            calculate(state, other, '.');
            ASSERT_TRUE(writeTableSource(src / "IgnTable.asm", state, other).ok);
            stale = ign::test::readBytes(src / "IgnTable.asm");
        }
        FakeMessageBoxes boxes;
        boxes.answers.push_back(beside == Beside::StaleKept ? Answer::No : Answer::Yes);
        FakeFileDialogs dialogs;
        FakeUrlOpener opener;
        MainWindow window({data.path(), start.path(), &boxes, &dialogs, nullptr, &opener});

        window.make_hex_Click();
        const std::string hex = ign::test::readBytes(src / "kom.hex");
        if (beside == Beside::StaleKept) {
            EXPECT_EQ(boxes.asked.size(), 1u);
            EXPECT_EQ(ign::test::readBytes(src / "IgnTable.asm"), stale);
            EXPECT_TRUE(hex.empty());
            continue;
        }
        // The output window comes up when the assembler has ended.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const auto* output = window.findChild<BuildOutputWindow*>();
                return output && output->isVisible();
            },
            20000));
        const auto image = ign::test::parseIntelHex(ign::test::readBytes(src / "kom.hex"));
        const CalcState& state = window.calcState();
        for (int e = kFirstEntry; e <= kLastEntry; ++e) {
            const std::uint32_t at =
                ign::test::kEepromHexBase + 4 * static_cast<std::uint32_t>(e - 2);
            ASSERT_TRUE(image.count(at) && image.count(at + 2)) << "entry " << e;
            EXPECT_EQ(image.at(at), static_cast<int>(state.segSlope[0][e])) << "entry " << e;
            EXPECT_EQ(image.at(at + 2), static_cast<int>(-state.segOffset[0][e])) << "entry " << e;
        }
    }
}

TEST_F(MenuCommands, ViewerOpensTheFileTheWriterWrote)
{
    start();
    click(button("Command2"));
    action("open_table")->trigger();
    if (currentHost() == HostSystem::Windows) {
        // Notepad opens IgnTable.ASM in the folder it starts in.
        ASSERT_EQ(launcher.started.size(), 1u);
        EXPECT_EQ(QDir::cleanPath(launcher.started[0].request.workingFolder),
                  QDir::cleanPath(folder.path()));
        return;
    }
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(QDir::cleanPath(opener.opened[0].toLocalFile()), QDir::cleanPath(tableFile()));
}

TEST_F(MenuCommands, PresetFillsTheSelectedCharacteristicAndRedraws)
{
    start();
    chooseByPoints();
    selectTab(1);
    const Inputs before = window->inputs().values();
    action("ural")->trigger();
    const Inputs after = window->inputs().values();
    EXPECT_EQ(after.text4[3], "53.31");
    EXPECT_EQ(after.text4[5], "869.9");
    EXPECT_EQ(after.text6[12], "3.3");
    EXPECT_EQ(after.text6[21], "40.7");
    EXPECT_EQ(after.text6[23], "40.7");
    for (std::size_t i : {0u, 1u, 2u})
        EXPECT_EQ(after.text4[i], before.text4[i]);
    for (std::size_t i = 0; i <= 11; ++i)
        EXPECT_EQ(after.text6[i], before.text6[i]) << i;
    EXPECT_EQ(after.text6[22], before.text6[22]);
    // By points: the yellow curve now passes the 3000 rpm point at 30.5 deg.
    EXPECT_EQ(pixel1(120, static_cast<int>(200 - 4 * 30.5)), kYellow);
    EXPECT_TRUE(listingLines().join(QString()).isEmpty());  // nothing is calculated
}

TEST_F(MenuCommands, JawaKeepsItsTrailingBlanks)
{
    start();
    action("jawa")->trigger();
    EXPECT_EQ(field("Text6", 1)->text(), QStringLiteral("8.3 "));
    EXPECT_EQ(field("Text6", 2)->text(), QStringLiteral("20.3 "));
    EXPECT_EQ(field("Text4", 0)->text(), QStringLiteral("38.96"));
}

TEST_F(MenuCommands, MapSavedFromOneCharacteristicLoadsIntoTheOtherWithoutRedrawing)
{
    start();
    action("ij")->trigger();
    const QString map = folder.filePath(QStringLiteral("izh"));
    dialogs.answers = {map, map};
    action("save_map")->trigger();
    ASSERT_TRUE(QFile::exists(map));  // no extension added
    selectTab(1);
    const QImage graph = picture(1).image().copy();
    action("open_map")->trigger();
    const Inputs in = window->inputs().values();
    EXPECT_EQ(in.text4[3], "26.06");
    EXPECT_EQ(in.text6[18], "20");  // "20.0" comes back in the general form
    EXPECT_EQ(in.text6[23], "21.7");
    EXPECT_EQ(picture(1).image(), graph);
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[0].request.title, QStringLiteral("Сохранить файл"));
    EXPECT_EQ(dialogs.asked[1].request.title, QStringLiteral("Загрузить файл"));
    EXPECT_EQ(dialogs.asked[1].request.fileName, map);  // the last name is offered again
}

TEST_F(MenuCommands, CancelledMapDialogChangesNothing)
{
    start();
    const Inputs before = window->inputs().values();
    action("open_map")->trigger();
    action("save_map")->trigger();
    EXPECT_EQ(window->inputs().values().text6, before.text6);
    EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(MenuCommands, AboutWindowIsASingleModelessWindow)
{
    start();
    action("about_programm")->trigger();
    AboutWindow* first = AboutWindow::instance();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    action("about_programm")->trigger();
    EXPECT_EQ(AboutWindow::instance(), first);
    first->close();
}

}  // namespace
}  // namespace ign::ui::test
