#include "support/window_fixture.h"

#include <QTabWidget>

#include "ui/form/field_colours.h"

namespace ign::ui::test {
namespace {

class InputFields : public WindowTest {
protected:
    QTabWidget* tabs() const { return find<QTabWidget>(QStringLiteral("TabStrip1")); }
};

TEST_F(InputFields, FocusSelectsTheWholeTextSoTheFirstKeyReplacesIt)
{
    start();
    for (QLineEdit* f : {field("Text4", 0), field("Text4", 1)}) {
        click(f);
        EXPECT_EQ(f->selectedText(), f->text());
    }
    type(field("Text4", 2), QStringLiteral("Ю1"));
    EXPECT_EQ(field("Text4", 2)->text(), QStringLiteral("Ю1"));

    action("settings")->trigger();
    QLineEdit* delay = field("Text1", 3);
    delay->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(delay->selectedText(), QStringLiteral("47"));
}

TEST_F(InputFields, FocusRemovesTheHighlight)
{
    start();
    QLineEdit* f = field("Text6", 3);
    highlightField(f);
    ASSERT_EQ(fieldBackground(f), kHighlightColour);
    chooseByPoints();
    click(f);
    EXPECT_NE(fieldBackground(f), kHighlightColour);
}

TEST_F(InputFields, EveryKeyReleaseRedrawsThePreview)
{
    start();
    // The coefficient fields redraw the formula curves.
    type(field("Text4", 0), QStringLiteral("-10"));
    EXPECT_EQ(countPixels(1, kGreen), 0);  // about -10 degrees: below the graph
    EXPECT_GT(countPixels(1, kYellow), 100);

    chooseByPoints();
    QLineEdit* f = field("Text6", 3);
    click(f);
    QTest::keyClick(f, Qt::Key_Shift);
    // Point 3 of characteristic 1 at 3000 rpm (x = 120) stands at 3 degrees
    // (y = 188); a text set by a program draws nothing.
    EXPECT_EQ(pixel1(120, 188), kGreen);
    f->setText(QStringLiteral("40"));
    EXPECT_NE(pixel1(120, 40), kGreen);
    // An arrow key changes no text but its release redraws.
    QTest::keyClick(f, Qt::Key_Left);
    EXPECT_EQ(pixel1(120, 40), kGreen);
    EXPECT_EQ(pixel1(120, 39), kGreen);
    EXPECT_NE(pixel1(120, 188), kGreen);

    type(field("Text6", 5), QString());
    QTest::keyClick(field("Text6", 5), Qt::Key_Delete);
    // An emptied point is drawn at 0 degrees, on the bottom row.
    EXPECT_EQ(pixel1(200, 200), kGreen);
}

TEST_F(InputFields, TabsShowOneCharacteristicAndKeepTheTexts)
{
    start();
    click(button("Command1"));
    const QStringList listing = listingLines();
    type(field("Text4", 0), QStringLiteral("44"));

    tabs()->setCurrentIndex(1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(field("Text4", i)->isHidden());
        EXPECT_TRUE(field("Text4", i + 3)->isVisible());
        // Characteristic 2 lies exactly over characteristic 1.
        EXPECT_EQ(field("Text4", i + 3)->geometry(), field("Text4", i)->geometry());
    }
    for (int i = 1; i <= 10; ++i) {
        EXPECT_TRUE(field("Text6", i)->isHidden());
        EXPECT_FALSE(field("Text6", i + 11)->isHidden());
        EXPECT_EQ(field("Text6", i + 11)->geometry(), field("Text6", i)->geometry());
    }
    EXPECT_EQ(field("Text6", 23)->geometry(), field("Text6", 22)->geometry());
    // The graph shows the wanted curves again; the listing stays.
    EXPECT_GT(countPixels(1, kGreen), 100);
    EXPECT_EQ(countPixels(1, kRed), 0);
    EXPECT_EQ(listingLines(), listing);

    tabs()->setCurrentIndex(0);
    EXPECT_TRUE(field("Text4", 0)->isVisible());
    EXPECT_EQ(field("Text4", 0)->text(), QStringLiteral("44"));
    EXPECT_TRUE(field("Text6", 0)->isHidden());
    EXPECT_TRUE(field("Text6", 11)->isHidden());
}

TEST_F(InputFields, TabChangeInPointsModeRedrawsBothPointCurves)
{
    start();
    chooseByPoints();
    click(button("Command1"));
    tabs()->setCurrentIndex(1);
    EXPECT_EQ(pixel1(40, 196), kGreen);  // characteristic 1 at 1000 rpm
    EXPECT_EQ(pixel1(400, 116), kYellow);  // characteristic 2 at 10000 rpm
}

}  // namespace
}  // namespace ign::ui::test
