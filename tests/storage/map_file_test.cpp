#include "storage/map_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "model/presets.h"
#include "support/test_files.h"

namespace ign {
namespace {

using test::TempFolder;

const EnginePreset& preset(std::string_view menuName)
{
    for (const EnginePreset& p : kEnginePresets)
        if (menuName == p.menuName)
            return p;
    throw std::logic_error("no such preset");
}

// The 14 texts of a characteristic in file order.
std::vector<std::string> curveTexts(const Inputs& in, int characteristic)
{
    std::vector<std::string> texts;
    for (int line = 1; line <= kMapLines; ++line) {
        const MapField f = mapField(characteristic, line);
        texts.push_back(f.isPoint ? in.text6[static_cast<std::size_t>(f.index)]
                                  : in.text4[static_cast<std::size_t>(f.index)]);
    }
    return texts;
}

std::vector<std::string> numberedLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back(std::to_string(100 + i));
    return lines;
}

std::string joinWith(const std::vector<std::string>& lines, const char* end)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + end;
    return bytes;
}

TEST(MapFile, LinesBelongToTheFieldsOfTheCharacteristic)
{
    struct Row {
        int line;
        MapField first;
        MapField second;
    };
    const std::vector<Row> rows{
        {1, {true, 1}, {true, 12}},   {2, {true, 2}, {true, 13}},   {10, {true, 10}, {true, 21}},
        {11, {true, 22}, {true, 23}}, {12, {false, 0}, {false, 3}}, {13, {false, 1}, {false, 4}},
        {14, {false, 2}, {false, 5}},
    };
    for (const Row& row : rows) {
        for (int ch = 0; ch < 2; ++ch) {
            const MapField expected = ch == 0 ? row.first : row.second;
            const MapField actual = mapField(ch, row.line);
            EXPECT_EQ(actual.isPoint, expected.isPoint)
                << "line " << row.line << ", characteristic " << ch;
            EXPECT_EQ(actual.index, expected.index)
                << "line " << row.line << ", characteristic " << ch;
        }
    }
}

TEST(MapFile, IzhCurveIsSavedByteForByteAndLoadsBack)
{
    TempFolder folder;
    Inputs in = initialInputs();
    applyPreset(preset("ij"), in, 0);
    ASSERT_TRUE(saveMapFile(folder / "izh.map", in, 0).ok);
    EXPECT_EQ(test::readBytes(folder / "izh.map"),
              "7.6\r\n12.3\r\n15.3\r\n17.6\r\n18.2\r\n19.3\r\n20.0\r\n20.5\r\n21.2\r\n21.5\r\n"
              "21.7\r\n26.06\r\n391.8\r\n2151\r\n");

    Inputs loaded = initialInputs();
    const MapLoadResult result = loadMapFile(folder / "izh.map", loaded, 0);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.linesApplied, 14);
    std::vector<std::string> expected = curveTexts(in, 0);
    expected[6] = "20";  // 7000 rpm: the only visible change
    EXPECT_EQ(curveTexts(loaded, 0), expected);
}

TEST(MapFile, CurveOfOneCharacteristicLoadsIntoTheOther)
{
    TempFolder folder;
    Inputs in = initialInputs();
    applyPreset(preset("ural"), in, 0);
    ASSERT_TRUE(saveMapFile(folder / "ural", in, 0).ok);  // no extension is added
    const Inputs before = in;
    ASSERT_EQ(loadMapFile(folder / "ural", in, 1).linesApplied, 14);
    std::vector<std::string> expected = curveTexts(before, 0);
    expected[5] = "40";  // was "40.0"
    EXPECT_EQ(curveTexts(in, 1), expected);
    EXPECT_EQ(curveTexts(in, 0), curveTexts(before, 0));
    EXPECT_EQ(in.text6[0], "0");
    EXPECT_EQ(in.text6[11], "0");
}

TEST(MapFile, WritesTheFieldTextsAsTheyStand)
{
    Inputs in = initialInputs();
    in.text6[12] = "8.3 ";
    in.text6[13] = "";
    in.text6[14] = "двадцать";
    in.text4[5] = "21,7";
    const auto lines = test::crlfLines(mapFileBytes(in, 1));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "8.3 ");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "\xE4\xE2\xE0\xE4\xF6\xE0\xF2\xFC");
    EXPECT_EQ(lines[10], "10");
    EXPECT_EQ(lines[13], "21,7");
}

