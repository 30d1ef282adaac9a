#include "support/window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>

#include "storage/settings_file.h"
#include "support/same_fields.h"

namespace ign::ui::test {
namespace {

using ign::test::expectSameFields;

class StartAndEnd : public WindowTest {
protected:
    // Closes through the window frame; true when the program ended.
    bool closeWindow()
    {
        QSignalSpy ended(window.get(), &MainWindow::programEnded);
        window->close();
        return ended.count() == 1;
    }
    Inputs storedInputs()
    {
        Inputs in;
        in.combo1 = {"2", "1"};
        in.combo2 = {"1500", "4000"};
        in.option1 = {false, true};
        in.text1 = {"", "212", "4", "47,5", "300", "17.5", ""};
        in.text4 = {"40,5", "1919", "2821", "", "1e3", "-5"};
        for (std::size_t i = 0; i < in.text5.size(); ++i)
            in.text5[i] = std::to_string(i) + ".5";
        for (std::size_t i = 0; i < in.text6.size(); ++i)
            in.text6[i] = i % 5 == 0 ? "" : std::to_string(2 * i);
        in.text6[7] = "угол";
        return in;
    }
};

TEST_F(StartAndEnd, FirstStartWithoutSettingsFileKeepsTheWindowsTexts)
{
    start();
    expectSameFields(shownInputs(), initialInputs());
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("Check1"))->isChecked());
    EXPECT_FALSE(find<QFrame>(QStringLiteral("Frame3"))->isHidden());
    EXPECT_TRUE(find<QFrame>(QStringLiteral("Frame5"))->isHidden());
    EXPECT_EQ(find<QTabWidget>(QStringLiteral("TabStrip1"))->currentIndex(), 0);
    EXPECT_TRUE(find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText().isEmpty());
    // A new user can calculate at once.
    click(button("Command1"));
    EXPECT_EQ(listingLines().value(1), QStringLiteral(" 2)  87    19   14648.4   38.1   -0.35"));
}

TEST_F(StartAndEnd, SettingsFileFillsTheFieldsAndIsWrittenBackUnchanged)
{
    const Inputs stored = storedInputs();
    const std::string bytes = settingsFileBytes(stored);
    writeFile("Data.dat", bytes);
    MainWindow& w = start();
    expectSameFields(w.inputs().values(), stored);
    expectSameFields(shownInputs(), stored);
    EXPECT_TRUE(find<QFrame>(QStringLiteral("Frame3"))->isHidden());
    EXPECT_FALSE(find<QFrame>(QStringLiteral("Frame5"))->isHidden());
    // The entry speeds follow the loaded prescaler, the tick waits for the
    // first calculation.
    EXPECT_EQ(w.calcState().entryRpm[1], 117187.5f);
    EXPECT_EQ(w.calcState().entryRpm[32], 3662.109375f);
    EXPECT_EQ(w.calcState().tickSec, 8e-6f);

    EXPECT_TRUE(closeWindow());
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_EQ(readFile("Data.dat"), bytes);
    EXPECT_FALSE(exists("IgnTable.asm"));
}

// The settings and points panels are built just after the first picture;
// until then only the model holds their values, and the start computes from
// them. The model takes them as the fields would, values a field refuses or
// cuts included, and the fields built later show them.
TEST_F(StartAndEnd, ValuesSetBeforeThePanelsExistAreWhatTheirFieldsShow)
{
    Inputs odd = storedInputs();
    odd.check1 = true;
    odd.text1[3] = std::string(40000, '7');
    for (int i = 0; i < 40000; ++i)
        odd.text5[59] += "ж";
    odd.text6[23] = odd.text5[59];
    odd.option1 = {true, false};  // by coefficients: the points panel waits too
    writeFile("Data.dat", settingsFileBytes(odd));
    window = std::make_unique<MainWindow>(
        MainWindowOptions{folder.path(), folder.path(), &boxes, &dialogs, &launcher, &opener});
    for (const char* panel : {"Frame1", "Frame5"})
        ASSERT_EQ(window->findChild<QObject*>(QLatin1String(panel)), nullptr) << panel;
    // The settings file takes only items and one option; other texts may.
    odd.combo1 = {"3", "7"};
    odd.option1 = {true, true};
    window->inputs().assign(odd);
    const Inputs early = window->inputs().values();
    EXPECT_EQ(early.combo1, (std::array<std::string, 2>{"2", "1"}));
    EXPECT_EQ(early.option1, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(early.text1[3].size(), 32767u);
    EXPECT_EQ(QString::fromStdString(early.text5[59]).size(), 32767);
    EXPECT_EQ(early.text6[23], early.text5[59]);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return window->findChild<QObject*>(QStringLiteral("Frame1")) != nullptr; }));
    expectSameFields(window->inputs().values(), early);
    expectSameFields(shownInputs(), early);
}

TEST_F(StartAndEnd, ShortSettingsFileRepeatsItsLastLine)
{
    std::string bytes;
    for (int line = 1; line <= 20; ++line)
        bytes += (line == 1 ? std::string("4") : "line " + std::to_string(line)) + "\r\n";
    writeFile("Data.dat", bytes);
    start();
    EXPECT_EQ(combo("Combo1", 0)->currentText(), QStringLiteral("4"));
    EXPECT_EQ(field("Text4", 5)->text(), QStringLiteral("line 19"));
    EXPECT_EQ(window->inputs().values().text5[59], "line 20");
    EXPECT_EQ(field("Text6", 3)->text(), QStringLiteral("line 20"));
}

