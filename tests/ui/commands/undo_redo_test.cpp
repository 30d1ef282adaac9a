#include <QTabWidget>

#include <functional>

#include "support/mouse_fixture.h"

namespace ign::ui::test {
namespace {

class UndoRedo : public MouseTest {
protected:
    QAction* undo() const { return action("undo"); }
    QAction* redo() const { return action("redo"); }
};

// Each command that overwrites many fields is one step: taken back, the
// fields hold their texts exactly and the main graph is drawn as the command
// itself draws it; done again, the command's texts return.
TEST_F(UndoRedo, EachCommandThatOverwritesFieldsIsOneStep)
{
    const struct {
        const char* label;
        std::function<void()> command;
        const char* step;
        // The command's own redraw; without one, the picture the command left.
        std::function<void(MainWindow&)> ownRedraw;
    } rows[] = {
        {"reset", [this] { click(button("Command3")); }, "Сброс", nullptr},
        {"preset", [this] { action("ural")->trigger(); }, "Урал",
         [](MainWindow& w) { w.DrawCurvesBySelectedMethod(); }},
        {"map load",
         [this] {
             const QString map = folder.filePath(QStringLiteral("curve.map"));
             dialogs.answers = {map, map};
             action("save_map")->trigger();
             find<QTabWidget>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
             action("open_map")->trigger();
         },
         "Открытие графика", nullptr},
        {"editor apply",
         [this] {
             openEditor();
             drag(247, 447, 300);  // point 5 of characteristic 1 to 20 degrees
             click(button("Command8"));
         },
         "Редактор точек", [](MainWindow& w) { w.DrawCurvesBySelectedMethod(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        start();
        // By points, Apply's own redraw is the selected method's.
        chooseByPoints();
        EXPECT_FALSE(undo()->isEnabled());
        EXPECT_EQ(undo()->text(), QStringLiteral("Отменить"));
        click(button("Command1"));
        const Inputs before = window->inputs().values();
        row.command();
        const Inputs after = window->inputs().values();
        ASSERT_NE(after.text6, before.text6);
        const QImage commandPicture = picture(1).image();
        const QString listing = find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText();
        const bool unsaved = window->calcState().resultsUnsaved;

        ASSERT_TRUE(undo()->isEnabled());
        EXPECT_EQ(undo()->text(), QStringLiteral("Отменить: ") + QString::fromUtf8(row.step));
        undo()->trigger();
        EXPECT_EQ(window->inputs().values(), before);
        EXPECT_FALSE(undo()->isEnabled());
        EXPECT_EQ(redo()->text(), QStringLiteral("Повторить: ") + QString::fromUtf8(row.step));
        const QImage undone = picture(1).image();
        if (row.ownRedraw) {
            row.ownRedraw(*window);
            EXPECT_EQ(undone, picture(1).image());
        } else {
            EXPECT_EQ(undone, commandPicture);
        }
        EXPECT_EQ(find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), listing);
        EXPECT_EQ(window->calcState().resultsUnsaved, unsaved);

        redo()->trigger();
        EXPECT_EQ(window->inputs().values(), after);
        EXPECT_FALSE(redo()->isEnabled());
        EXPECT_EQ(picture(1).image(), commandPicture);
    }
}

TEST_F(UndoRedo, KeysTakeStepsBackUnlessATextFieldHasTheFocus)
{
    start();
    const Inputs before = window->inputs().values();
    action("ij")->trigger();
    const Inputs preset = window->inputs().values();
    // Typed into a field, Ctrl+Z takes the typing back, not the preset.
    QLineEdit* a = field("Text4", 0);
    type(a, QStringLiteral("9"));
    ASSERT_NE(a->text(), QString::fromStdString(preset.text4[0]));
    QTest::keyClick(a, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->inputs().values(), preset);
    // Elsewhere the keys reach the menu.
    button("Command1")->setFocus();
    QTest::keyClick(button("Command1"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->inputs().values(), before);
    QTest::keyClick(button("Command1"), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->inputs().values(), preset);
}

}  // namespace
}  // namespace ign::ui::test
