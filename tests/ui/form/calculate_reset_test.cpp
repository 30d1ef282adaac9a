#include "support/window_fixture.h"

#include "model/calculate.h"
#include "ui/form/field_colours.h"

namespace ign::ui::test {
namespace {

using CalculateInWindow = WindowTest;

TEST_F(CalculateInWindow, ListingOfTheWorkedExample)
{
    start();
    click(button("Command1"));
    const QStringList lines = listingLines();
    ASSERT_GE(lines.size(), 64);
    EXPECT_EQ(lines[0], QStringLiteral("************ Характеристика 1 ************"));
    EXPECT_EQ(lines[1], QStringLiteral(" 2)  87    19   14648.4   38.1   -0.35"));
    EXPECT_EQ(lines[30], QStringLiteral("31) 125   198   945.1     10.8   -0.04"));
    EXPECT_EQ(lines[32], QStringLiteral("************ Характеристика 2 ************"));
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_TRUE(window->calcState().resultsUnsaved);
}

TEST_F(CalculateInWindow, ListingTakesTheUsersDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    start();
    click(button("Command1"));
    EXPECT_EQ(listingLines().value(1), QStringLiteral(" 2)  87    19   14648,4   38,1   -0,35"));
}

TEST_F(CalculateInWindow, ComputedCurvesReplaceTheWantedOnes)
{
    start();
    ASSERT_GT(countPixels(1, kGreen), 100);
    click(button("Command1"));
    EXPECT_EQ(countPixels(1, kGreen), 0);
    EXPECT_EQ(countPixels(1, kYellow), 0);
    EXPECT_GT(countPixels(1, kRed), 100);
    EXPECT_GT(countPixels(1, kBlue), 100);

    // The blue curve is drawn last: its visible end points are blue, each of
    // them also one pixel higher.
    CalcState state;
    Inputs in = window->inputs().values();
    startUp(state, in);
    const CalculateOutcome expected = calculate(state, in, '.');
    int checked = 0;
    for (const Segment& s : expected.segments) {
        const int x = static_cast<int>(std::floor(s.x2 + 0.5));
        const int y = static_cast<int>(std::floor(s.y2 + 0.5));
        if (s.colour == kBlue && x >= 0 && x <= 440 && y >= 1 && y <= 200) {
            EXPECT_EQ(pixel1(x, y), kBlue) << x << "," << y;
            EXPECT_EQ(pixel1(x, y - 1), kBlue) << x << "," << y - 1;
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
    // The grid is still there: a vertical line every 20 pixels.
    EXPECT_EQ(pixel1(100, 10), kBlack);
    EXPECT_EQ(pixel1(110, 10), kBackground);
}

TEST_F(CalculateInWindow, RefusedNmaxIsHighlightedUntilItTakesTheFocus)
{
    start();
    click(button("Command1"));
    retype(combo("Combo2", 1)->lineEdit(), QStringLiteral("1999"));
    click(button("Command3"));  // the focus leaves the combo box
    boxes.asked.clear();

    click(button("Command1"));
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text,
              QStringLiteral("Значение максимальных оборотов должно находится в пределах "
                             "2000...14000 об/мин"));
    EXPECT_EQ(boxes.asked[0].title, QStringLiteral("Калькулятор зажигания"));
    EXPECT_EQ(boxes.asked[0].icon, Icon::Critical);
    EXPECT_FALSE(boxes.asked[0].yesNoCancel);
    EXPECT_TRUE(find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText().isEmpty());
    EXPECT_EQ(countPixels(1, kRed) + countPixels(1, kGreen), 0);
    EXPECT_TRUE(window->calcState().resultsUnsaved);
    EXPECT_EQ(fieldBackground(combo("Combo2", 1)), kHighlightColour);
    EXPECT_NE(fieldBackground(combo("Combo2", 0)), kHighlightColour);

    click(combo("Combo2", 1)->lineEdit());
    EXPECT_NE(fieldBackground(combo("Combo2", 1)), kHighlightColour);
}

TEST_F(CalculateInWindow, NminAboveNmaxWarnsAndStillCalculates)
{
    start();
    retype(combo("Combo2", 0)->lineEdit(), QStringLiteral("3000"));
    retype(combo("Combo2", 1)->lineEdit(), QStringLiteral("2000"));
    click(button("Command1"));
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text,
              QStringLiteral("Nmin > Nmax. Функция обкатки работать не будет!"));
    EXPECT_EQ(boxes.asked[0].icon, Icon::Exclamation);
    EXPECT_EQ(fieldBackground(combo("Combo2", 0)), kHighlightColour);
    EXPECT_GE(listingLines().size(), 64);
}

TEST_F(CalculateInWindow, ResetEmptiesTheCurveFieldsListingAndGraph)
{
    start();
    click(button("Command1"));
    click(button("Command3"));
    EXPECT_FALSE(window->calcState().resultsUnsaved);
    EXPECT_TRUE(find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText().isEmpty());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(field("Text4", i)->text(), QString()) << i;
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(field("Text6", i)->text(), QString()) << i;
        EXPECT_EQ(field("Text6", i + 11)->text(), QString()) << i + 11;
    }
    // The 0 rpm points, the 14000 rpm points and the other fields stay.
    EXPECT_EQ(field("Text6", 0)->text(), QStringLiteral("0"));
    EXPECT_EQ(field("Text6", 11)->text(), QStringLiteral("0"));
    EXPECT_EQ(field("Text6", 22)->text(), QStringLiteral("10"));
    EXPECT_EQ(field("Text6", 23)->text(), QStringLiteral("10"));
    EXPECT_EQ(field("Text1", 3)->text(), QStringLiteral("47"));
    EXPECT_EQ(combo("Combo2", 1)->currentText(), QStringLiteral("3000"));
    for (Rgb c : {kRed, kBlue, kGreen, kYellow})
        EXPECT_EQ(countPixels(1, c), 0);
    EXPECT_EQ(pixel1(100, 10), kBlack);
    // The results stay and can still be written.
    EXPECT_NE(window->calcState().tminHex[1], "");
}

}  // namespace
}  // namespace ign::ui::test
