#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/numbers.h"

namespace ign {
namespace {

TEST(NumbersLeading, ReadsTheLeadingNumber)
{
    struct Row {
        const char* text;
        double expected;
        const char* label;
    };
    const Row rows[] = {
        {"", 0, "empty"},
        {"abc", 0, "no number"},
        {"45.1", 45.1, "plain"},
        {"21,5", 21, "decimal comma ends the number"},
        {"12 5", 125, "inner blank ignored"},
        {" \t\n-  7.5", -7.5, "blanks, tab, line feed and a blank after the sign"},
        {"\r7", 0, "carriage return is not ignored"},
        {"+3", 3, "plus sign"},
        {"-", 0, "sign alone"},
        {".5", 0.5, "no digit before the point"},
        {"-.5", -0.5, "negative fraction"},
        {"1.2.3", 1.2, "second point ends the number"},
        {"8.3 ", 8.3, "trailing blank"},
        {"1e3", 1000, "exponent"},
        {"1E+3x", 1000, "exponent with sign"},
        {"2D-2", 0.02, "D exponent"},
        {"1e", 1, "exponent without digits"},
        {"1e-", 1, "exponent sign without digits"},
        {"&H1F", 31, "hexadecimal"},
        {"&hff", 255, "lower-case hexadecimal"},
        {"&HFFFF", 65535, "hexadecimal read unsigned"},
        {"&O17", 15, "octal"},
        {"&O8", 0, "not an octal digit"},
        {"&X1", 0, "unknown prefix"},
        {"0000012", 12, "leading zeros"},
        {"1e-400", 0, "underflow"},
        {"--1", 0, "two signs"},
        {"7.6\r\n", 7.6, "line end after the number"},
    };
    for (const Row& r : rows)
        EXPECT_DOUBLE_EQ(leadingNumber(r.text), r.expected) << r.label << ": \"" << r.text << "\"";
}

TEST(NumbersLeading, OverflowGivesSignedInfinity)
{
    EXPECT_EQ(leadingNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(leadingNumber("-1E400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(leadingNumber(std::string(500, '9')), std::numeric_limits<double>::infinity());
    // A long fraction is not an overflow.
    EXPECT_DOUBLE_EQ(leadingNumber("0." + std::string(600, '0') + "1e605"), 1e4);
}

// A number break ends every number the rule reads, wherever it stands; the
// batch tool takes only such a character (or the full stop) as its decimal
// separator, so a listing's numbers cannot run into each other.
TEST(NumbersLeading, NumberBreakEndsEveryNumber)
{
    int breaks = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        if (!isNumberBreak(c))
            continue;
        ++breaks;
        const std::string x(1, c);
        for (const auto& [text, value] : std::initializer_list<std::pair<std::string, double>>{
                 {"12" + x + "5", 12},
                 {"-1.5" + x + "5", -1.5},
                 {"2E1" + x + "5", 20},
                 {"2" + x + "E1", 2},
                 {"&H1" + x + "5", 1},
                 {"&O1" + x + "5", 1},
                 {x + "5", 0},
                 {"&" + x + "H1", 0},
             })
            EXPECT_EQ(leadingNumber(text), value) << "byte " << byte << " in " << text;
    }
    // Every printable character but 0-9, a-f, A-F and + - . & h H o O.
    EXPECT_EQ(breaks, 94 - 22 - 8);
    EXPECT_TRUE(isNumberBreak(','));
    EXPECT_FALSE(isNumberBreak('.'));
}

TEST(NumbersRounding, HalvesToEvenAndAway)
{
    struct Row {
        double value, even, away;
    };
    const Row rows[] = {{145.5, 146, 146},           {144.5, 144, 145},          {-2.5, -2, -3},
                        {0.49999999999999994, 0, 0}, {2500.0000063, 2500, 2500}, {-0.5, -0.0, -1}};
    for (const Row& r : rows) {
        EXPECT_EQ(roundHalfEven(r.value), r.even) << r.value;
        EXPECT_EQ(roundHalfAway(r.value), r.away) << r.value;
    }
    EXPECT_EQ(toInt32HalfEven(2147483647.4), 2147483647);
    EXPECT_FALSE(toInt32HalfEven(2147483647.5).has_value());
    EXPECT_FALSE(toInt32HalfEven(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(toInt32HalfEven(std::nan("")).has_value());
}

TEST(NumbersFixed, PatternsRoundTheExactValueHalvesAway)
{
    struct Row {
        double value;
        int decimals;
        char sep;
        const char* expected;
    };
    const Row rows[] = {
        {14648.4375, 1, '.', "14648.4"},
        {14648.45, 1, '.', "14648.5"},  // the double lies just above the half
        {0.125, 2, '.', "0.13"},  // exact tie, away from zero
        {-0.125, 2, '.', "-0.13"},
        {2.675, 2, '.', "2.67"},  // the double lies below 2.675
        {-0.004, 2, '.', "0.00"},  // rounds to zero: no minus sign
        {-0.005, 2, '.', "-0.01"},  // 0.005 as a double lies above the half
        {0.5, 0, '.', "1"},
        {-0.5, 0, '.', "-1"},
        {1.5, 0, '.', "2"},
        {2.5, 0, '.', "3"},
        {324.333, 0, '.', "324"},
        {30.25, 1, ',', "30,3"},  // exact tie with the comma
        {30.45, 1, ',', "30,4"},  // the double lies below the half
        {945.1, 1, ',', "945,1"},
        {0, 2, '.', "0.00"},
        {1e20, 1, '.', "100000000000000000000.0"},
        {-0.00003, 4, '.', "0.0000"},  // four digits for the data files
        {0.03125, 4, '.', "0.0313"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(formatFixed(r.value, r.decimals, r.sep), r.expected) << r.value;
    EXPECT_EQ(formatFixed(static_cast<double>(static_cast<float>(-0.35f)), 2, '.'), "-0.35");
}

TEST(NumbersGeneral, FifteenDigitsNoTrailingZeros)
{
    struct Row {
        double value;
        char sep;
        const char* expected;
    };
    const Row rows[] = {
        {20.0, '.', "20"},         {8.3, '.', "8.3"},
        {1.5, '.', "1.5"},         {0, '.', "0"},
        {-21.7, '.', "-21.7"},     {21.7, ',', "21,7"},
        {0.5, '.', "0.5"},         {125, '.', "125"},
        {26.06, '.', "26.06"},     {0.1 + 0.2, '.', "0.3"},
        {1e15, '.', "1E+15"},      {123456789012345, '.', "123456789012345"},
        {1.5e-20, '.', "1.5E-20"}, {0.00001, '.', "0.00001"},
        {2151, '.', "2151"},       {-1e300, '.', "-1E+300"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(formatGeneral(r.value, r.sep), r.expected) << r.value;
    // What the general format writes reads back to the same number.
    for (double v : {8.3, 26.06, 391.8, 1.5e-20, 123456.789})
        EXPECT_DOUBLE_EQ(leadingNumber(formatGeneral(v, '.')), v);
    // Found by fuzzing: a long hexadecimal field just below the largest
    // double rounds up past it in fifteen digits; it must come back as the
    // infinity a calculation refuses, never as some other finite number.
    const double nearMax = leadingNumber("&H" + std::string(13, 'F') + std::string(243, '0'));
    ASSERT_TRUE(std::isfinite(nearMax));
    EXPECT_EQ(formatGeneral(nearMax, '.'), "1.79769313486232E+308");
    EXPECT_TRUE(std::isinf(leadingNumber(formatGeneral(nearMax, '.'))));
    EXPECT_EQ(formatGeneral(leadingNumber("1e400"), '.'), "1E+309");
}

TEST(NumbersShort, BlankForTheSignAndNoLeadingZero)
{
    struct Row {
        float value;
        const char* expected;
    };
    const Row rows[] = {
        {21.7f, " 21.7"},
        {10.0f, " 10"},
        {0.5f, " .5"},
        {-2.0f, "-2"},
        {-0.5f, "-.5"},
        {0.0f, " 0"},
        {52.0f, " 52"},
        {21.0f, " 21"},
        {1234567.0f, " 1234567"},
        {12345678.0f, " 1.234568E+07"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(formatShort(r.value), r.expected) << r.value;
    for (float v : {21.7f, 0.5f, -2.0f, 18.1f})
        EXPECT_FLOAT_EQ(static_cast<float>(leadingNumber(formatShort(v))), v);
}

TEST(NumbersHex, UpperCaseWithoutLeadingZeros)
{
    EXPECT_EQ(hexUpper(0), "0");
    EXPECT_EQ(hexUpper(0x9), "9");
    EXPECT_EQ(hexUpper(0xC4), "C4");
    EXPECT_EQ(hexUpper(0x7B), "7B");
    EXPECT_EQ(hexUpper(0xF804), "F804");
}

}  // namespace
}  // namespace ign
