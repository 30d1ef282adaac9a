#include "storage/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "storage/map_file.h"
#include "support/same_fields.h"
#include "support/test_files.h"

namespace ign {
namespace {

using test::expectSameFields;

using test::TempFolder;

// Every field with a text of its own, so a field read from the wrong line shows.
Inputs distinctInputs()
{
    Inputs in = initialInputs();
    in.combo1 = {"4", "1"};
    in.combo2 = {"1500,5", ""};
    in.check1 = true;
    in.option1 = {false, true};
    for (std::size_t i = 1; i < in.text1.size(); ++i)
        in.text1[i] = "t1 " + std::to_string(i);
    in.text4 = {"45,1", "", "2821", "-28", "1.919E3", "Ява 8,3 "};
    for (std::size_t i = 0; i < in.text5.size(); ++i)
        in.text5[i] = "5." + std::to_string(i);
    for (std::size_t i = 0; i < in.text6.size(); ++i)
        in.text6[i] = i % 5 == 0 ? "" : "град " + std::to_string(i);
    return in;
}

// The lines of a file written for the initial fields, to be changed one by one.
std::vector<std::string> initialLines()
{
    return test::crlfLines(settingsFileBytes(initialInputs()));
}

std::string joinCrLf(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

Inputs applied(const std::vector<std::string>& lines, Inputs start = initialInputs())
{
    applySettingsBytes(joinCrLf(lines), start);
    return start;
}

TEST(SettingsFile, RoundTripReproducesEveryField)
{
    TempFolder folder;
    for (Inputs written : {distinctInputs(), initialInputs()}) {
        const auto file = folder / kSettingsFileName;
        ASSERT_TRUE(saveSettingsFile(file, written).ok);
        Inputs read = initialInputs();
        read.combo1 = {"1", "2"};
        read.check1 = !written.check1;
        read.option1 = {!written.option1[0], !written.option1[1]};
        ASSERT_TRUE(loadSettingsFile(file, read));
        expectSameFields(read, written);
    }
}

// Users name their folders in Russian: on Windows the names must reach the
// system as UTF-16, not through the ANSI code page.
TEST(SettingsFile, SettingsAndMapFileInAFolderNamedInCyrillic)
{
    TempFolder root;
    const auto folder = root.path() / std::filesystem::path(u8"Зажигание ИЖ-Юпитер");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const Inputs written = distinctInputs();
    ASSERT_TRUE(saveSettingsFile(folder / kSettingsFileName, written).ok);
    ASSERT_TRUE(saveMapFile(folder / std::filesystem::path(u8"кривая.map"), written, 1).ok);

    Inputs read = initialInputs();
    ASSERT_TRUE(loadSettingsFile(folder / kSettingsFileName, read));
    expectSameFields(read, written);
    Inputs mapped = initialInputs();
    const MapLoadResult map =
        loadMapFile(folder / std::filesystem::path(u8"кривая.map"), mapped, 0);
    EXPECT_TRUE(map.opened) << map.reason;
    EXPECT_EQ(test::readBytes(folder / std::filesystem::path(u8"кривая.map")),
              mapFileBytes(written, 1));
    EXPECT_EQ(map.linesApplied, 14);

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Data.dat", "кривая.map"}));
}

TEST(SettingsFile, WritesTheLinesInTheirOrder)
{
    const std::string bytes = settingsFileBytes(distinctInputs());
    const auto lines = test::crlfLines(bytes);
    ASSERT_EQ(lines.size(), 103u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "4");
    EXPECT_EQ(lines[1], "1");
    EXPECT_EQ(lines[2], "1500,5");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], " 1 ");
    EXPECT_EQ(lines[5], "False");
    EXPECT_EQ(lines[6], "True");
    EXPECT_EQ(lines[7], "t1 1");
    EXPECT_EQ(lines[12], "t1 6");
    EXPECT_EQ(lines[13], "45,1");
    EXPECT_EQ(lines[18], "\xDF\xE2\xE0 8,3 ");  // "Ява" in Windows-1251
    EXPECT_EQ(lines[19], "5.0");
    EXPECT_EQ(lines[78], "5.59");
    EXPECT_EQ(lines[79], "");
    EXPECT_EQ(lines[80], "\xE3\xF0\xE0\xE4 1");
    EXPECT_EQ(lines[102], "\xE3\xF0\xE0\xE4 23");

