#include "output/table_source.h"

#include <gtest/gtest.h>

#include "model/calculate.h"
#include "model/numbers.h"
#include "support/test_files.h"

namespace ign {
namespace {

const std::string kRule = ";" + std::string(98, '=');

// "Характеристика" in Windows-1251.
const std::string kTitleWord = "\xD5\xE0\xF0\xE0\xEA\xF2\xE5\xF0\xE8\xF1\xF2\xE8\xEA\xE0";

// The worked example inputs with Nmin 1000, Nmax 3000, a pulse of 100 us and
// one pulse per revolution.
struct Example {
    Inputs in = initialInputs();
    CalcState state;
    Example()
    {
        in.combo1[1] = "1";
        startUp(state, in);
    }
    std::string fileBytes()
    {
        calculate(state, in, '.');
        return tableSourceBytes(state, in);
    }
    std::vector<std::string> fileLines() { return test::crlfLines(fileBytes()); }
};

TEST(TableSource, WorkedExampleFile)
{
    Example ex;
    const std::string bytes = ex.fileBytes();
    const auto lines = test::crlfLines(bytes);
    ASSERT_EQ(lines.size(), 140u);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");

    const std::vector<std::string> head{
        "        ORG 0x2100",
        "",
        kRule,
        "; " + std::string(35, '-') + " " + kTitleWord + " 1 " + std::string(43, '-'),
        kRule,
        "     DATA     .87           ; 0",
        "     DATA     .19           ; 1",
        "     DATA     .92           ; 2",
        "     DATA     .26           ; 3",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 9), head);
    EXPECT_EQ(lines[65], "");
    EXPECT_EQ(lines[66], kRule);
    EXPECT_EQ(lines[67],
              "; " + std::string(35, '-') + " " + kTitleWord + " 2 " + std::string(43, '-'));
    EXPECT_EQ(lines[68], kRule);

    const std::vector<std::string> tail{
        "     DATA     0x1D           ; 78     Tmaxh",
        "     DATA     0x4C           ; 79     Tmaxl",
        "     DATA     0x9           ; 7A     Tminh",
        "     DATA     0xC4           ; 7B     Tminl",
        "",
        "",
        "INPUT_DELAY          EQU         .7",
        "T2CON_RESET          EQU         B'00000000'",
        "PR2_RESET            EQU         .91",
        "#define      single_pulse",
        "",
    };
    EXPECT_EQ(std::vector<std::string>(lines.end() - 11, lines.end()), tail);
}

TEST(TableSource, AddressCommentsRunWithoutAGap)
{
    Example ex;
    const auto lines = ex.fileLines();
    std::vector<std::string> addresses;
    for (const std::string& line : lines)
        if (line.starts_with("     DATA     ")) {
            const std::size_t at = line.find("; ") + 2;
            addresses.push_back(line.substr(at, line.find(' ', at) - at));
        }
    ASSERT_EQ(addresses.size(), 124u);
    for (std::uint32_t i = 0; i < addresses.size(); ++i)
        EXPECT_EQ(addresses[i], hexUpper(i));
    EXPECT_EQ(addresses[59], "3B");
    EXPECT_EQ(addresses[60], "3C");
    EXPECT_EQ(addresses[119], "77");
    EXPECT_EQ(addresses[120], "78");
}

TEST(TableSource, BeforeAnyCalculation)
{
    Inputs in = initialInputs();
    CalcState state;
    startUp(state, in);
    const auto lines = test::crlfLines(tableSourceBytes(state, in));
    ASSERT_EQ(lines.size(), 140u);
    EXPECT_EQ(lines[5], "     DATA     .0           ; 0");
    EXPECT_EQ(lines[129], "     DATA     0x           ; 78     Tmaxh");
    EXPECT_EQ(lines[132], "     DATA     0x           ; 7B     Tminl");
    EXPECT_EQ(lines[136], "T2CON_RESET          EQU         B'0000'");
    EXPECT_EQ(lines[138], "#define      double_pulse");
}

TEST(TableSource, DelayAndPulseCountAreReadWhenWriting)
{
    const std::vector<std::pair<const char*, const char*>> delays{
        {"30", "INPUT_DELAY          EQU         .1"},
        {"1000", "INPUT_DELAY          EQU         .324"},
        {"47", "INPUT_DELAY          EQU         .7"},
        {"28.5", "INPUT_DELAY          EQU         .1"},  // 0.5 rounds away from zero
    };
    Example ex;
    ex.fileBytes();
    for (const auto& [delay, line] : delays) {
        ex.in.text1[3] = delay;
        EXPECT_EQ(tableSourceLines(ex.state, ex.in)[135], line) << delay;
    }
    const std::vector<std::pair<const char*, const char*>> pulses{
        {"1", "#define      single_pulse"},   {"1.0", "#define      single_pulse"},
        {"2", "#define      double_pulse"},   {"", "#define      double_pulse"},
        {"1,5", "#define      single_pulse"},  // the comma ends the number
        {"1.5", "#define      double_pulse"},
    };
    for (const auto& [count, line] : pulses) {
        ex.in.combo1[1] = count;
        EXPECT_EQ(tableSourceLines(ex.state, ex.in)[138], line) << '"' << count << '"';
    }
}

TEST(TableSource, WritingClearsResultsUnsaved)
{
    test::TempFolder folder;
    Example ex;
    ex.fileBytes();
    ASSERT_TRUE(ex.state.resultsUnsaved);
    const WriteResult result = writeTableSource(folder / kTableSourceFileName, ex.state, ex.in);
    EXPECT_TRUE(result.ok) << result.reason;
    EXPECT_FALSE(ex.state.resultsUnsaved);
    EXPECT_EQ(test::readBytes(folder / kTableSourceFileName), tableSourceBytes(ex.state, ex.in));

    // Even when the file cannot be written.
    ex.state.resultsUnsaved = true;
    std::filesystem::create_directory(folder / "busy");
    EXPECT_FALSE(writeTableSource(folder / "busy", ex.state, ex.in).ok);
    EXPECT_FALSE(ex.state.resultsUnsaved);
}

}  // namespace
}  // namespace ign
