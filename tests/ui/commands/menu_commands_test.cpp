// The menu commands that reach outside the window: the firmware build, the
// table viewer, the engine presets, the curve map files and the About window.
#include "support/window_fixture.h"

#include <QDir>

#include "model/messages.h"
#include "ui/windows/about_window.h"

namespace ign::ui::test {
namespace {

class MenuCommands : public WindowTest {
protected:
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
    EXPECT_EQ(QDir(launcher.started[0].request.workingFolder), QDir(QDir::currentPath()));
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

TEST_F(MenuCommands, ViewerOpensTheFileTheWriterWrote)
{
    start();
    click(button("Command2"));
    action("open_table")->trigger();
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(QDir::cleanPath(opener.opened[0].toLocalFile()), QDir::cleanPath(tableFile()));
}

TEST_F(MenuCommands, PresetFillsTheSelectedCharacteristicAndRedraws)
{
    start();
    chooseByPoints();
    selectTab(1);
    const Inputs before = window->gatherInputs();
    action("ural")->trigger();
    const Inputs after = window->gatherInputs();
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
    const Inputs in = window->gatherInputs();
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
    const Inputs before = window->gatherInputs();
    action("open_map")->trigger();
    action("save_map")->trigger();
    EXPECT_EQ(window->gatherInputs().text6, before.text6);
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
