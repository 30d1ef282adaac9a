#include "storage/settings_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <optional>
#include <system_error>
#include <utility>

#include "storage/cp1251.h"
#include "storage/text_lines.h"

namespace ign {
namespace {

// Far beyond anything the window can write (its fields hold at most 32767
// characters); a larger file is no settings file and is read only this far.
constexpr LineLimits kSettingsLimits{64 * 1024, 8 * 1024 * 1024};

std::filesystem::path withSuffix(const std::filesystem::path& file, const char* suffix)
{
    std::filesystem::path named = file;
    named += suffix;
    return named;
}

std::string_view trimBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view withoutSign(std::string_view text, bool& negative)
{
    negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return text;
}

// The whole text as a whole number, blanks around it allowed.
std::optional<long long> wholeNumber(std::string_view text)
{
    bool negative = false;
    const std::string_view digits = withoutSign(trimBlanks(text), negative);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        }))
        return std::nullopt;
    long long value = 0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (res.ec != std::errc() || res.ptr != digits.data() + digits.size())
        return std::nullopt;
    return negative ? -value : value;
}

// "True" or "False" in any letter case, or a decimal number that is true when
// it is not zero; nothing for any other text.
std::optional<bool> booleanText(std::string_view text)
{
    text = trimBlanks(text);
    const auto equalsIgnoringCase = [&](std::string_view word) {
        return text.size() == word.size() &&
            std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == b;
               });
    };
    if (equalsIgnoringCase("true"))
        return true;
    if (equalsIgnoringCase("false"))
        return false;
    bool negative = false;
    const std::string_view number = withoutSign(text, negative);
    // from_chars would also take "inf" and "nan", which are no numbers here.
    if (number.empty() ||
        !(std::isdigit(static_cast<unsigned char>(number.front())) || number.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ptr != number.data() + number.size())
        return std::nullopt;
    // Out of range means too large or too small for a double, but not zero.
    return res.ec == std::errc::result_out_of_range || value != 0;
}

// Text that is no truth value leaves the button as it was.
void setOption(std::array<bool, 2>& options, std::size_t which, const std::string& text)
{
    if (const std::optional<bool> value = booleanText(text))
        setOptionState(options, which, *value);
}

template <std::size_t N>
void readTexts(std::array<std::string, N>& fields, std::size_t first, const auto& nextLine)
{
    for (std::size_t i = first; i < N; ++i)
        fields[i] = nextLine();
}

// One buffer carries the last line read, so once the file ends every later
// field gets that line again.
void applyLines(LineReader& reader, Inputs& in)
{
    std::string raw;
    std::string lastRaw;
    std::string buffer;
    const auto nextLine = [&]() -> const std::string& {
        // A file written from a short one repeats a line into a hundred
        // fields; it is converted once.
        if (reader.next(raw) && raw != lastRaw) {
            buffer = cp1251ToUtf8(raw);
            lastRaw.swap(raw);
        }
        return buffer;
    };
    selectItem(in.combo1[0], kPrescalerItems, nextLine());
    selectItem(in.combo1[1], kPulseCountItems, nextLine());
    readTexts(in.combo2, 0, nextLine);
    const std::optional<long long> check = wholeNumber(nextLine());
    if (check == 0 || check == 1)
        in.check1 = *check == 1;
    setOption(in.option1, 0, nextLine());
    setOption(in.option1, 1, nextLine());
    readTexts(in.text1, 1, nextLine);
    readTexts(in.text4, 0, nextLine);
    readTexts(in.text5, 0, nextLine);
    readTexts(in.text6, 0, nextLine);
}

}  // namespace

std::string settingsFileBytes(const Inputs& in)
{
    std::string bytes;
    std::string_view previous;
    std::string converted;
    const auto put = [&](std::string_view field) {
        // Fields that repeat a short file's last line are converted once.
        if (field != previous) {
            converted = utf8ToCp1251(field);
            previous = field;
        }
        // A line break stays a line break in the code page, so it can be
        // replaced after the conversion.
        appendLine(bytes, converted);
    };
    put(in.combo1[0]);
    put(in.combo1[1]);
    put(in.combo2[0]);
    put(in.combo2[1]);
    put(in.check1 ? " 1 " : " 0 ");
    put(in.option1[0] ? "True" : "False");
    put(in.option1[1] ? "True" : "False");
    std::for_each(in.text1.begin() + 1, in.text1.end(), put);
    std::for_each(in.text4.begin(), in.text4.end(), put);
    std::for_each(in.text5.begin(), in.text5.end(), put);
    std::for_each(in.text6.begin(), in.text6.end(), put);
    return bytes;
}

void applySettingsBytes(std::string_view bytes, Inputs& in)
{
    LineReader reader = LineReader::ofBytes(bytes, kSettingsLimits);
    applyLines(reader, in);
}

SettingsLoadResult loadSettingsFile(const std::filesystem::path& file, Inputs& in)
{
    using Status = SettingsLoadResult::Status;
    LineReader reader = LineReader::ofFile(file, kSettingsLimits);
    if (reader.openError() == ENOENT)
        return {Status::Missing, describeReadError(ENOENT)};
    if (reader.openError() != 0)
        return {Status::Unreadable, describeReadError(reader.openError())};
    Inputs read = in;
    applyLines(reader, read);
    if (reader.readError() != 0)
        return {Status::Unreadable, describeReadError(reader.readError())};
    in = std::move(read);
    return {Status::Loaded, {}};
}

WriteResult saveSettingsFile(const std::filesystem::path& file, const Inputs& in)
{
    return writeFileAtomically(file, settingsFileBytes(in));
}

std::string settingsLoadWarning(const std::filesystem::path& file, const SettingsLoadResult& loaded)
{
    if (loaded.status != SettingsLoadResult::Status::Unreadable)
        return {};
    return "Не удалось прочитать файл " + displayPath(file) + ": " + loaded.reason +
        ". Используются начальные значения; при выходе из программы файл будет сохранён как " +
        displayPath(withSuffix(file, ".bak")) + ".";
}

SettingsSaveOutcome saveSettingsAtShutdown(const std::filesystem::path& file, const Inputs& in,
                                           SettingsLoadResult& loaded)
{
    SettingsSaveOutcome outcome{file, {}, {}};
    if (loaded.status == SettingsLoadResult::Status::Unreadable) {
        const std::filesystem::path kept = withSuffix(file, ".bak");
        std::error_code ec;
        std::filesystem::rename(file, kept, ec);
        const std::error_condition why = ec.default_error_condition();
        if (!ec || why == std::errc::no_such_file_or_directory) {
            loaded = {SettingsLoadResult::Status::Loaded, {}};
        } else {
            outcome.file = withSuffix(file, ".new");
            const int number = why.category() == std::generic_category() ? why.value() : ec.value();
            outcome.notice = "Файл " + displayPath(file) + " не удалось переименовать в " +
                displayPath(kept) + ": " + describeError(number) +
                ". Он оставлен как есть, а введённые значения " + "записаны в файл " +
                displayPath(outcome.file) + ".";
        }
    }
    outcome.written = saveSettingsFile(outcome.file, in);
    if (!outcome.written.ok)
        outcome.notice.clear();  // the failed write is what the user must hear of
    return outcome;
}

}  // namespace ign
