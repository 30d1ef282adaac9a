#include "storage/table_image.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/calculate.h"
#include "output/table_source.h"
#include "support/generated_inputs.h"
#include "support/intel_hex.h"
#include "support/table_edits.h"
#include "support/test_files.h"

namespace ign {
namespace {

using test::intelHexRecord;

struct Calculated {
    Inputs in;
    CalcState state;
    bool refused = false;
    explicit Calculated(Inputs inputs = initialInputs()) : in(std::move(inputs))
    {
        startUp(state, in);
        refused = calculate(state, in, '.').refused;
    }
    ControllerTable table() const { return calculatedTable(state); }
    std::vector<std::string> sourceLines() const { return tableSourceLines(state, in); }
};

bool allBytesFit(const ControllerTable& t)
{
    return std::all_of(t.bytes.begin(), t.bytes.end(), [](int b) { return b >= 0 && b <= 255; });
}

// The records gpasm writes for our stand-in firmware: the upper address, a
// code word, the EEPROM eight words a record, the end.
std::vector<std::string> imageRecords(const ControllerTable& t)
{
    std::vector<std::string> records{intelHexRecord(4, 0, {0, 0}),
                                     intelHexRecord(0, 0, {0x04, 0x28})};
    for (int at = 0; at < kTableBytes; at += 8) {
        std::vector<int> words;
        for (int i = at; i < std::min(at + 8, kTableBytes); ++i) {
            words.push_back(t.bytes[static_cast<std::size_t>(i)]);
            words.push_back(0);
        }
        records.push_back(intelHexRecord(0, static_cast<std::uint32_t>(0x4200 + 2 * at), words));
    }
    records.push_back(intelHexRecord(1, 0, {}));
    return records;
}

std::string lines(const std::vector<std::string>& records, const char* end = "\r\n")
{
    std::string text;
    for (const std::string& r : records)
        text += r + end;
    return text;
}

TEST(TableImage, WrittenTableSourceReadsBackToTheCalculatedBytes)
{
    int fitting = 0;
    for (const Inputs& in : test::generatedInputs(96, 22)) {
        const Calculated c(in);
        if (c.refused)
            continue;
        const TableReadResult read = readTableBytes(tableSourceBytes(c.state, c.in));
        if (allBytesFit(c.table())) {
            ++fitting;
            ASSERT_TRUE(read) << read.reason;
            EXPECT_EQ(*read.table, c.table());
        } else {
            // The controller cannot hold it: the file is refused, not wrapped.
            EXPECT_NE(read.reason.find("вне 0...255"), std::string::npos) << read.reason;
        }
    }
    EXPECT_GE(fitting, 80);

    test::TempFolder folder;
    const Calculated c;
    ASSERT_TRUE(writeTableSource(folder / kTableSourceFileName, c.state, c.in).ok);
    const TableReadResult read = readTableFile(folder / kTableSourceFileName);
    ASSERT_TRUE(read) << read.reason;
    EXPECT_EQ(*read.table, c.table());
}

TEST(TableImage, HandEditsReadBackToTheSameBytes)
{
    const Calculated c;
    for (const test::TableEdit& edit : test::tableSourceEdits()) {
        const TableReadResult read = readTableBytes(edit.apply(c.sourceLines()));
        ASSERT_TRUE(read) << edit.label << ": " << read.reason;
        EXPECT_EQ(*read.table, c.table()) << edit.label;
    }
}

TEST(TableImage, ImageReadsBackInEveryLayoutOfTheAssemblers)
{
    const Calculated c;
    const std::vector<std::string> gpasm = imageRecords(c.table());
    using Records = std::vector<std::string>;
    const struct {
        const char* label;
        std::function<std::string()> image;
    } rows[]{
        {"as gpasm writes it", [&] { return lines(gpasm); }},
        {"LF line ends, blanks around",
         [&] {
             Records r = gpasm;
             r[1] = "  " + r[1] + " \t";
             return lines(r, "\n") + "\n\n";
         }},
        {"lower-case digits",
         [&] {
             std::string text = lines(gpasm);
             for (char& ch : text)
                 ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
             return text;
         }},
        {"no upper address record", [&] { return lines(Records(gpasm.begin() + 1, gpasm.end())); }},
        {"segment address instead",
         [&] {
             Records r = gpasm;
             r[0] = intelHexRecord(2, 0, {0, 0});
             return lines(r);
         }},
        {"addressed above by both, start address, no end record",
         [&] {
             // Segment 0x0420 puts offset 0 at 0x4200.
             Records r{intelHexRecord(2, 0, {0x04, 0x20}), intelHexRecord(3, 0, {0, 0, 0, 0})};
             for (int at = 0; at < kTableBytes; ++at)
                 r.push_back(intelHexRecord(0, static_cast<std::uint32_t>(2 * at),
                                            {c.table().bytes[static_cast<std::size_t>(at)], 0}));
             std::reverse(r.begin() + 2, r.end());
             return lines(r);
         }},
        {"what follows the end record is not read", [&] { return lines(gpasm) + "garbage\r\n"; }},
    };
    for (const auto& row : rows) {
        const TableReadResult read = readTableBytes(row.image());
        ASSERT_TRUE(read) << row.label << ": " << read.reason;
        EXPECT_EQ(*read.table, c.table()) << row.label;
    }
}

TEST(TableImage, RefusalsNameTheirCauseAndLine)
{
    const Calculated c;
    const std::vector<std::string> image = imageRecords(c.table());
    const std::vector<std::string> source = c.sourceLines();
    // Line numbers of the written source: the first byte, Tmax high, Tmin low.
    ASSERT_EQ(source[5], "     DATA     .87           ; 0");
    ASSERT_EQ(source[129], "     DATA     0x1D           ; 78     Tmaxh");
    ASSERT_EQ(source[132], "     DATA     0xC4           ; 7B     Tminl");
    const auto hexWith = [&](std::size_t at, const std::string& record) {
        std::vector<std::string> r = image;
        r[at] = record;
        return lines(r);
    };
    const auto sourceWith = [&](const std::function<void(std::vector<std::string>&)>& edit) {
        std::vector<std::string> lines = source;
        edit(lines);
        return test::joined(lines);
    };
    std::string wrongLength = intelHexRecord(0, 0x4200, {87, 0, 19});
    wrongLength.replace(1, 2, "02");
    std::vector<std::string> codeOnly{image[0], image[1], image.back()};
    std::vector<std::string> gap = image;
    gap.erase(gap.begin() + 2 + 0x40 / 8);
    CalcState neverCalculated;
    startUp(neverCalculated, c.in);

    const struct {
        const char* label;
        std::string bytes;
        std::string reason;
        int line;
    } rows[]{
        {"checksum", hexWith(0, ":020000040000FB"),
         "строка 1: неверная контрольная сумма записи (0xFB, должна быть 0xFA)", 1},
        {"length", hexWith(2, wrongLength),
         "строка 3: неверная длина записи (указано байт данных: 2, в записи: 3)", 3},
        {"short record", hexWith(1, ":0000"),
         "строка 2: неверная длина записи (указано байт данных: 0, в записи: 0)", 2},
        {"not a record", hexWith(1, ":02000000042"),
         "строка 2: это не запись Intel HEX: «:02000000042»", 2},
        {"unknown record type", hexWith(1, intelHexRecord(6, 0, {})),
         "строка 2: неизвестный тип записи 0x6", 2},
        {"address record of one byte", hexWith(0, intelHexRecord(4, 0, {0})),
         "строка 1: неверная длина записи адреса (1 байт, должно быть 2)", 1},
        {"image without EEPROM", lines(codeOnly), "в файле нет данных EEPROM по адресу 0x2100", 0},
        {"image with a gap", lines(gap),
         "таблица неполна: из 124 байт в файле есть 116, нет байта 0x40 (последний байт "
         "таблицы в строке 17)",
         17},
        {"word above a byte", hexWith(2, intelHexRecord(0, 0x4200, {0x2C, 0x01})),
         "строка 3: значение 0x12C байта EEPROM 0x0 вне 0...255", 3},
        {"source without ORG", sourceWith([](auto& l) { l.erase(l.begin()); }),
         "в файле нет данных EEPROM по адресу 0x2100", 0},
        {"source one byte short", sourceWith([](auto& l) { l.erase(l.begin() + 132); }),
         "таблица неполна: из 124 байт в файле есть 123, нет байта 0x7B (последний байт "
         "таблицы в строке 132)",
         132},
        {"value above a byte", sourceWith([](auto& l) { l[5] = "  DATA .300 ; 0"; }),
         "строка 6: значение «.300» вне 0...255", 6},
        {"negative value as the writer would write it",
         sourceWith([](auto& l) { l[6] = " DE .-5"; }), "строка 7: значение «.-5» вне 0...255", 7},
        {"negative hexadecimal", sourceWith([](auto& l) { l[6] = " DE -0x05"; }),
         "строка 7: значение «-0x05» вне 0...255", 7},
        {"number of no known radix", sourceWith([](auto& l) { l[5] = " DATA 87"; }),
         "строка 6: число «87» без указания системы счисления: десятичное пишется .87, "
         "шестнадцатеричное 0x87",
         6},
        {"limits before any calculation", tableSourceBytes(neverCalculated, c.in),
         "строка 130: не удаётся прочитать значение «0x»", 130},
        {"symbol as a value", sourceWith([](auto& l) { l[129] = " DATA Tmaxh"; }),
         "строка 130: не удаётся прочитать значение «Tmaxh»", 130},
        {"text as a value", sourceWith([](auto& l) { l[5] = " DATA \"W\""; }),
         "строка 6: не удаётся прочитать значение «\"W\"»", 6},
        {"instruction", sourceWith([](auto& l) { l.insert(l.begin() + 1, "        movlw 5"); }),
         "строка 2: непонятная запись «movlw 5»", 2},
        {"include", sourceWith([](auto& l) { l.insert(l.begin(), "#include <p16f628a.inc>"); }),
         "строка 1: непонятная запись «#include <p16f628a.inc>»", 1},
        {"unknown radix", sourceWith([](auto& l) { l.insert(l.begin(), " radix bin"); }),
         "строка 1: непонятная система счисления «bin»", 1},
        {"byte given twice", sourceWith([](auto& l) {
             l.push_back(" ORG 0x2100");
             l.push_back(" DATA .87");
         }),
         "строка 142: байт EEPROM 0x0 задан второй раз (впервые в строке 6)", 142},
        {"origin inside the EEPROM",
         sourceWith([](auto& l) { l.insert(l.begin() + 129, " ORG 0x2178"); }),
         "строка 130: ORG 0x2178 внутри EEPROM ассемблеры понимают по-разному; таблица должна "
         "идти подряд от ORG 0x2100",
         130},
        {"line too long", std::string(70000, ' ') + "\r\n", "строка 1: слишком длинная строка", 1},
        {"empty file", "", "в файле нет данных EEPROM по адресу 0x2100", 0},
    };
    for (const auto& row : rows) {
        const TableReadResult read = readTableBytes(row.bytes);
        EXPECT_FALSE(read) << row.label;
        EXPECT_EQ(read.reason, row.reason) << row.label;
        EXPECT_EQ(read.line, row.line) << row.label;
    }
}

TEST(TableImage, FileThatCannotBeReadSaysWhy)
{
    test::TempFolder folder;
#ifndef _WIN32
    test::makeFifo(folder / "kom.hex");
#endif
    const struct {
        std::filesystem::path file;
        std::string reason;
    } rows[]{
        {folder / "missing.hex", "файл не найден"},
        {folder.path(), "на месте файла находится папка"},
#ifndef _WIN32
        {folder / "kom.hex", "на месте файла находится канал, устройство или сокет"},
        {"/proc/self/mem", "ошибка ввода-вывода"},  // fails after the open
#else
        {"NUL", "на месте файла находится канал, устройство или сокет"},
#endif
    };
    for (const auto& row : rows) {
        const TableReadResult read = readTableFile(row.file);
        EXPECT_FALSE(read) << row.file;
        EXPECT_EQ(read.reason, row.reason) << row.file;
    }
    const TableReadResult missing = readTableFile(folder / "missing.hex");
    EXPECT_EQ(tableReadFailureText(folder / "missing.hex", missing),
              "Не удалось прочитать таблицу из файла " + (folder / "missing.hex").string() +
                  ": файл не найден.");
}

}  // namespace
}  // namespace ign
