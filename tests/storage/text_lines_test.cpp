#include "storage/text_lines.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/test_files.h"

namespace ign {
namespace {

using test::TempFolder;

constexpr LineLimits kRoomy{1024 * 1024, 64 * 1024 * 1024};

std::vector<std::string> allLines(LineReader& reader)
{
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

struct SplitRow {
    const char* label;
    std::string bytes;
    std::vector<std::string> lines;
};

const std::vector<SplitRow> kSplitRows{
    {"CR LF", "a\r\nb\r\n", {"a", "b"}},
    {"lone CR", "a\rb\r", {"a", "b"}},
    {"lone LF", "a\nb\n", {"a", "b"}},
    {"mixed ends", "a\r\nb\rc\nd\r\n", {"a", "b", "c", "d"}},
    {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
    {"empty lines", "\r\n\r\n", {"", ""}},
    {"last line without end", "a\r\nb", {"a", "b"}},
    {"empty input", "", {}},
    {"blanks are kept", " 1 \r\n8.3 ", {" 1 ", "8.3 "}},
};

TEST(TextLines, SplitsAtEveryLineEnd)
{
    TempFolder folder;
    for (const SplitRow& row : kSplitRows) {
        LineReader fromBytes = LineReader::ofBytes(row.bytes, kRoomy);
        EXPECT_EQ(allLines(fromBytes), row.lines) << row.label << " (bytes)";
        test::writeBytes(folder / "f", row.bytes);
        LineReader fromFile = LineReader::ofFile(folder / "f", kRoomy);
        EXPECT_EQ(allLines(fromFile), row.lines) << row.label << " (file)";
    }
}

TEST(TextLines, CrLfSplitAcrossReadChunksIsOneLineEnd)
{
    TempFolder folder;
    // The file is read in 64 KiB chunks: the CR ends the first one.
    const std::string first(64 * 1024 - 1, 'x');
    test::writeBytes(folder / "f", first + "\r\nb\r\n");
    LineReader reader = LineReader::ofFile(folder / "f", kRoomy);
    EXPECT_EQ(allLines(reader), (std::vector<std::string>{first, "b"}));
}

TEST(TextLines, OverlongLineKeepsItsBeginning)
{
    TempFolder folder;
    const std::string bytes = std::string(200 * 1024, 'y') + "\r\nz\r\n";
    test::writeBytes(folder / "f", bytes);
    LineReader fromFile = LineReader::ofFile(folder / "f", {100, 1024 * 1024});
    EXPECT_EQ(allLines(fromFile), (std::vector<std::string>{std::string(100, 'y'), "z"}));
    LineReader fromBytes = LineReader::ofBytes(bytes, {100, 1024 * 1024});
    EXPECT_EQ(allLines(fromBytes), (std::vector<std::string>{std::string(100, 'y'), "z"}));
}

TEST(TextLines, ReadsOnlyWhatTheLinesAskedForNeed)
{
    TempFolder folder;
    test::writeSparse(folder / "f", "1\r\n2\r\n", 50u * 1024 * 1024);
    LineReader reader = LineReader::ofFile(folder / "f", kRoomy);
    std::string line;
    ASSERT_TRUE(reader.next(line));
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "2");
    EXPECT_LE(reader.bytesRead(), 64u * 1024);
}

TEST(TextLines, StopsAtTheTotalLimitAsAtTheEndOfTheFile)
{
    TempFolder folder;
    test::writeSparse(folder / "f", "", 10u * 1024 * 1024);  // one line of zero bytes
    LineReader reader = LineReader::ofFile(folder / "f", {1000, 1024 * 1024});
    EXPECT_EQ(allLines(reader), std::vector<std::string>{std::string(1000, '\0')});
    EXPECT_EQ(reader.bytesRead(), 1024u * 1024);

    LineReader fromBytes = LineReader::ofBytes("ab\r\ncd", {1000, 3});
    EXPECT_EQ(allLines(fromBytes), (std::vector<std::string>{"ab"}));
}

TEST(TextLines, TellsWhyAFileCannotBeOpened)
{
    TempFolder folder;
    EXPECT_EQ(LineReader::ofFile(folder / "missing", kRoomy).openError(), ENOENT);
    EXPECT_EQ(LineReader::ofFile(folder.path(), kRoomy).openError(), EISDIR);
    test::writeBytes(folder / "f", "x");
    EXPECT_EQ(LineReader::ofFile(folder / "f", kRoomy).openError(), 0);
}

TEST(TextLines, WritesCrLfAndNoLineBreakInsideAText)
{
    std::string text;
    appendLine(text, "8.3 ");
    appendLine(text, "");
    appendLine(text, "a\r\nb\nc");
    EXPECT_EQ(text, "8.3 \r\n\r\na  b c\r\n");
}

}  // namespace
}  // namespace ign