TEST_F(StartAndEnd, TypedTextsSurviveARestart)
{
    start();
    type(field("Text4", 0), QStringLiteral("33,3"));
    type(field("Text6", 4), QStringLiteral("жжж"));
    type(combo("Combo2", 1)->lineEdit(), QStringLiteral("5"));
    const Inputs typed = window->inputs().values();
    ASSERT_EQ(typed.text4[0], "33,3");
    EXPECT_TRUE(closeWindow());

    start();
    expectSameFields(shownInputs(), typed);
}

TEST_F(StartAndEnd, EachAnswerToTheSaveQuestion)
{
    const struct {
        Answer answer;
        bool tableWritten;
        bool ended;
    } rows[] = {
        {Answer::Yes, true, true}, {Answer::No, false, true}, {Answer::Cancel, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.answer));
        std::filesystem::remove(path("Data.dat"));
        std::filesystem::remove(path("IgnTable.asm"));
        boxes.asked.clear();
        start();
        click(button("Command1"));
        boxes.answers = {row.answer};
        EXPECT_EQ(closeWindow(), row.ended);
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text,
                  QStringLiteral("Сохранить результаты рассчетов перед выходом из программы?"));
        EXPECT_EQ(boxes.asked[0].title, QStringLiteral("Выход из программы"));
        EXPECT_EQ(boxes.asked[0].icon, Icon::Question);
        EXPECT_TRUE(boxes.asked[0].yesNoCancel);
        EXPECT_TRUE(exists("Data.dat"));  // written before the question, whatever the answer
        EXPECT_EQ(exists("IgnTable.asm"), row.tableWritten);
        EXPECT_EQ(window->isVisible(), !row.ended);
    }
}

TEST_F(StartAndEnd, CancelFromTheExitCommandKeepsTheWindowOpen)
{
    start();
    click(button("Command1"));
    QSignalSpy ended(window.get(), &MainWindow::programEnded);
    action("exit")->trigger();
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(exists("Data.dat"));
    ASSERT_EQ(boxes.asked.size(), 1u);

    boxes.answers = {Answer::No};
    action("exit")->trigger();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(StartAndEnd, AutomaticSavingWritesBothFilesWithoutAQuestion)
{
    start();
    action("settings")->trigger();
    clickMark(find<QCheckBox>(QStringLiteral("Check1")));
    click(button("Command4"));
    EXPECT_TRUE(closeWindow());
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_TRUE(exists("Data.dat"));
    // Even right after start-up: the tables are still zeros.
    const std::string table = readFile("IgnTable.asm");
    EXPECT_NE(table.find("T2CON_RESET          EQU         B'0000'"), std::string::npos);
    EXPECT_NE(readFile("Data.dat").find("\r\n 1 \r\n"), std::string::npos);
}

TEST_F(StartAndEnd, NothingToSaveEndsAtOnce)
{
    start();
    click(button("Command1"));
    click(button("Command3"));  // Reset: the results count as saved
    EXPECT_TRUE(closeWindow());
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_FALSE(exists("IgnTable.asm"));
}

TEST_F(StartAndEnd, FilesThatCannotBeWrittenAreNamedWithTheReason)
{
    // A link into a missing folder and a folder where the file should be: the
    // writes fail, also for root, and the link reads as a first start.
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#endif
    std::filesystem::create_symlink("missing/Data.dat", path("Data.dat"));
    std::filesystem::create_directory(path("IgnTable.asm"));
    start();
    click(button("Command1"));
    boxes.answers = {Answer::Yes};
    EXPECT_TRUE(closeWindow());
    ASSERT_EQ(boxes.asked.size(), 3u);
    EXPECT_TRUE(boxes.asked[0].text.contains(QStringLiteral("Data.dat")));
    EXPECT_TRUE(boxes.asked[0].text.contains(QStringLiteral("папка не найдена")));
    EXPECT_EQ(boxes.asked[0].icon, Icon::Critical);
    EXPECT_EQ(boxes.asked[0].title, QStringLiteral("Калькулятор зажигания"));
    EXPECT_TRUE(boxes.asked[1].yesNoCancel);
    EXPECT_TRUE(boxes.asked[2].text.contains(QStringLiteral("IgnTable.asm")));
    EXPECT_TRUE(boxes.asked[2].text.contains(QStringLiteral("на месте файла находится папка")));
    EXPECT_TRUE(std::filesystem::is_symlink(path("Data.dat")));
}

// A settings file that exists but cannot be read (here a folder, which root
// cannot read either) holds the user's inputs: it is named at start-up and
// kept aside at the end instead of being written over.
TEST_F(StartAndEnd, UnreadableSettingsFileIsToldOfAndKept)
{
    std::filesystem::create_directory(path("Data.dat"));
    writeFile("Data.dat/inputs", "kept");
    start();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].icon, Icon::Exclamation);
    EXPECT_EQ(boxes.asked[0].title, QStringLiteral("Калькулятор зажигания"));
    EXPECT_TRUE(boxes.asked[0].text.contains(QStringLiteral("%1: на месте файла находится папка")
                                                 .arg(QDir::toNativeSeparators(
                                                     folder.filePath("Data.dat")))));
    EXPECT_TRUE(
        boxes.asked[0].text.contains(QDir::toNativeSeparators(folder.filePath("Data.dat.bak"))));
    expectSameFields(window->inputs().values(), initialInputs());

    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(readFile("Data.dat.bak/inputs"), "kept");
    EXPECT_EQ(readFile("Data.dat"), settingsFileBytes(initialInputs()));
}

}  // namespace
}  // namespace ign::ui::test
