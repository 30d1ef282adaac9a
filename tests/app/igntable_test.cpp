// The batch tool as a script runs it: a separate process, its standard
// output and error apart, its exit status.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

#include "model/calculate.h"
#include "model/messages.h"
#include "model/numbers.h"
#include "model/presets.h"
#include "output/table_source.h"
#include "storage/settings_file.h"
#include "support/assembler.h"
#include "support/test_files.h"
#include "support/worked_example.h"

namespace ign {
namespace {

using test::TempFolder;

struct ToolRun {
    int exitCode = -1;  // -1 when ended by a signal
    std::string out;
    std::string err;
};

struct RunSetting {
    std::string stdoutFile;  // empty: a file in the folder, read back
    std::function<void()> prepare = [] {};  // runs in the child before the tool
    std::vector<std::string> before;  // a program the tool runs under
};

ToolRun runIgntable(const TempFolder& folder, std::vector<std::string> args,
                    const RunSetting& setting = {})
{
    const std::string outFile =
        setting.stdoutFile.empty() ? (folder / "stdout.txt").string() : setting.stdoutFile;
    const auto errFile = folder / "stderr.txt";
    args.insert(args.begin(), IGNTABLE_PATH);
    args.insert(args.begin(), setting.before.begin(), setting.before.end());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ToolRun run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const auto redirect = [](int fd, const char* file, int flags) {
            const int opened = ::open(file, flags, 0644);
            if (opened < 0 || ::dup2(opened, fd) < 0)
                ::_exit(126);
        };
        redirect(0, "/dev/null", O_RDONLY);
        redirect(1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC);
        redirect(2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC);
        // LeakSanitizer cannot run under a tracer.
        ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        setting.prepare();
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    if (setting.stdoutFile.empty())
        run.out = test::readBytes(outFile);
    run.err = test::readBytes(errFile);
    return run;
}

std::vector<std::string> lfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (std::size_t end; (end = text.find('\n', pos)) != std::string::npos; pos = end + 1)
        lines.push_back(text.substr(pos, end - pos));
    return lines;
}

// The worked example with one pulse per revolution.
Inputs exampleInputs()
{
    Inputs in = initialInputs();
    in.combo1[1] = "1";
    return in;
}

TEST(Igntable, WorkedExampleListsAndWritesTheTable)
{
    TempFolder folder;
    const Inputs in = exampleInputs();
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", in).ok);
    const ToolRun run = runIgntable(folder,
                                    {"--settings", (folder / "Data.dat").string(), "--output",
                                     (folder / "IgnTable.asm").string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    test::expectWorkedExampleListing(lfLines(run.out));

    CalcState state;
    startUp(state, in);
    calculate(state, in, '.');
    const std::string written = test::readBytes(folder / "IgnTable.asm");
    EXPECT_EQ(written, tableSourceBytes(state, in));
    EXPECT_TRUE(written.starts_with("        ORG 0x2100\r\n"));
    EXPECT_NE(written.find("#define      single_pulse\r\n"), std::string::npos);
}

TEST(Igntable, DecimalSeparatorOption)
{
    TempFolder folder;
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", exampleInputs()).ok);
    const ToolRun run =
        runIgntable(folder,
                    {"--settings", (folder / "Data.dat").string(), "--output",
                     (folder / "IgnTable.asm").string(), "--decimal-separator", ","});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto lines = lfLines(run.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], " 2)  87    19   14648,4   38,1   -0,35");
}

std::vector<std::string> csvCells(const std::string& line)
{
    std::vector<std::string> cells(1);
    for (char c : line)
        if (c == ',')
            cells.emplace_back();
        else
            cells.back().push_back(c);
    return cells;
}

// --achieved adds the CSV and one summary line per characteristic on
// standard error; the listing and IgnTable.asm stay byte for byte. The points
// case runs past 10000 rpm (prescaler 2) with the bytes of 20 entries of
// characteristic 1 outside 0..255 (initial advance 60, pulse gap 120).
TEST(Igntable, AchievedAdvanceCsvReadsBack)
{
    Inputs points = exampleInputs();
    points.option1 = {false, true};
    points.combo1[0] = "2";
    points.text1[5] = "60";
    points.text1[6] = "120";
    points.text6[22] = "12";
    struct Case {
        Inputs in;
        double tickSec;
        std::int32_t period;  // a row to check by hand
        double wanted1;
        int emptyAchieved1;  // rows without an achieved value
    } cases[] = {
        {exampleInputs(), 8e-6, 600, (45.1 * 12500 - 1919) / (12500 + 2821), 0},
        {points, 2e-6, 2500, 11, 20 * 256},  // halfway from 10 at 10000 rpm to 12 at 14000
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string data = (folder / "Data.dat").string();
        ASSERT_TRUE(saveSettingsFile(data, c.in).ok);
        const ToolRun plain =
            runIgntable(folder, {"--settings", data, "--output", (folder / "plain.asm").string()});
        const ToolRun run =
            runIgntable(folder,
                        {"--settings", data, "--output", (folder / "IgnTable.asm").string(),
                         "--achieved", (folder / "achieved.csv").string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, plain.out);
        EXPECT_EQ(test::readBytes(folder / "IgnTable.asm"), test::readBytes(folder / "plain.asm"));
        const auto errLines = lfLines(run.err);
        ASSERT_EQ(errLines.size(), lfLines(plain.err).size() + 2) << run.err;
        EXPECT_TRUE(run.err.starts_with(plain.err));
        EXPECT_TRUE(errLines[errLines.size() - 2].starts_with("Характеристика 1: "));
        EXPECT_TRUE(errLines.back().starts_with("Характеристика 2: наибольшее отклонение "));

        const auto lines = lfLines(test::readBytes(folder / "achieved.csv"));
        ASSERT_EQ(lines.size(), 1u + 7680u);
        EXPECT_EQ(lines[0],
                  "period_ticks,rpm,entry,wanted_1,achieved_1,deviation_1,wanted_2,"
                  "achieved_2,deviation_2");
        int emptyAchieved1 = 0;
        for (std::int32_t t = 512; t <= 8191; ++t) {
            const std::string& line = lines[static_cast<std::size_t>(t - 511)];
            const auto cells = csvCells(line);
            ASSERT_EQ(cells.size(), 9u) << line;
            ASSERT_EQ(cells[0], std::to_string(t));
            EXPECT_EQ(cells[2], std::to_string(t / 256)) << line;
            EXPECT_NEAR(leadingNumber(cells[1]), 60 / (t * c.tickSec), 1e-3) << line;
            for (std::size_t first : {3u, 6u}) {
                ASSERT_FALSE(cells[first].empty()) << line;  // a wanted value is always there
                EXPECT_EQ(cells[first + 1].empty(), cells[first + 2].empty()) << line;
                if (!cells[first + 1].empty()) {
                    EXPECT_NEAR(leadingNumber(cells[first]) - leadingNumber(cells[first + 1]),
                                leadingNumber(cells[first + 2]), 2e-4)
                        << line;
                }
                for (const std::string& cell : {cells[first], cells[first + 1], cells[first + 2]})
                    EXPECT_TRUE(cell.empty() || cell.size() - cell.find('.') == 5) << line;
            }
            emptyAchieved1 += cells[4].empty();
            if (t == c.period) {
                EXPECT_NEAR(leadingNumber(cells[3]), c.wanted1, 1e-4) << line;
            }
        }
        EXPECT_EQ(emptyAchieved1, c.emptyAchieved1);
    }
}

TEST(Igntable, RefusedCalculationWritesNothing)
{
    TempFolder folder;
    Inputs in = exampleInputs();
    in.combo2[1] = "1999";
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", in).ok);
    const ToolRun run = runIgntable(folder,
                                    {"--settings", (folder / "Data.dat").string(), "--output",
                                     (folder / "IgnTable.asm").string(), "--achieved",
                                     (folder / "achieved.csv").string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(text::kNmaxRange), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "IgnTable.asm"));
    EXPECT_FALSE(std::filesystem::exists(folder / "achieved.csv"));
}

TEST(Igntable, MissingSettingsFile)
{
    TempFolder folder;
    const ToolRun run = runIgntable(folder,
                                    {"--settings", (folder / "missing.dat").string(), "--output",
                                     (folder / "IgnTable.asm").string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err, "");
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(folder / "IgnTable.asm"));
}

TEST(Igntable, HelpVersionAndUnknownOption)
{
    TempFolder folder;
    ToolRun run = runIgntable(folder, {"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: igntable")) << run.out;
    for (const char* option : {"--read-table FILE", "--compare FILE", "--take-curve FILE"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;

    run = runIgntable(folder, {"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "igntable " IGN_VERSION "\n");

    run = runIgntable(folder, {"--frobnicate", "x"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("unknown option --frobnicate"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(Igntable, EveryErrorSaysWhyAndTouchesNothing)
{
    TempFolder folder;
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", exampleInputs()).ok);
    test::makeFifo(folder / "fifo");
    const std::string data = (folder / "Data.dat").string();
    const std::string fifo = (folder / "fifo").string();
    const std::string dir = folder.path().string();
    const std::string notAFile = "на месте файла находится канал, устройство или сокет";
    struct Row {
        const char* label;
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Row> rows{
        {"unknown option alone", {"--bogus"}, "unknown option --bogus (see --help)"},
        {"option without its value", {"--settings"}, "missing value after --settings (see --help)"},
        {"missing settings file",
         {"--settings", dir + "/missing.dat"},
         "cannot read the settings file " + dir + "/missing.dat: файл не найден"},
        {"folder as settings file",
         {"--settings", dir},
         "cannot read the settings file " + dir + ": на месте файла находится папка"},
        {"named pipe as settings file, which must not block",
         {"--settings", fifo},
         "cannot read the settings file " + fifo + ": " + notAFile},
        {"read error after the open",
         {"--settings", "/proc/self/mem"},
         "cannot read the settings file /proc/self/mem: ошибка ввода-вывода"},
        {"named pipe as output",
         {"--settings", data, "--output", fifo},
         "cannot write " + fifo + ": " + notAFile},
    };
    for (const Row& row : rows) {
        const ToolRun run = runIgntable(folder, row.args);
        EXPECT_EQ(run.exitCode, 2) << row.label;
        EXPECT_EQ(run.err, "igntable: " + row.err + "\n") << row.label;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "fifo"));
    EXPECT_FALSE(std::filesystem::exists(folder / kTableSourceFileName));
}

// A listing that never reached its file is a failure, not a success with
// the table written.
TEST(Igntable, UnwritableStandardOutputIsAnError)
{
    TempFolder folder;
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", exampleInputs()).ok);
    const auto limitFileSize = [] {
        const rlimit limit{512, 512};  // the listing is longer, the message shorter
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    struct Row {
        const char* label;
        RunSetting setting;
        std::string reason;
    };
    const auto closeOutput = [] { ::close(STDOUT_FILENO); };
    const auto pipeWithoutReader = [] {
        int ends[2];
        if (::pipe(ends) != 0 || ::dup2(ends[1], STDOUT_FILENO) < 0)
            ::_exit(126);
        ::close(ends[0]);
    };
    const std::vector<Row> rows{
        {"full disk", {"/dev/full", [] {}, {}}, "нет места на диске"},
        {"file-size limit", {{}, limitFileSize, {}}, "превышен допустимый размер файла"},
        {"closed", {{}, closeOutput, {}}, "поток вывода закрыт"},
        {"pipe whose reader went away", {{}, pipeWithoutReader, {}},
         "читающая программа закрыла канал"},
    };
    for (const Row& row : rows) {
        const ToolRun run = runIgntable(folder,
                                        {"--settings", (folder / "Data.dat").string(), "--output",
                                         (folder / "IgnTable.asm").string()},
                                        row.setting);
        EXPECT_EQ(run.exitCode, 2) << row.label;
        EXPECT_EQ(run.err, "igntable: cannot write to standard output: " + row.reason + "\n")
            << row.label;
        EXPECT_FALSE(std::filesystem::exists(folder / "IgnTable.asm")) << row.label;
    }
}

// What a folder holds, name and bytes, to show that a run left it as it was.
std::map<std::string, std::string> contents(const TempFolder& folder)
{
    std::map<std::string, std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        if (name != "stdout.txt" && name != "stderr.txt")
            found[name] = entry.is_regular_file() ? test::readBytes(entry.path()) : "(folder)";
    }
    return found;
}

// The names of what a run changed, made or removed; empty when nothing.
std::string changes(const std::map<std::string, std::string>& before, const TempFolder& folder)
{
    std::map<std::string, std::string> after = contents(folder);
    std::string changed;
    for (const auto& [name, bytes] : before) {
        const auto found = after.find(name);
        if (found == after.end())
            changed += name + " removed; ";
        else if (found->second != bytes)
            changed += name + " changed; ";
        after.erase(name);
    }
    for (const auto& entry : after)
        changed += entry.first + " made; ";
    return changed;
}

// A small file system of its own in the child, so that a full disk binds
// nothing else; only root may mount one.
constexpr const char* kFullDiskFolder = "full";

bool mountSmallDisk(const std::filesystem::path& at)
{
    return ::unshare(CLONE_NEWNS) == 0 &&
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
        ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=16k") == 0;
}

bool canMountSmallDisk(const TempFolder& folder)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(mountSmallDisk(folder / kFullDiskFolder) ? 0 : 1);
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
        WEXITSTATUS(status) == 0;
}

// Exit 2 means nothing written: an output that cannot be made, after the
// table could have been, leaves the table as it was.
TEST(Igntable, OutputThatCannotBeMadeLeavesEveryFileAsItWas)
{
    TempFolder folder;
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", exampleInputs()).ok);
    test::writeBytes(folder / "IgnTable.asm", "old table\r\n");
    std::filesystem::create_directory(folder / kFullDiskFolder);
    std::filesystem::create_directory(folder / "csv-folder");
    const std::string table = (folder / "IgnTable.asm").string();
    struct Row {
        const char* label;
        std::string csv;
        RunSetting setting;
        std::string reason;
    };
    std::vector<Row> rows{
        {"a folder where the CSV goes", (folder / "csv-folder").string(), {},
         "на месте файла находится папка"},
        {"a file-size limit the table fits and the CSV does not",
         (folder / "achieved.csv").string(),
         {{}, [] {
              const rlimit limit{64 * 1024, 64 * 1024};
              ::setrlimit(RLIMIT_FSIZE, &limit);
          }, {}},
         "превышен допустимый размер файла"},
    };
    if (canMountSmallDisk(folder)) {
        const std::filesystem::path disk = folder / kFullDiskFolder;
        rows.push_back({"a disk the CSV does not fit", (disk / "achieved.csv").string(),
                        {{}, [disk] {
                             if (!mountSmallDisk(disk))
                                 ::_exit(126);
                         }, {}},
                        "нет места на диске"});
    }
    const auto before = contents(folder);
    for (const Row& row : rows) {
        const ToolRun run = runIgntable(
            folder,
            {"--settings", (folder / "Data.dat").string(), "--output", table, "--achieved", row.csv},
            row.setting);
        EXPECT_EQ(run.exitCode, 2) << row.label;
        EXPECT_TRUE(run.err.ends_with("igntable: cannot write " + row.csv + ": " + row.reason + "\n"))
            << row.label << ": " << run.err;
        EXPECT_EQ(changes(before, folder), "") << row.label;
    }
}

// What cannot be meant is refused before anything is written: the listing,
// the table, the CSV. Run in the settings' folder, as a user types it.
TEST(Igntable, RefusesBeforeWritingAnything)
{
    TempFolder folder;
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", exampleInputs()).ok);
    test::writeBytes(folder / "IgnTable.asm", "old table\r\n");
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_symlink("Data.dat", folder / "Data.link");
    std::filesystem::create_hard_link(folder / "Data.dat", folder / "Data.hard");
    const std::string separator =
        "the decimal separator must be the full stop or one character that cannot be part of a "
        "number, such as the comma";
    struct Row {
        const char* label;
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Row> rows{
        {"the table over the settings", {"--output", "Data.dat"},
         "--output Data.dat and --settings Data.dat are the same file"},
        {"the same, spelled with ./", {"--output", "./Data.dat"},
         "--output ./Data.dat and --settings Data.dat are the same file"},
        {"the same through a link", {"--settings", "Data.link", "--output", "Data.dat"},
         "--output Data.dat and --settings Data.link are the same file"},
        {"the CSV over the settings by a hard link", {"--achieved", "Data.hard"},
         "--achieved Data.hard and --settings Data.dat are the same file"},
        {"the CSV over the table", {"--achieved", "sub/../IgnTable.asm"},
         "--achieved sub/../IgnTable.asm and --output IgnTable.asm are the same file"},
        {"the CSV over a table still to be made",
         {"--output", "new.asm", "--achieved", "./sub/../new.asm"},
         "--achieved ./sub/../new.asm and --output new.asm are the same file"},
        {"an empty CSV name", {"--achieved", ""}, "empty file name after --achieved"},
        {"an empty table name", {"--output", ""}, "empty file name after --output"},
        {"an empty settings name", {"--settings", ""}, "empty file name after --settings"},
        {"an option for the table's name", {"--output", "--version"},
         "missing value after --output: --version is an option"},
        {"an option for the settings' name", {"--settings", "--help", "--output", "x.asm"},
         "missing value after --settings: --help is an option"},
        {"a digit for the separator", {"--decimal-separator", "5"}, separator},
        {"a sign", {"--decimal-separator", "-"}, separator},
        {"an exponent letter", {"--decimal-separator", "E"}, separator},
        {"the old exponent letter", {"--decimal-separator", "d"}, separator},
        {"the prefix of &H and &O", {"--decimal-separator", "&"}, separator},
        {"a hexadecimal digit", {"--decimal-separator", "b"}, separator},
        {"a blank, which the number rule skips", {"--decimal-separator", " "}, separator},
        {"two characters", {"--decimal-separator", ",,"}, separator},
        {"a letter of two bytes", {"--decimal-separator", "ю"}, separator},
        {"no character", {"--decimal-separator", ""}, separator},
        {"a comparison asked to write the table", {"--compare", "kom.hex", "--output", "x.asm"},
         "--compare writes no file: --output cannot go with it"},
        {"a table read asked for the CSV", {"--achieved", "x.csv", "--read-table", "kom.hex"},
         "--read-table writes no file: --achieved cannot go with it"},
        {"two readings of a table at once", {"--read-table", "a.hex", "--take-curve", "b.hex"},
         "only one of --read-table, --compare and --take-curve at a time"},
        {"an empty name of a table to read", {"--take-curve", ""},
         "empty file name after --take-curve"},
    };
    const auto before = contents(folder);
    const std::filesystem::path where = folder.path();
    for (const Row& row : rows) {
        const ToolRun run = runIgntable(folder, row.args, {{}, [where] {
                                            if (::chdir(where.c_str()) != 0)
                                                ::_exit(126);
                                        }, {}});
        EXPECT_EQ(run.exitCode, 2) << row.label;
        EXPECT_EQ(run.err, "igntable: " + row.err + "\n") << row.label;
        EXPECT_EQ(run.out, "") << row.label;
        EXPECT_EQ(changes(before, folder), "") << row.label;
    }
}

// Runs in `folder` as its current folder, as a user types the names.
RunSetting inFolder(const TempFolder& folder)
{
    const std::filesystem::path where = folder.path();
    return {{}, [where] {
                if (::chdir(where.c_str()) != 0)
                    ::_exit(126);
            }, {}};
}

// The calculated table of `in`, written by the tool itself as `name`.
void writeTable(const TempFolder& folder, const Inputs& in, const std::string& name)
{
    ASSERT_TRUE(saveSettingsFile(folder / "table.dat", in).ok);
    const ToolRun run = runIgntable(
        folder, {"--settings", (folder / "table.dat").string(), "--output", (folder / name).string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::filesystem::remove(folder / "table.dat");
}

// A table read back lists as its calculation does, without the deviation,
// which needs the wanted curve the file does not hold; from the source and
// from the image gpasm builds of it alike.
TEST(Igntable, ReadTableListsWhatTheFileFires)
{
    TempFolder folder;
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", exampleInputs()).ok);
    ASSERT_NO_FATAL_FAILURE(writeTable(folder, exampleInputs(), "IgnTable.asm"));
    std::vector<std::string> files{"IgnTable.asm"};
    if (test::haveAssembler()) {
        test::assembleFirmware(folder.path());
        files.push_back("kom.hex");
    }
    const ToolRun calculation = runIgntable(folder, {"--output", "new.asm"}, inFolder(folder));
    const auto calculated = lfLines(calculation.out);
    ASSERT_EQ(calculated.size(), 64u);
    std::filesystem::remove(folder / "new.asm");
    const auto before = contents(folder);
    for (const std::string& file : files) {
        for (const char* separator : {".", ","}) {
            const ToolRun run = runIgntable(
                folder, {"--decimal-separator", separator, "--read-table", file}, inFolder(folder));
            EXPECT_EQ(run.exitCode, 0) << file << ": " << run.err;
            EXPECT_EQ(run.err, "") << file;
            const auto lines = lfLines(run.out);
            ASSERT_EQ(lines.size(), calculated.size() + 1) << file << "\n" << run.out;
            for (std::size_t i = 0; i < calculated.size(); ++i) {
                // An entry's row without its last column, the deviation.
                std::string expected = calculated[i];
                if (expected.size() > 2 && expected[2] == ')') {
                    expected.resize(expected.find_last_not_of(' ', expected.rfind(' ')) + 1);
                    if (*separator == ',')
                        std::replace(expected.begin(), expected.end(), '.', ',');
                }
                EXPECT_EQ(lines[i], expected) << file << ", line " << i;
            }
            // 7500 and 2500 ticks of 8 us are one revolution at 1000 and 3000 rpm.
            EXPECT_EQ(lines.back(), "Nmin 1000 об/мин (Tmax 7500), Nmax 3000 об/мин (Tmin 2500)")
                << file;
        }
    }
    EXPECT_EQ(changes(before, folder), "");
}

// --compare calculates as usual and then says whether the file holds that
// table; it writes nothing, not even the default IgnTable.asm.
TEST(Igntable, CompareSaysWhetherTheFileHoldsTheCalculatedTable)
{
    TempFolder folder;
    ASSERT_NO_FATAL_FAILURE(writeTable(folder, exampleInputs(), "flashed.asm"));
    test::writeBytes(folder / "broken.hex", ":0100000000FE\n");
    Inputs advanced = exampleInputs();
    advanced.text1[kInitialAdvanceField] = "20";
    Inputs refused = exampleInputs();
    refused.combo2[1] = "1999";
    struct Row {
        const char* label;
        Inputs in;
        std::string file;
        int exitCode;
    };
    const std::vector<Row> rows{
        {"the same inputs", exampleInputs(), "flashed.asm", 0},
        {"the initial advance 2 degrees higher", advanced, "flashed.asm", 3},
        {"a file that is no table", exampleInputs(), "broken.hex", 2},
        {"a calculation that is refused", refused, "flashed.asm", 1},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", row.in).ok);
        const auto before = contents(folder);
        const ToolRun run = runIgntable(folder, {"--compare", row.file}, inFolder(folder));
        EXPECT_EQ(run.exitCode, row.exitCode) << row.label << ": " << run.err;
        EXPECT_EQ(changes(before, folder), "") << row.label;
        const ToolRun plain = runIgntable(folder, {"--output", "new.asm"}, inFolder(folder));
        std::filesystem::remove(folder / "new.asm");
        if (row.exitCode == 2) {
            EXPECT_EQ(run.out, "") << row.label;
            EXPECT_TRUE(run.err.starts_with("igntable: cannot read the table file broken.hex: "))
                << row.label << ": " << run.err;
            continue;
        }
        // The calculation as it prints without a file, then the comparison.
        ASSERT_TRUE(run.out.starts_with(plain.out)) << row.label;
        EXPECT_EQ(run.err, plain.err) << row.label;
        const auto compared = lfLines(run.out.substr(plain.out.size()));
        if (row.exitCode == 1) {
            EXPECT_TRUE(compared.empty()) << row.label;
        } else if (row.exitCode == 0) {
            EXPECT_EQ(compared, std::vector<std::string>{"Таблица из файла совпадает с рассчитанной"})
                << row.label;
        } else {
            ASSERT_FALSE(compared.empty());
            // "Отличаются N из 60 записей; ...", then N lines, one per entry.
            const std::string& summary = compared[0];
            ASSERT_TRUE(summary.starts_with("Отличаются ")) << summary;
            const auto count = static_cast<std::size_t>(
                leadingNumber(summary.substr(std::string("Отличаются ").size())));
            EXPECT_GT(count, 0u) << summary;
            EXPECT_NE(summary.find(" из 60 записей; наибольшая разница "), std::string::npos)
                << summary;
            ASSERT_EQ(compared.size(), count + 1) << summary;
            for (std::size_t i = 1; i < compared.size(); ++i)
                EXPECT_TRUE(compared[i].starts_with("Характеристика ")) << compared[i];
        }
    }
}

// The points taken from a table, typed into the point fields, calculate to
// that table again: here for tables by the ИЖ and Урал points, from the
// rider's own settings by coefficients, which supply the sensor fields only.
TEST(Igntable, TakeCurveGivesPointsThatCalculateTheTableAgain)
{
    TempFolder folder;
    Inputs byPoints = exampleInputs();
    byPoints.option1 = {false, true};
    applyPreset(kEnginePresets[0], byPoints, 0);
    applyPreset(kEnginePresets[1], byPoints, 1);
    ASSERT_NO_FATAL_FAILURE(writeTable(folder, byPoints, "flashed.asm"));
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", exampleInputs()).ok);
    const auto before = contents(folder);
    const ToolRun run = runIgntable(folder, {"--take-curve", "flashed.asm"}, inFolder(folder));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(changes(before, folder), "");
    const auto lines = lfLines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;

    // "Характеристика 1: 0 7.6 ... 21.7; совпадают 30 из 30 записей"
    Inputs rider = exampleInputs();
    rider.option1 = {false, true};
    for (int ch = 0; ch < 2; ++ch) {
        const std::string& line = lines[static_cast<std::size_t>(ch)];
        const std::string head = "Характеристика " + std::to_string(ch + 1) + ": ";
        ASSERT_TRUE(line.starts_with(head)) << line;
        ASSERT_TRUE(line.ends_with("; совпадают 30 из 30 записей")) << line;
        std::istringstream points(line.substr(head.size(), line.find(';') - head.size()));
        int j = 0;
        for (std::string point; points >> point; ++j) {
            ASSERT_LE(j, kTopPoint) << line;
            rider.text6[static_cast<std::size_t>(pointField(ch, j))] = point;
        }
        EXPECT_EQ(j, kTopPoint + 1) << line;
    }
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", rider).ok);
    const ToolRun again = runIgntable(folder, {"--compare", "flashed.asm"}, inFolder(folder));
    EXPECT_EQ(again.exitCode, 0) << again.out;
}

// The rename lives in the folder, which must reach the disk too, or a power
// loss may bring back the old table.
TEST(Igntable, FolderIsSyncedAfterTheRename)
{
    if (std::system("strace -V >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "strace is not installed";
    TempFolder folder;
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", exampleInputs()).ok);
    const auto traceFile = folder / "trace.txt";
    const ToolRun run = runIgntable(folder,
                                    {"--settings", (folder / "Data.dat").string(), "--output",
                                     (folder / "IgnTable.asm").string()},
                                    {{},
                                     [] {},
                                     {"strace", "-y", "-e", "trace=rename,renameat,renameat2,fsync",
                                      "-o", traceFile.string()}});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string trace = test::readBytes(traceFile);
    const std::size_t renamed = trace.find("rename");
    ASSERT_NE(renamed, std::string::npos) << trace;
    // strace -y shows the path behind each descriptor.
    const std::string folderTag = "<" + std::filesystem::canonical(folder.path()).string() + ">)";
    const std::size_t synced = trace.find(folderTag, renamed);
    ASSERT_NE(synced, std::string::npos) << trace;
    const std::size_t lineStart = trace.rfind('\n', synced) + 1;
    EXPECT_EQ(trace.compare(lineStart, 6, "fsync("), 0) << trace;
}

}  // namespace
}  // namespace ign
