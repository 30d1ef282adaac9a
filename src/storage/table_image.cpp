#include "storage/table_image.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/numbers.h"
#include "storage/atomic_file.h"
#include "storage/cp1251.h"
#include "storage/text_lines.h"

namespace ign {
namespace {

// An image of the PIC16F628A is a few kilobytes and a table source a few;
// a line of this length or a file of this size is neither.
constexpr LineLimits kTableLimits{64 * 1024, 16 * 1024 * 1024};

// The data EEPROM starts at word 0x2100; a HEX file counts bytes, two to a
// word, the data byte low.
constexpr std::uint32_t kEepromWord = 0x2100;
constexpr std::uint32_t kEepromHexBase = 2 * kEepromWord;

constexpr const char* kNoEeprom = "в файле нет данных EEPROM по адресу 0x2100";

struct Refusal {
    int line = 0;
    std::string reason;
};

std::string hexText(std::uint32_t value)
{
    return "0x" + hexUpper(value);
}

std::string atLine(int line, const std::string& what)
{
    return "строка " + std::to_string(line) + ": " + what;
}

// A piece of the file quoted in a message: readable whatever the file holds.
std::string excerpt(std::string_view text)
{
    constexpr std::size_t kMost = 40;
    std::string shown;
    for (const char c : text.substr(0, kMost))
        shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    if (text.size() > kMost)
        shown += "...";
    return "«" + cp1251ToUtf8(shown) + "»";
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// Digits in a radix, saturating far above any byte; nothing when a character
// is no digit of the radix or there is none.
std::optional<std::uint64_t> digitsValue(std::string_view digits, int radix)
{
    if (digits.empty())
        return std::nullopt;
    constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int d = digitValue(c);
        if (d >= radix)
            return std::nullopt;
        value = std::min(value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d),
                         kSaturated);
    }
    return value;
}

// The table's bytes as they are found, and the line each came from.
struct Collected {
    std::array<std::int32_t, kTableBytes> value{};
    std::array<int, kTableBytes> line{};  // 0: not found yet

    std::optional<Refusal> finish(ControllerTable& table) const
    {
        const auto found = std::count_if(line.begin(), line.end(), [](int l) { return l != 0; });
        if (found == 0)
            return Refusal{0, kNoEeprom};
        const auto missing = std::find(line.begin(), line.end(), 0);
        if (missing != line.end()) {
            const int last = *std::max_element(line.begin(), line.end());
            return Refusal{last,
                           "таблица неполна: из " + std::to_string(kTableBytes) +
                               " байт в файле есть " + std::to_string(found) + ", нет байта " +
                               hexText(static_cast<std::uint32_t>(missing - line.begin())) +
                               " (последний байт таблицы в строке " + std::to_string(last) + ")"};
        }
        table.bytes = value;
        return std::nullopt;
    }
};

// ---- Intel HEX --------------------------------------------------------

class HexReader {
public:
    // False once the end-of-file record has been read.
    bool wantsMore() const { return !ended_; }

    std::optional<Refusal> record(std::string_view text, int lineNo)
    {
        text = trimmed(text);
        if (text.empty())
            return std::nullopt;
        const auto refuse = [&](const std::string& what) {
            return Refusal{lineNo, atLine(lineNo, what)};
        };
        std::vector<std::uint32_t> bytes;
        if (text.front() == ':' && text.size() % 2 == 1) {
            for (std::size_t i = 1; i < text.size(); i += 2) {
                const auto b = digitsValue(text.substr(i, 2), 16);
                if (!b)
                    break;
                bytes.push_back(static_cast<std::uint32_t>(*b));
            }
        }
        if (bytes.size() * 2 + 1 != text.size())
            return refuse("это не запись Intel HEX: " + excerpt(text));
        if (bytes.size() < 5 || bytes.size() != bytes[0] + 5)
            return refuse("неверная длина записи (указано байт данных: " +
                          std::to_string(bytes.empty() ? 0 : bytes[0]) + ", в записи: " +
                          std::to_string(bytes.size() < 5 ? 0 : bytes.size() - 5) + ")");
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
            sum += bytes[i];
        const std::uint32_t expected = (0x100 - (sum & 0xFF)) & 0xFF;
        if (bytes.back() != expected)
            return refuse("неверная контрольная сумма записи (" + hexText(bytes.back()) +
                          ", должна быть " + hexText(expected) + ")");
        const std::uint32_t length = bytes[0];
        const std::uint32_t offset = bytes[1] << 8 | bytes[2];
        const auto word = [&] { return bytes[4] << 8 | bytes[5]; };
        switch (bytes[3]) {
        case 0x00:
            for (std::uint32_t i = 0; i < length; ++i)
                take(base_ + ((offset + i) & 0xFFFF), bytes[4 + i], lineNo);
            return std::nullopt;
        case 0x01:
            ended_ = true;
            return std::nullopt;
        case 0x02:  // extended segment address: paragraphs of 16 bytes
        case 0x04:  // extended linear address: the upper 16 bits
            if (length != 2)
                return refuse("неверная длина записи адреса (" + std::to_string(length) +
                              " байт, должно быть 2)");
            base_ = bytes[3] == 0x02 ? word() << 4 : word() << 16;
            return std::nullopt;
        case 0x03:  // start addresses carry no data
        case 0x05:
            return std::nullopt;
        default:
            return refuse("неизвестный тип записи " + hexText(bytes[3]));
        }
    }