    const auto initial = test::crlfLines(settingsFileBytes(initialInputs()));
    EXPECT_EQ(initial[4], " 0 ");
    EXPECT_EQ(initial[5], "True");
    EXPECT_EQ(initial[6], "False");
}

TEST(SettingsFile, CharacterTheCodePageCannotHoldBecomesQuestionMark)
{
    Inputs in = initialInputs();
    in.text1[3] = "47 µs ✓";
    const auto lines = test::crlfLines(settingsFileBytes(in));
    EXPECT_EQ(lines[9], "47 \xB5s ?");
    Inputs read = initialInputs();
    applySettingsBytes(settingsFileBytes(in), read);
    EXPECT_EQ(read.text1[3], "47 µs ?");
}

// A missing file is a first start; any other failure must be told, and a
// file read only in part fills no field.
TEST(SettingsFile, FileThatCannotBeReadLeavesTheFieldsAloneAndSaysWhy)
{
    using Status = SettingsLoadResult::Status;
    TempFolder folder;
#ifndef _WIN32
    test::makeFifo(folder / "fifo");
#endif
    const struct {
        std::filesystem::path file;
        Status status;
        std::string reason;
    } rows[]{
        {folder / "missing.dat", Status::Missing, "файл не найден"},
        {folder.path(), Status::Unreadable, "на месте файла находится папка"},
#ifndef _WIN32
        {folder / "fifo", Status::Unreadable,
         "на месте файла находится канал, устройство или сокет"},
        {"/proc/self/mem", Status::Unreadable, "ошибка ввода-вывода"},  // fails after the open
#else
        {"NUL", Status::Unreadable, "на месте файла находится канал, устройство или сокет"},
#endif
    };
    for (const auto& row : rows) {
        Inputs in = distinctInputs();
        const SettingsLoadResult result = loadSettingsFile(row.file, in);
        EXPECT_EQ(result.status, row.status) << row.file;
        EXPECT_EQ(result.reason, row.reason) << row.file;
        expectSameFields(in, distinctInputs());
    }
}

// 0x98 is the one byte the code page leaves unassigned; a text holding it
// must still be saved as it was read.
TEST(SettingsFile, EveryByteOfATextIsSavedBackAsItWasRead)
{
    std::string line;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            line.push_back(static_cast<char>(b));
    }
    std::string bytes;
    for (int i = 0; i < 13; ++i)
        bytes += "x\r\n";
    Inputs in = initialInputs();
    applySettingsBytes(bytes + line, in);  // line 14, the coefficient a
    EXPECT_EQ(test::crlfLines(settingsFileBytes(in))[13], line);
}

TEST(SettingsFile, EmptyFileEmptiesTheTextsAndKeepsTheControls)
{
    TempFolder folder;
    test::writeBytes(folder / kSettingsFileName, "");
    Inputs in = distinctInputs();
    ASSERT_TRUE(loadSettingsFile(folder / kSettingsFileName, in));
    Inputs expected = distinctInputs();
    expected.combo2 = {"", ""};
    for (std::size_t i = 1; i < expected.text1.size(); ++i)
        expected.text1[i].clear();
    expected.text4.fill("");
    expected.text5.fill("");
    expected.text6.fill("");
    expectSameFields(in, expected);
}

TEST(SettingsFile, ShortFileRepeatsItsLastLine)
{
    std::vector<std::string> lines = initialLines();
    lines[18] = "c2";  // Text4(5)
    lines[19] = "7,5";  // Text5(0)
    lines.resize(20);
    const Inputs in = applied(lines);
    EXPECT_EQ(in.text4[4], "1919");
    EXPECT_EQ(in.text4[5], "c2");
    for (const std::string& t : in.text5)
        EXPECT_EQ(t, "7,5");
    for (const std::string& t : in.text6)
        EXPECT_EQ(t, "7,5");
}

