#include "support/window_fixture.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QRadioButton>

#include "ui/form/field_colours.h"

namespace ign::ui::test {
namespace {

class SettingsPanelTest : public WindowTest {
protected:
    QGroupBox* panel() const { return find<QGroupBox>(QStringLiteral("Frame1")); }
    QRadioButton* option(int i) const
    {
        return find<QRadioButton>(QStringLiteral("Option1_%1").arg(i));
    }
    void open() { action("settings")->trigger(); }
};

TEST_F(SettingsPanelTest, OpensCentredOverTheWindowWithoutBlockingIt)
{
    start();
    EXPECT_TRUE(panel()->isHidden());
    open();
    EXPECT_TRUE(panel()->isVisible());
    const QWidget* form = panel()->parentWidget();
    EXPECT_EQ(panel()->x(), (form->width() - panel()->width()) / 2);
    EXPECT_EQ(panel()->y(), (form->height() - panel()->height()) / 2);
    EXPECT_EQ(panel()->palette().color(QPalette::Window), kPanelColour);
    // Calculate is still within reach.
    click(button("Command1"));
    EXPECT_FALSE(listingLines().value(1).isEmpty());
}

TEST_F(SettingsPanelTest, PanelAndFramesShowThePanelColourExactly)
{
    start();
    open();
    const QImage shot = panel()->grab().toImage();
    QList<QGroupBox*> boxes = panel()->findChildren<QGroupBox*>();
    boxes << panel();
    for (QGroupBox* box : boxes) {
        const QPoint origin = box->mapTo(panel(), QPoint(0, 0));
        // Inside the frame line, where nothing but the panel itself is drawn,
        // except for the caption at the top left; a sub-frame's line runs
        // through the middle of its caption.
        const int top = box == panel() ? 3 : 12;
        const QRect inside = box->rect().adjusted(3, top, -3, -3);
        const QRect caption(0, 0, QFontMetrics(box->font()).horizontalAdvance(box->title()) + 24,
                            24);
        int seen = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                if (box->childAt(x, y) || caption.contains(x, y))
                    continue;
                ++seen;
                const QColor c = shot.pixelColor(origin + QPoint(x, y));
                ASSERT_EQ(c, kPanelColour) << box->objectName().toStdString() << " at " << x
                                           << "," << y << ": " << c.red() << "," << c.green()
                                           << "," << c.blue();
            }
        EXPECT_GT(seen, 100) << box->objectName().toStdString();
    }
}

TEST_F(SettingsPanelTest, ApplyChecksTheDelayAndThePulse)
{
    struct Row {
        const char* delay;
        const char* pulse;
        int refusedField;  // 0: accepted
        const char* label;
    };
    // The bounds themselves are the core's (settings_check_test); here what
    // the window does with its answer, for typed texts.
    const Row rows[] = {
        {"47,5", "100", 0, "a decimal comma ends the number"},
        {"", "100", 3, "empty delay"},
        {"47", "3001", 4, "pulse just above"},
        {"20", "5000", 3, "both wrong: only the delay is told"},
    };
    start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        boxes.asked.clear();
        open();
        type(field("Text1", 3), QString::fromUtf8(row.delay));
        if (!*row.delay)
            QTest::keyClick(field("Text1", 3), Qt::Key_Delete);
        type(field("Text1", 4), QString::fromUtf8(row.pulse));
        click(button("Command4"));
        if (row.refusedField == 0) {
            EXPECT_TRUE(boxes.asked.empty());
            EXPECT_TRUE(panel()->isHidden());
            continue;
        }
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text,
                  row.refusedField == 3
                      ? QStringLiteral("Время задержки должно находиться в пределах 30...1000 мкс")
                      : QStringLiteral("Длительность управляющего импульса должна находиться в "
                                       "пределах 10...3000 мкс"));
        EXPECT_EQ(boxes.asked[0].title, QStringLiteral("Калькулятор зажигания"));
        EXPECT_EQ(boxes.asked[0].icon, Icon::Critical);
        EXPECT_TRUE(panel()->isVisible());
        QLineEdit* refused = field("Text1", row.refusedField);
        EXPECT_EQ(fieldBackground(refused), kHighlightColour);
        // The highlight lasts until the field takes the focus again.
        click(field("Text1", row.refusedField == 3 ? 4 : 3));
        EXPECT_EQ(fieldBackground(refused), kHighlightColour);
        click(refused);
        EXPECT_NE(fieldBackground(refused), kHighlightColour);
        click(button("Command5"));
    }
}

TEST_F(SettingsPanelTest, CancelPutsBackTheSnapshotButNotTheCheckBox)
{
    start();
    open();
    type(field("Text1", 3), QStringLiteral("500"));
    type(field("Text1", 5), QStringLiteral("Ж"));
    QComboBox* prescaler = combo("Combo1", 0);
    prescaler->setCurrentIndex(prescaler->findText(QStringLiteral("2")));
    clickMark(option(1));
    clickMark(find<QCheckBox>(QStringLiteral("Check1")));
    ASSERT_TRUE(option(1)->isChecked());
    ASSERT_TRUE(find<QCheckBox>(QStringLiteral("Check1"))->isChecked());

    click(button("Command5"));
    EXPECT_TRUE(panel()->isHidden());
    EXPECT_EQ(field("Text1", 3)->text(), QStringLiteral("47"));
    EXPECT_EQ(field("Text1", 5)->text(), QStringLiteral("18"));
    EXPECT_EQ(prescaler->currentText(), QStringLiteral("8"));
    EXPECT_TRUE(option(0)->isChecked());
    EXPECT_FALSE(option(1)->isChecked());
    EXPECT_TRUE(find<QCheckBox>(QStringLiteral("Check1"))->isChecked());
    // The coefficients panel stayed throughout.
    EXPECT_FALSE(find<QFrame>(QStringLiteral("Frame3"))->isHidden());
    EXPECT_TRUE(find<QFrame>(QStringLiteral("Frame5"))->isHidden());
}

TEST_F(SettingsPanelTest, ApplyShowsThePanelOfTheMethodWithTheFieldsOfTheTab)
{
    start();
    find<QTabWidget>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
    open();
    clickMark(option(1));
    click(button("Command4"));
    EXPECT_TRUE(find<QFrame>(QStringLiteral("Frame3"))->isHidden());
    EXPECT_FALSE(find<QFrame>(QStringLiteral("Frame5"))->isHidden());
    for (int i = 1; i <= 10; ++i) {
        EXPECT_TRUE(field("Text6", i)->isHidden()) << i;
        EXPECT_TRUE(field("Text6", i + 11)->isVisible()) << i + 11;
    }
    EXPECT_TRUE(field("Text6", 22)->isHidden());
    EXPECT_TRUE(field("Text6", 23)->isVisible());

    open();
    clickMark(option(0));
    click(button("Command4"));
    EXPECT_FALSE(find<QFrame>(QStringLiteral("Frame3"))->isHidden());
    EXPECT_TRUE(find<QFrame>(QStringLiteral("Frame5"))->isHidden());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(field("Text4", i)->isHidden()) << i;
        EXPECT_TRUE(field("Text4", i + 3)->isVisible()) << i + 3;
    }
}

}  // namespace
}  // namespace ign::ui::test