// Runs under the Russian locale as well: the fraction must come back with
// the full stop, or it would later read only up to the comma.
TEST(MapFileLocale, LineIsReadByTheLeadingNumberRuleAndWrittenWithTheFullStop)
{
    const std::vector<std::pair<const char*, const char*>> rows{
        {"20.0", "20"},  {"8.3 ", "8.3"}, {"1.50", "1.5"}, {"", "0"},          {"abc", "0"},
        {"21,7", "21"},  {"21,5", "21"},  {"12 5", "125"}, {"21.7", "21.7"},   {"-3.25", "-3.25"},
        {"1e3", "1000"}, {"&H1F", "31"},  {"0.1", "0.1"},  {"\t 7.5x", "7.5"}, {"26.06", "26.06"},
    };
    for (const auto& [line, field] : rows) {
        Inputs in = initialInputs();
        EXPECT_EQ(applyMapBytes(std::string(line) + "\r\n", in, 0), 1);
        EXPECT_EQ(in.text6[1], field) << '"' << line << '"';
    }
}

TEST(MapFile, ElevenLinesSetThePointsAndLeaveTheCoefficients)
{
    TempFolder folder;
    test::writeBytes(folder / "f.map", joinWith(numberedLines(11), "\r\n"));
    Inputs in = initialInputs();
    const MapLoadResult result = loadMapFile(folder / "f.map", in, 0);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.linesApplied, 11);
    const std::vector<std::string> texts = curveTexts(in, 0);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 11), numberedLines(11));
    EXPECT_EQ(in.text4, initialInputs().text4);
}

TEST(MapFile, EmptyFileChangesNothing)
{
    TempFolder folder;
    test::writeBytes(folder / "f.map", "");
    Inputs in = initialInputs();
    const MapLoadResult result = loadMapFile(folder / "f.map", in, 1);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.linesApplied, 0);
    EXPECT_EQ(curveTexts(in, 1), curveTexts(initialInputs(), 1));
}

TEST(MapFile, LinesAfterTheFourteenthAreIgnored)
{
    Inputs in = initialInputs();
    EXPECT_EQ(applyMapBytes(joinWith(numberedLines(20), "\r\n"), in, 1), 14);
    EXPECT_EQ(curveTexts(in, 1), numberedLines(14));
    EXPECT_EQ(curveTexts(in, 0), curveTexts(initialInputs(), 0));
}

TEST(MapFile, EveryLineEndCountsAndALastLineNeedsNone)
{
    for (const char* end : {"\r\n", "\n", "\r"}) {
        Inputs in = initialInputs();
        std::string bytes = joinWith(numberedLines(14), end);
        bytes.resize(bytes.size() - std::strlen(end));
        EXPECT_EQ(applyMapBytes(bytes, in, 0), 14);
        EXPECT_EQ(curveTexts(in, 0), numberedLines(14));
    }
}

TEST(MapFile, FileThatCannotBeReadChangesNothingAndSaysWhy)
{
    TempFolder folder;
#ifndef _WIN32
    test::makeFifo(folder / "fifo");
#endif
    const std::pair<std::filesystem::path, std::string> rows[]{
        {folder / "missing.map", "файл не найден"},
        {folder.path(), "на месте файла находится папка"},
#ifndef _WIN32
        {folder / "fifo", "на месте файла находится канал, устройство или сокет"},
        {"/proc/self/mem", "ошибка ввода-вывода"},  // fails after the open
#else
        {"NUL", "на месте файла находится канал, устройство или сокет"},
#endif
    };
    for (const auto& [file, reason] : rows) {
        Inputs in = initialInputs();
        const MapLoadResult result = loadMapFile(file, in, 0);
        EXPECT_FALSE(result.opened) << file;
        EXPECT_EQ(result.reason, reason) << file;
        EXPECT_EQ(curveTexts(in, 0), curveTexts(initialInputs(), 0)) << file;
    }
}

TEST(MapFile, HugeFileIsNotReadWhole)
{
    TempFolder folder;
    // Fourteen lines, then 50 MB of zero bytes.
    test::writeSparse(folder / "f.map", joinWith(numberedLines(14), "\r\n"), 50u * 1024 * 1024);
    Inputs in = initialInputs();
    MapLoadResult result = loadMapFile(folder / "f.map", in, 0);
    EXPECT_EQ(result.linesApplied, 14);
    EXPECT_EQ(curveTexts(in, 0), numberedLines(14));
    EXPECT_LE(result.bytesRead, 64u * 1024);

    // One line of 100 MB: read only as far as fourteen numbers could need.
    test::writeSparse(folder / "g.map", "7", 100u * 1024 * 1024);
    result = loadMapFile(folder / "g.map", in, 0);
    EXPECT_EQ(result.linesApplied, 1);
    EXPECT_EQ(in.text6[1], "7");
    EXPECT_LE(result.bytesRead, 1024u * 1024);
}

}  // namespace
}  // namespace ign
