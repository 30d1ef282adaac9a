// Data.dat holds every input the user ever typed. Whatever start-up finds in
// its place is either read or kept: a file it cannot use is never written
// over, no earlier copy is lost, and inputs that had to be saved beside it
// come back at the next start.
#include "storage/settings_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/same_fields.h"
#include "support/test_files.h"

namespace ign {
namespace {

namespace fs = std::filesystem;
using Status = SettingsLoadResult::Status;
using test::expectSameFields;
using test::TempFolder;

Inputs typedInputs()
{
    Inputs in = initialInputs();
    in.combo1 = {"4", "1"};
    in.text4 = {"45,1", "", "2821", "-28", "1.919E3", "Ява"};
    in.text6[3] = "typed";
    return in;
}

std::string repeated(std::string_view line, std::size_t times)
{
    std::string bytes;
    for (std::size_t i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}

std::string shown(const fs::path& file)
{
    return displayPath(file);
}

// Odd but real files load as before; only what the program could never have
// written, and no person would keep as settings, is refused.
TEST(SettingsKeeping, OnlyWhatCannotBeASettingsFileIsRefused)
{
    const std::string written = settingsFileBytes(typedInputs());
    std::string everyByte = "8\r\n2\r\n";
    for (int b = 1; b < 256; ++b)
        everyByte += b == '\r' || b == '\n' ? ' ' : static_cast<char>(b);
    std::string utf16;
    for (const char c : std::string("8\r\n2\r\n1000\r\n"))
        utf16 += std::string{c, '\0'};
    const std::string notSettings = "это не файл настроек ";
    const struct {
        const char* label;
        std::string bytes;
        std::string refusal;  // empty: it loads
    } rows[]{
        {"as the program writes it", written, ""},
        {"empty", "", ""},
        {"three lines typed by hand", "8\n2\n1000", ""},
        {"a thousand lines of notes after the 103", written + repeated("заметка\r\n", 897), ""},
        {"every byte but zero", everyByte, ""},
        {"a field of 32767 characters", repeated("7\r\n", 20) + std::string(32767, '7'), ""},
        {"a block of zeros left by a crash", written + std::string(4096, '\0'),
         notSettings + "(в нём есть нулевые байты)"},
        {"UTF-16 text", utf16, notSettings + "(в нём есть нулевые байты)"},
        {"a log of 1001 lines", repeated("line\r\n", 1001),
         notSettings + "(в нём больше 1000 строк)"},
        {"9 MB of text in 103 lines", repeated(std::string(90000, 'x') + "\r\n", 103),
         notSettings + "(он больше 8 МБ)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TempFolder folder;
        test::writeBytes(folder / kSettingsFileName, row.bytes);
        Inputs in = initialInputs();
        const SettingsLoadResult loaded = loadSettingsFile(folder / kSettingsFileName, in);
        EXPECT_EQ(loaded.status, row.refusal.empty() ? Status::Loaded : Status::Unreadable);
        EXPECT_EQ(loaded.reason, row.refusal);
        if (!row.refusal.empty())
            expectSameFields(in, initialInputs());
    }
    // A huge file is refused by its size, without reading it all.
    TempFolder folder;
    test::writeSparse(folder / kSettingsFileName, written, 100u * 1024 * 1024);
    Inputs in = initialInputs();
    EXPECT_EQ(loadSettingsFile(folder / kSettingsFileName, in).reason,
              notSettings + "(он больше 8 МБ)");
}

// What may stand in Data.dat's place that cannot be read.
enum class Unusable { Folder, Zeros, Pipe };

void makeUnusable(Unusable kind, const fs::path& file)
{
    switch (kind) {
    case Unusable::Folder:
        fs::create_directories(file);
        test::writeBytes(file / "inputs", "kept");
        break;
    case Unusable::Zeros:
        test::writeBytes(file, std::string(300, '\0'));
        break;
    case Unusable::Pipe:
#ifndef _WIN32
        test::makeFifo(file);
#endif
        break;
    }
}

bool isUnusableAsMade(Unusable kind, const fs::path& file)
{
    switch (kind) {
    case Unusable::Folder:
        return fs::is_regular_file(file / "inputs") && test::readBytes(file / "inputs") == "kept";
    case Unusable::Zeros:
        return fs::is_regular_file(file) && test::readBytes(file) == std::string(300, '\0');
    case Unusable::Pipe:
        return fs::symlink_status(file).type() == fs::file_type::fifo;
    }
    return false;
}

// However often start-up met a file it could not read, every earlier backup
// is still there: the file goes to the first free name, the one the warning
// named. An empty folder of that name would be replaced by a plain rename.
TEST(SettingsKeeping, UnreadableFileGoesToAFreeBackupNameAndNoBackupIsLost)
{
    const struct {
        Unusable kind;
        const char* reason;
    } kinds[]{
        {Unusable::Folder, "на месте файла находится папка"},
        {Unusable::Zeros, "это не файл настроек (в нём есть нулевые байты)"},
#ifndef _WIN32
        {Unusable::Pipe, "на месте файла находится канал, устройство или сокет"},
#endif
    };
    for (const auto& [kind, reason] : kinds) {
        for (std::size_t older = 0; older <= 2; ++older) {
            SCOPED_TRACE(std::string(reason) + ", older backups: " + std::to_string(older));
            TempFolder folder;
            const fs::path file = folder / kSettingsFileName;
            const fs::path backups[]{folder / "Data.dat.bak", folder / "Data.dat.2.bak",
                                     folder / "Data.dat.3.bak"};
            makeUnusable(kind, file);
            if (older >= 1)
                test::writeBytes(backups[0], "first backup");
            if (older >= 2)
                fs::create_directory(backups[1]);

            Inputs in = typedInputs();
            SettingsLoadResult loaded = loadSettingsAtStartup(file, in);
            EXPECT_EQ(loaded.status, Status::Unreadable);
            expectSameFields(in, typedInputs());
            EXPECT_EQ(settingsLoadWarning(file, loaded),
                      "Не удалось прочитать файл " + shown(file) + ": " + reason +
                          ". Используются начальные значения; при выходе из программы файл "
                          "будет сохранён как " +
                          shown(backups[older]) + ".");

            in.text4[0] = "45,5";
            const SettingsSaveOutcome saved = saveSettingsAtShutdown(file, in, loaded);
            EXPECT_TRUE(saved.written.ok) << saved.written.reason;
            EXPECT_EQ(saved.file, file);
            EXPECT_EQ(saved.notice, "");
            EXPECT_TRUE(fs::is_regular_file(file) &&
                        test::readBytes(file) == settingsFileBytes(in));
            EXPECT_TRUE(isUnusableAsMade(kind, backups[older]));
            if (older >= 1) {
                EXPECT_TRUE(fs::is_regular_file(backups[0]) &&
                            test::readBytes(backups[0]) == "first backup");
            }
            if (older >= 2) {
                EXPECT_TRUE(fs::is_directory(backups[1]) && fs::is_empty(backups[1]));
            }
            EXPECT_EQ(loaded.status, Status::Loaded);  // a second shutdown just writes
        }
    }
}

// After a shutdown that had to leave the inputs in Data.dat.new, the next
// start reads them from there and says so. Once they are back in Data.dat
// the .new file goes, and what Data.dat held before is kept aside: the
// user's fields never showed it, so it is not theirs to lose.
TEST(SettingsKeeping, InputsLeftBesideTheFileAreReadBackAtTheNextStart)
{
    enum class Before { Missing, Unreadable, Older };
    for (const Before before : {Before::Missing, Before::Unreadable, Before::Older}) {
        SCOPED_TRACE(static_cast<int>(before));
        TempFolder folder;
        const fs::path file = folder / kSettingsFileName;
        const fs::path beside = folder / "Data.dat.new";
        const fs::path backup = folder / "Data.dat.bak";
        test::writeBytes(beside, settingsFileBytes(typedInputs()));
        if (before == Before::Unreadable)
            makeUnusable(Unusable::Folder, file);
        if (before == Before::Older)
            test::writeBytes(file, settingsFileBytes(initialInputs()));

        Inputs in = initialInputs();
        SettingsLoadResult loaded = loadSettingsAtStartup(file, in);
        expectSameFields(in, typedInputs());
        std::string told = "Введённые значения прочитаны из файла " + shown(beside) +
            ": при прошлом выходе из программы их не удалось записать в файл " + shown(file) + ".";
        if (before == Before::Unreadable)
            told += " Файл " + shown(file) +
                " прочитать не удалось (на месте файла находится папка); при выходе из "
                "программы он будет сохранён как " +
                shown(backup) + ".";
        if (before == Before::Older)
            told += " Прежний файл " + shown(file) +
                " при выходе из программы будет сохранён как " + shown(backup) + ".";
        EXPECT_EQ(settingsLoadWarning(file, loaded), told);

        in.text6[4] = "21";
        const SettingsSaveOutcome saved = saveSettingsAtShutdown(file, in, loaded);
        EXPECT_TRUE(saved.written.ok) << saved.written.reason;
        EXPECT_EQ(saved.file, file);
        EXPECT_EQ(test::readBytes(file), settingsFileBytes(in));
        EXPECT_FALSE(fs::exists(beside));
        EXPECT_EQ(fs::exists(backup), before != Before::Missing);
        if (before == Before::Older) {
            EXPECT_EQ(test::readBytes(backup), settingsFileBytes(initialInputs()));
        }
        if (before == Before::Unreadable) {
            EXPECT_TRUE(isUnusableAsMade(Unusable::Folder, backup));
        }
    }
}

#ifndef _WIN32
// Runs one start and one shutdown as an ordinary user, who may not move a
// file of root's in a sticky folder; the notice of the shutdown is left in
// "notice". True when the inputs went to Data.dat.new.
bool savedBesideByAnotherUser(const fs::path& file, const Inputs& typed)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setuid(65534) != 0)
            ::_exit(2);
        Inputs in = initialInputs();
        SettingsLoadResult loaded = loadSettingsAtStartup(file, in);
        in = typed;
        const SettingsSaveOutcome saved = saveSettingsAtShutdown(file, in, loaded);
        test::writeBytes(file.parent_path() / "notice", saved.notice);
        fs::path beside = file;
        beside += ".new";
        ::_exit(saved.written.ok && saved.file == beside ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
        WEXITSTATUS(status) == 0;
}

TEST(SettingsKeeping, InputsThatCouldNotReplaceTheFileComeBackRunAfterRun)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as two users";
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 01777), 0);
    const fs::path file = folder / kSettingsFileName;
    const fs::path beside = folder / "Data.dat.new";
    makeUnusable(Unusable::Folder, file);

    Inputs first = typedInputs();
    ASSERT_TRUE(savedBesideByAnotherUser(file, first));
    EXPECT_EQ(test::readBytes(folder / "notice"),
              "Файл " + shown(file) + " не удалось переименовать в " +
                  shown(folder / "Data.dat.bak") +
                  ": нет прав на запись. Он оставлен как есть, а введённые значения записаны в "
                  "файл " +
                  shown(beside) + ".");
    Inputs read = initialInputs();
    loadSettingsAtStartup(file, read);
    expectSameFields(read, first);

    // The next run starts from them and leaves its own in the same place.
    Inputs second = first;
    second.text4[1] = "2900";
    ASSERT_TRUE(savedBesideByAnotherUser(file, second));
    EXPECT_EQ(test::readBytes(beside), settingsFileBytes(second));
    EXPECT_TRUE(isUnusableAsMade(Unusable::Folder, file));
}
#endif

}  // namespace
}  // namespace ign