    std::optional<Refusal> finish(ControllerTable& table) const
    {
        // A word the assembler had to store above a byte: it would not fit
        // the EEPROM, so it was meant otherwise.
        for (std::size_t i = 0; i < static_cast<std::size_t>(kTableBytes); ++i) {
            if (high_[i] == 0)
                continue;
            const std::uint32_t value = high_[i] << 8 | static_cast<std::uint32_t>(bytes_.value[i]);
            return Refusal{highLine_[i],
                           atLine(highLine_[i],
                                  "значение " + hexText(value) + " байта EEPROM " +
                                      hexText(static_cast<std::uint32_t>(i)) + " вне 0...255")};
        }
        return bytes_.finish(table);
    }

private:
    void take(std::uint32_t address, std::uint32_t byte, int lineNo)
    {
        if (address < kEepromHexBase)
            return;
        const std::uint32_t index = (address - kEepromHexBase) / 2;
        if (index >= static_cast<std::uint32_t>(kTableBytes))
            return;
        // A later record overwrites an earlier one, as a programmer does.
        if (address % 2 == 0) {
            bytes_.value[index] = static_cast<std::int32_t>(byte);
            bytes_.line[index] = lineNo;
        } else {
            high_[index] = byte;
            highLine_[index] = lineNo;
        }
    }

    std::uint32_t base_ = 0;
    bool ended_ = false;
    Collected bytes_;
    std::array<std::uint32_t, kTableBytes> high_{};
    std::array<int, kTableBytes> highLine_{};
};

// ---- Table source ---------------------------------------------------------

// What a bare number means depends on the default radix, which the firmware's
// main source or the assembler's command line sets for an included file: hex
// unless told otherwise. Only a radix set in the file itself is known here.
enum class Radix { Unknown = 0, Octal = 8, Decimal = 10, Hex = 16 };

std::optional<Radix> radixNamed(std::string_view name)
{
    const std::string n = upper(trimmed(name));
    if (n == "DEC" || n == "D" || n == "DECIMAL")
        return Radix::Decimal;
    if (n == "HEX" || n == "H" || n == "HEXADECIMAL")
        return Radix::Hex;
    if (n == "OCT" || n == "O" || n == "OCTAL")
        return Radix::Octal;
    return std::nullopt;
}

// The directives a table file may hold; everything else (instructions,
// macros, conditions, includes) would need the assembler to read.
enum class Directive { None, Org, Data, Ignored, Radix, List, End };

Directive directiveNamed(std::string_view word)
{
    const std::string w = upper(word);
    if (w == "ORG")
        return Directive::Org;
    if (w == "DATA" || w == "DE" || w == "DW")
        return Directive::Data;
    if (w == "RADIX")
        return Directive::Radix;
    if (w == "LIST")
        return Directive::List;
    if (w == "END")
        return Directive::End;
    // Constants and listing controls put nothing into the EEPROM.
    for (const char* ignored : {"EQU", "SET", "=", "NOLIST", "ERRORLEVEL", "PROCESSOR", "TITLE",
                                "SUBTITLE", "PAGE", "SPACE", "EXPAND", "NOEXPAND"})
        if (w == ignored)
            return Directive::Ignored;
    return Directive::None;
}

// The code of a line: up to a semicolon that is not inside quotes.
std::string_view codeOf(std::string_view line)
{
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            return line.substr(0, i);
        }
    }
    return line;
}

std::string_view nextWord(std::string_view& rest)
{
    rest = trimmed(rest);
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end]))
        ++end;
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

struct Literal {
    enum class Status { Ok, Unreadable, NoRadix } status = Status::Unreadable;
    std::int64_t value = 0;
};

