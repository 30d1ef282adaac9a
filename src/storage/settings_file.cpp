#include "storage/settings_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <optional>
#include <system_error>
#include <utility>

#include "storage/cp1251.h"
#include "storage/platform_file.h"
#include "storage/text_lines.h"

namespace ign {
namespace {

namespace fs = std::filesystem;
using Status = SettingsLoadResult::Status;

// Far beyond anything the window can write (103 fields of at most 32767
// characters, 3.4 MB); a larger file is no settings file and is read only
// this far before it is refused.
constexpr std::size_t kMostSettingsMegabytes = 8;
constexpr LineLimits kSettingsLimits{64 * 1024, kMostSettingsMegabytes * 1024 * 1024};
// The file has 103 lines; a person may add notes after them, but not ten
// times as many.
constexpr std::size_t kMostSettingsLines = 1000;

fs::path withSuffix(const fs::path& file, const std::string& suffix)
{
    fs::path named = file;
    named += suffix;
    return named;
}

SettingsLoadResult loadResult(Status status, std::string reason)
{
    SettingsLoadResult result;
    result.status = status;
    result.reason = std::move(reason);
    return result;
}

std::size_t lineCount(std::string_view bytes)
{
    std::size_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

// Why the bytes cannot be a settings file, or nothing. The window writes text
// lines and a person may edit them, so a short, long-lined or odd file still
// counts; only what neither could make is refused: a zero byte (binary data,
// UTF-16, a block of zeros a crash left), a size or a count of lines far
// beyond any settings file.
std::string whyNoSettings(std::string_view bytes, bool cut)
{
    if (cut)
        return "он больше " + std::to_string(kMostSettingsMegabytes) + " МБ";
    if (bytes.find('\0') != std::string_view::npos)
        return "в нём есть нулевые байты";
    if (lineCount(bytes) > kMostSettingsLines)
        return "в нём больше " + std::to_string(kMostSettingsLines) + " строк";
    return {};
}

// Reads `file` into `in`, keeping the bytes read.
SettingsLoadResult loadSettingsBytes(const fs::path& file, Inputs& in, std::string& bytes)
{
    FileStart read = readFileStart(file, kSettingsLimits.totalBytes);
    if (read.error == ENOENT)
        return loadResult(Status::Missing, describeReadError(ENOENT));
    if (read.error != 0)
        return loadResult(Status::Unreadable, describeReadError(read.error));
    if (const std::string why = whyNoSettings(read.bytes, read.cut); !why.empty())
        return loadResult(Status::Unreadable, "это не файл настроек (" + why + ")");
    applySettingsBytes(read.bytes, in);
    bytes = std::move(read.bytes);
    return loadResult(Status::Loaded, {});
}

// The n-th name a file is kept under; the extension stays ".bak", so the
// system still shows it as a backup.
fs::path backupName(const fs::path& file, int n)
{
    return withSuffix(file, n == 1 ? ".bak" : "." + std::to_string(n) + ".bak");
}

constexpr int kMostBackups = 9999;

bool nameTaken(const fs::path& name)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(name, ec));
}

fs::path firstFreeBackupName(const fs::path& file)
{
    int n = 1;
    while (n < kMostBackups && nameTaken(backupName(file, n)))
        ++n;
    return backupName(file, n);
}

struct KeptAside {
    fs::path name;  // the backup name used, or tried last
    int error = 0;  // ENOENT when there was no file to keep
};

// Renames the file to the first free backup name. A name taken between the
// look and the rename is skipped, never replaced.
KeptAside keepAside(const fs::path& file)
{
    KeptAside kept;
    for (int n = 1; n <= kMostBackups; ++n) {
        kept.name = backupName(file, n);
        if (nameTaken(kept.name))
            continue;
        kept.error = platform::renameWithoutReplacing(file, kept.name);
        if (kept.error != EEXIST)
            return kept;
    }
    kept.error = EEXIST;
    return kept;
}

void removeIfUnchanged(const fs::path& file, const std::string& bytes)
{
    if (readWholeFile(file) == bytes) {
        std::error_code ec;
        fs::remove(file, ec);
    }
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

SettingsLoadResult loadSettingsFile(const fs::path& file, Inputs& in)
{
    std::string bytes;
    return loadSettingsBytes(file, in, bytes);
}

SettingsLoadResult loadSettingsAtStartup(const fs::path& file, Inputs& in)
{
    Inputs fromFile = in;
    SettingsLoadResult loaded = loadSettingsFile(file, fromFile);
    Inputs fromBeside = in;
    std::string besideBytes;
    const fs::path beside = withSuffix(file, ".new");
    if (loadSettingsBytes(beside, fromBeside, besideBytes)) {
        in = std::move(fromBeside);
        loaded.readBeside = beside;
        loaded.besideBytes = std::move(besideBytes);
    } else if (loaded) {
        in = std::move(fromFile);
    }
    if (loaded.status == Status::Unreadable || (loaded && !loaded.readBeside.empty()))
        loaded.keptAs = firstFreeBackupName(file);
    return loaded;
}

WriteResult saveSettingsFile(const fs::path& file, const Inputs& in)
{
    return writeFileAtomically(file, settingsFileBytes(in));
}

std::string settingsLoadWarning(const fs::path& file, const SettingsLoadResult& loaded)
{
    const fs::path kept = loaded.keptAs.empty() ? firstFreeBackupName(file) : loaded.keptAs;
    if (!loaded.readBeside.empty()) {
        std::string text = "Введённые значения прочитаны из файла " +
            displayPath(loaded.readBeside) +
            ": при прошлом выходе из программы их не удалось записать в файл " + displayPath(file) +
            ".";
        if (loaded.status == Status::Unreadable)
            text += " Файл " + displayPath(file) + " прочитать не удалось (" + loaded.reason +
                "); при выходе из программы он будет сохранён как " + displayPath(kept) + ".";
        else if (loaded)
            text += " Прежний файл " + displayPath(file) +
                " при выходе из программы будет сохранён как " + displayPath(kept) + ".";
        return text;
    }
    if (loaded.status != Status::Unreadable)
        return {};
    return "Не удалось прочитать файл " + displayPath(file) + ": " + loaded.reason +
        ". Используются начальные значения; при выходе из программы файл будет сохранён как " +
        displayPath(kept) + ".";
}

SettingsSaveOutcome saveSettingsAtShutdown(const fs::path& file, const Inputs& in,
                                           SettingsLoadResult& loaded)
{
    SettingsSaveOutcome outcome{file, {}, {}};
    if (loaded.status == Status::Unreadable || !loaded.keptAs.empty()) {
        const KeptAside kept = keepAside(file);
        if (kept.error != 0 && kept.error != ENOENT) {
            outcome.file = withSuffix(file, ".new");
            outcome.notice = "Файл " + displayPath(file) + " не удалось переименовать в " +
                displayPath(kept.name) + ": " + describeError(kept.error) +
                ". Он оставлен как есть, а введённые значения записаны в файл " +
                displayPath(outcome.file) + ".";
        } else if (kept.error == 0 && !loaded.keptAs.empty() && kept.name != loaded.keptAs) {
            outcome.notice =
                "Файл " + displayPath(file) + " сохранён как " + displayPath(kept.name) + ".";
        }
    }
    // A "<name>.new" this run did not read may hold inputs of its own.
    if (outcome.file != file && outcome.file != loaded.readBeside) {
        if (const KeptAside old = keepAside(outcome.file); old.error != 0 && old.error != ENOENT) {
            outcome.written = {false, describeError(old.error)};
            outcome.notice.clear();
            return outcome;
        }
    }
    const std::string bytes = settingsFileBytes(in);
    outcome.written = writeFileAtomically(outcome.file, bytes);
    if (!outcome.written.ok) {
        outcome.notice.clear();  // the failed write is what the user must hear of
        return outcome;
    }
    if (outcome.file == file) {
        if (!loaded.readBeside.empty())
            removeIfUnchanged(loaded.readBeside, loaded.besideBytes);
        loaded = loadResult(Status::Loaded, {});
    } else {
        // Ours now: a second shutdown may write it again.
        loaded.readBeside = outcome.file;
        loaded.besideBytes = bytes;
    }
    return outcome;
}

}  // namespace ign
