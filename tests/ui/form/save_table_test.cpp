#include "support/window_fixture.h"

#include <QDir>
#include <QSignalSpy>

#include "output/table_source.h"

namespace ign::ui::test {
namespace {

using SaveTable = WindowTest;

TEST_F(SaveTable, ShortcutAndButtonWriteTheTableAndClearUnsaved)
{
    for (const bool byShortcut : {true, false}) {
        SCOPED_TRACE(byShortcut ? "Ctrl+S" : "Сохранить");
        const auto save = [&] {
            if (byShortcut)
                QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
            else
                click(button("Command2"));
        };
        std::filesystem::remove(path("IgnTable.asm"));
        start();
        click(button("Command1"));
        ASSERT_TRUE(window->calcState().resultsUnsaved);
        save();
        EXPECT_FALSE(window->calcState().resultsUnsaved);
        const std::string written = readFile("IgnTable.asm");
        EXPECT_EQ(written, tableSourceBytes(window->calcState(), window->inputs().values()));
        EXPECT_NE(written.find("     DATA     .87           ; 0\r\n"), std::string::npos);
        // Saving again changes nothing.
        save();
        EXPECT_EQ(readFile("IgnTable.asm"), written);
        // Nothing is left to ask about on the way out.
        QSignalSpy ended(window.get(), &MainWindow::programEnded);
        window->close();
        EXPECT_EQ(ended.count(), 1);
        EXPECT_TRUE(boxes.asked.empty());
    }
}

TEST_F(SaveTable, FailedWriteIsToldAndLeavesTheResultsUnsaved)
{
    std::filesystem::create_directory(path("IgnTable.asm"));
    start();
    click(button("Command1"));
    click(button("Command2"));
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_TRUE(boxes.asked[0].text.startsWith(QStringLiteral("Не удалось сохранить файл ")));
    EXPECT_TRUE(boxes.asked[0].text.contains(
        QDir::toNativeSeparators(QString::fromStdString(path("IgnTable.asm").string()))));
    EXPECT_EQ(boxes.asked[0].title, QStringLiteral("Калькулятор зажигания"));
    EXPECT_TRUE(window->calcState().resultsUnsaved);

    action("save_table")->trigger();
    EXPECT_EQ(boxes.asked.size(), 2u);
    EXPECT_TRUE(window->calcState().resultsUnsaved);
    // So the question on the way out still comes.
    boxes.answers = {Answer::Cancel};
    window->close();
    ASSERT_EQ(boxes.asked.size(), 3u);
    EXPECT_TRUE(boxes.asked[2].yesNoCancel);
}

}  // namespace
}  // namespace ign::ui::test