// One numeric literal as both assemblers read it.
Literal literal(std::string_view text, Radix radix)
{
    Literal out;
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text = trimmed(text.substr(1));
    }
    std::optional<std::uint64_t> value;
    const auto quotedDigits = [&](int base) {
        if (text.size() >= 3 && text[1] == '\'' && text.back() == '\'')
            value = digitsValue(text.substr(2, text.size() - 3), base);
    };
    if (text.empty())
        return out;
    const char prefix = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    if (text.front() == '.') {
        // ".-5" is how the table source writes a negative byte, though no
        // assembler takes it.
        if (text.size() > 1 && text[1] == '-') {
            negative = !negative;
            text.remove_prefix(1);
        }
        value = digitsValue(text.substr(1), 10);
    } else if (text.size() > 1 && text[1] == '\'') {
        if (prefix == 'D')
            quotedDigits(10);
        else if (prefix == 'H')
            quotedDigits(16);
        else if (prefix == 'B')
            quotedDigits(2);
        else if (prefix == 'O')
            quotedDigits(8);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        value = digitsValue(text.substr(2), 16);
    } else if (std::isdigit(static_cast<unsigned char>(text.front())) &&
               (text.back() == 'h' || text.back() == 'H')) {
        value = digitsValue(text.substr(0, text.size() - 1), 16);
    } else if (std::isdigit(static_cast<unsigned char>(text.front()))) {
        // A single decimal digit means the same in every radix that has it.
        if (radix == Radix::Unknown && !(text.size() == 1)) {
            out.status =
                digitsValue(text, 16) ? Literal::Status::NoRadix : Literal::Status::Unreadable;
            return out;
        }
        value = digitsValue(text, radix == Radix::Unknown ? 10 : static_cast<int>(radix));
    }
    if (!value)
        return out;
    out.status = Literal::Status::Ok;
    out.value = negative ? -static_cast<std::int64_t>(*value) : static_cast<std::int64_t>(*value);
    return out;
}

class SourceReader {
public:
    bool wantsMore() const { return !ended_; }

    std::optional<Refusal> line(std::string_view text, int lineNo)
    {
        const auto refuse = [&](const std::string& what) {
            return Refusal{lineNo, atLine(lineNo, what)};
        };
        const bool inColumnOne = !text.empty() && !isBlank(text.front());
        std::string_view rest = trimmed(codeOf(text));
        if (rest.empty())
            return std::nullopt;
        const std::string_view code = rest;
        if (rest.front() == '#') {
            const std::string word = upper(nextWord(rest));
            if (word == "#DEFINE" || word == "#UNDEFINE")
                return std::nullopt;
            return refuse("непонятная запись " + excerpt(code));
        }
        std::string_view word = nextWord(rest);
        Directive directive = directiveNamed(word);
        if (directive == Directive::None) {
            // A label, which gpasm takes in the first column only; anywhere
            // else the word is an instruction or a macro.
            if (!inColumnOne)
                return refuse("непонятная запись " + excerpt(code));
            word = nextWord(rest);
            if (word.empty())
                return std::nullopt;
            directive = directiveNamed(word);
            if (directive == Directive::None)
                return refuse("непонятная запись " + excerpt(code));
        }
        const std::string_view arguments = trimmed(rest);
        switch (directive) {
        case Directive::Org: {
            const Literal at = literal(arguments, radix_);
            if (at.status != Literal::Status::Ok)
                return refuse(literalProblem(at, arguments, "адрес"));
            // gpasm takes an origin inside the EEPROM as a byte address from
            // 0x4200 on, the Windows assembler as a word: only the table's own
            // start means the same to both.
            if (at.value > kEepromWord && at.value < kEepromWord + 0x100)
                return refuse("ORG " + hexText(static_cast<std::uint32_t>(at.value)) +
                              " внутри EEPROM ассемблеры понимают по-разному; таблица должна "
                              "идти подряд от ORG 0x2100");
            address_ = at.value;
            return std::nullopt;
        }
        case Directive::Data:
            return data(arguments, lineNo);
        case Directive::Radix: {
            const auto named = radixNamed(arguments);
            if (!named)
                return refuse("непонятная система счисления " + excerpt(arguments));
            radix_ = *named;
            return std::nullopt;
        }
        case Directive::List:
            return listOptions(arguments, lineNo);
        case Directive::End:
            ended_ = true;
            return std::nullopt;
        default:
            return std::nullopt;
        }
    }

    std::optional<Refusal> finish(ControllerTable& table) const { return bytes_.finish(table); }

private:
    static std::string literalProblem(const Literal& l, std::string_view text, const char* what)
    {
        if (l.status == Literal::Status::NoRadix)
            return "число " + excerpt(text) +
                " без указания системы счисления: десятичное пишется ." + std::string(text) +
                ", шестнадцатеричное 0x" + std::string(text);
        return std::string("не удаётся прочитать ") + what + " " + excerpt(text);
    }