TEST(SettingsFile, ShortFileRepeatsItsLastLineUnderEachFieldsRules)
{
    // Two lines: the later drop-down list, check box and option buttons get
    // "1" again, which each of them accepts.
    Inputs start = initialInputs();
    const Inputs in = applied({"4", "1"}, start);
    EXPECT_EQ(in.combo1, (std::array<std::string, 2>{"4", "1"}));
    EXPECT_EQ(in.combo2, (std::array<std::string, 2>{"1", "1"}));
    EXPECT_TRUE(in.check1);
    EXPECT_EQ(in.option1, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(in.text6[23], "1");
}

TEST(SettingsFile, LongerFileIgnoresTheExtraLines)
{
    std::vector<std::string> lines = test::crlfLines(settingsFileBytes(distinctInputs()));
    lines.push_back("extra");
    lines.push_back("8");
    expectSameFields(applied(lines), distinctInputs());
}

TEST(SettingsFile, LoneLineFeedsAndCarriageReturnsEndLinesToo)
{
    const std::vector<std::string> lines = test::crlfLines(settingsFileBytes(distinctInputs()));
    for (const char* end : {"\n", "\r"}) {
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + end;
        Inputs in = initialInputs();
        applySettingsBytes(bytes, in);
        expectSameFields(in, distinctInputs());
    }
    std::string noFinalEnd = joinCrLf(lines);
    noFinalEnd.resize(noFinalEnd.size() - 2);
    Inputs in = initialInputs();
    applySettingsBytes(noFinalEnd, in);
    expectSameFields(in, distinctInputs());
}

TEST(SettingsFile, DropDownListsTakeOnlyTheirItems)
{
    const std::vector<std::pair<const char*, const char*>> prescaler{
        {"3", "8"}, {"4", "4"}, {"1", "1"}, {"4 ", "8"}, {"", "8"}, {"08", "8"}};
    for (const auto& [text, expected] : prescaler) {
        std::vector<std::string> lines = initialLines();
        lines[0] = text;
        EXPECT_EQ(applied(lines).combo1[0], expected) << '"' << text << '"';
    }
    std::vector<std::string> lines = initialLines();
    lines[1] = "1";
    EXPECT_EQ(applied(lines).combo1[1], "1");
    lines[1] = "4";
    EXPECT_EQ(applied(lines).combo1[1], "2");
}

// What a line does to a control: set it, clear it, or leave it as it was.
enum class Effect { Set, Clear, Keep };

TEST(SettingsFile, CheckBoxTakesZeroOrOneWithBlanksAround)
{
    const std::vector<std::pair<const char*, Effect>> rows{
        {" 1 ", Effect::Set},
        {"1", Effect::Set},
        {"1 ", Effect::Set},
        {"\t1", Effect::Set},
        {"+1", Effect::Set},
        {"01", Effect::Set},
        {" 0 ", Effect::Clear},
        {"0", Effect::Clear},
        {"-0", Effect::Clear},
        {"2", Effect::Keep},
        {"-1", Effect::Keep},
        {"1.0", Effect::Keep},
        {"True", Effect::Keep},
        {"", Effect::Keep},
        {"1 1", Effect::Keep},
        {"x1", Effect::Keep},
        {"99999999999999999999999", Effect::Keep},
    };
    for (const auto& [text, effect] : rows) {
        for (const bool before : {false, true}) {
            std::vector<std::string> lines = initialLines();
            lines[4] = text;
            Inputs start = initialInputs();
            start.check1 = before;
            const bool expected = effect == Effect::Keep ? before : effect == Effect::Set;
            EXPECT_EQ(applied(lines, start).check1, expected)
                << '"' << text << "\" from " << before;
        }
    }
}

TEST(SettingsFile, OptionButtonsFormOneGroup)
{
    struct Row {
        const char* line6;
        const char* line7;
        std::array<bool, 2> from;
        std::array<bool, 2> result;
    };
    constexpr std::array<bool, 2> coef{true, false};
    constexpr std::array<bool, 2> points{false, true};
    constexpr std::array<bool, 2> neither{false, false};
    const std::vector<Row> rows{
        {"False", "True", coef, points},
        {"False", "False", coef, neither},
        {"True", "True", coef, points},  // line 7 is applied last
        {"True", "False", points, coef},
        {"tRuE", "FALSE", points, coef},
        {" True ", "x", points, coef},
        {"yes", "no", points, points},
        {"", "", coef, coef},
        {"0", "5", coef, points},
        {"-1", "0", points, coef},
        {"0.5", "0", points, coef},
        {"1e999", "0", points, coef},
        {"1,5", "inf", points, points},
        {"0.0", "nan", coef, neither},
    };
    for (const Row& row : rows) {
        std::vector<std::string> lines = initialLines();
        lines[5] = row.line6;
        lines[6] = row.line7;
        Inputs start = initialInputs();
        start.option1 = row.from;
        EXPECT_EQ(applied(lines, start).option1, row.result)
            << '"' << row.line6 << "\", \"" << row.line7 << '"';
    }
}

TEST(SettingsFile, SampleFileHoldsTheInitialTextsWithOnePulse)
{
    Inputs expected = initialInputs();
    expected.combo1[1] = "1";
    const std::string bytes = test::readBytes(IGN_TEST_DATA_DIR "/../../data/sample/Data.dat");
    EXPECT_EQ(bytes, settingsFileBytes(expected));
}

}  // namespace
}  // namespace ign
