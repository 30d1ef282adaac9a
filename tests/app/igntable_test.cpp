// The batch tool as a script runs it: a separate process, its standard
// output and error apart, its exit status.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "model/calculate.h"
#include "model/messages.h"
#include "output/table_source.h"
#include "storage/settings_file.h"
#include "support/test_files.h"
#include "support/worked_example.h"

extern char** environ;

namespace ign {
namespace {

using test::TempFolder;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ToolRun runIgntable(const TempFolder& folder, std::vector<std::string> args)
{
    const auto outFile = folder / "stdout.txt";
    const auto errFile = folder / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    args.insert(args.begin(), IGNTABLE_PATH);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ToolRun run;
    const int spawned = posix_spawn(&pid, IGNTABLE_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << IGNTABLE_PATH;
        return run;
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
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

TEST(Igntable, RefusedCalculationWritesNothing)
{
    TempFolder folder;
    Inputs in = exampleInputs();
    in.combo2[1] = "1999";
    ASSERT_TRUE(saveSettingsFile(folder / "Data.dat", in).ok);
    const ToolRun run = runIgntable(folder,
                                    {"--settings", (folder / "Data.dat").string(), "--output",
                                     (folder / "IgnTable.asm").string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(text::kNmaxRange), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "IgnTable.asm"));
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

TEST(Igntable, HelpAndUnknownOption)
{
    TempFolder folder;
    ToolRun run = runIgntable(folder, {"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: igntable")) << run.out;

    run = runIgntable(folder, {"--frobnicate", "x"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("unknown option --frobnicate"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace ign