    std::optional<Refusal> data(std::string_view arguments, int lineNo)
    {
        const auto refuse = [&](const std::string& what) {
            return Refusal{lineNo, atLine(lineNo, what)};
        };
        // Text in double quotes packs characters, which no table holds.
        if (arguments.find('"') != std::string_view::npos)
            return refuse("не удаётся прочитать значение " + excerpt(arguments));
        for (;;) {
            const std::size_t comma = arguments.find(',');
            const std::string_view item = trimmed(arguments.substr(0, comma));
            const Literal v = literal(item, radix_);
            if (v.status != Literal::Status::Ok)
                return refuse(literalProblem(v, item, "значение"));
            const std::int64_t offset = address_ - kEepromWord;
            if (offset >= 0 && offset < kTableBytes) {
                const auto i = static_cast<std::size_t>(offset);
                if (v.value < 0 || v.value > 255)
                    return refuse("значение " + excerpt(item) + " вне 0...255");
                if (bytes_.line[i] != 0)
                    return refuse("байт EEPROM " + hexText(static_cast<std::uint32_t>(offset)) +
                                  " задан второй раз (впервые в строке " +
                                  std::to_string(bytes_.line[i]) + ")");
                bytes_.value[i] = static_cast<std::int32_t>(v.value);
                bytes_.line[i] = lineNo;
            }
            ++address_;
            if (comma == std::string_view::npos)
                return std::nullopt;
            arguments.remove_prefix(comma + 1);
        }
    }

    std::optional<Refusal> listOptions(std::string_view arguments, int lineNo)
    {
        while (!arguments.empty()) {
            const std::size_t comma = arguments.find(',');
            const std::string option = upper(trimmed(arguments.substr(0, comma)));
            if (option.rfind("R=", 0) == 0 || option.rfind("R =", 0) == 0) {
                const auto named = radixNamed(option.substr(option.find('=') + 1));
                if (!named)
                    return Refusal{
                        lineNo, atLine(lineNo, "непонятная система счисления " + excerpt(option))};
                radix_ = *named;
            }
            if (comma == std::string_view::npos)
                break;
            arguments.remove_prefix(comma + 1);
        }
        return std::nullopt;
    }

    Radix radix_ = Radix::Unknown;
    std::int64_t address_ = 0;  // the assembler starts at 0, program memory
    bool ended_ = false;
    Collected bytes_;
};

// ---- Either ---------------------------------------------------------------

TableReadResult refused(const Refusal& r)
{
    TableReadResult result;
    result.reason = r.reason;
    result.line = r.line;
    return result;
}

TableReadResult readLines(LineReader& reader)
{
    std::optional<HexReader> hex;
    std::optional<SourceReader> source;
    std::string text;
    int lineNo = 0;
    while (reader.next(text)) {
        ++lineNo;
        if (lineNo == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0)
            text.erase(0, 3);  // a byte order mark that an editor put in
        if (text.size() >= kTableLimits.lineBytes)
            return refused({lineNo, atLine(lineNo, "слишком длинная строка")});
        if (!hex && !source) {
            const std::string_view first = trimmed(text);
            if (first.empty())
                continue;
            if (first.front() == ':')
                hex.emplace();
            else
                source.emplace();
        }
        const std::optional<Refusal> problem =
            hex ? hex->record(text, lineNo) : source->line(text, lineNo);
        if (problem)
            return refused(*problem);
        if (!(hex ? hex->wantsMore() : source->wantsMore()))
            break;
    }
    if (reader.readError() != 0)
        return refused({0, describeReadError(reader.readError())});
    if (reader.bytesRead() >= kTableLimits.totalBytes)
        return refused({0, "файл слишком велик для таблицы"});
    ControllerTable table;
    const std::optional<Refusal> problem = hex ? hex->finish(table)
        : source                               ? source->finish(table)
                                               : Refusal{0, kNoEeprom};
    if (problem)
        return refused(*problem);
    TableReadResult result;
    result.table = table;
    return result;
}

}  // namespace

TableReadResult readTableBytes(std::string_view bytes)
{
    LineReader reader = LineReader::ofBytes(bytes, kTableLimits);
    return readLines(reader);
}

TableReadResult readTableFile(const std::filesystem::path& file)
{
    LineReader reader = LineReader::ofFile(file, kTableLimits);
    if (reader.openError() != 0)
        return refused({0, describeReadError(reader.openError())});
    return readLines(reader);
}

std::string tableReadFailureText(const std::filesystem::path& file, const TableReadResult& refused)
{
    return "Не удалось прочитать таблицу из файла " + displayPath(file) + ": " + refused.reason +
        ".";
}

}  // namespace ign
