#include "output/firmware_build.h"

#include "support/test_files.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace ign {
namespace {

TEST(FirmwareBuild, WindowsCommandLinesAsTheyHaveAlwaysBeen)
{
    const ProgramCall mpasm = assemblerCall(HostSystem::Windows);
    EXPECT_EQ(mpasm.program + " " + mpasm.argumentLine, "mpasm.exe /p16F628a /o- /l-  kom.ASM");
    EXPECT_TRUE(assemblerLeftovers(HostSystem::Windows).empty());

    const ProgramCall notepad = tableViewerCall();
    EXPECT_EQ(notepad.program + " " + notepad.argumentLine, "notepad.exe IgnTable.ASM");
}

TEST(FirmwareBuild, GpasmElsewhereWithoutItsListing)
{
    const ProgramCall gpasm = assemblerCall(HostSystem::Other);
    EXPECT_EQ(gpasm.program, "gpasm");
    EXPECT_EQ(gpasm.arguments, (std::vector<std::string>{"-p", "16F628A", "kom.ASM"}));
    EXPECT_EQ(assemblerLeftovers(HostSystem::Other),
              (std::vector<std::string>{"kom.lst", "kom.cod"}));
}

TEST(FirmwareBuild, StatusTellsFailureFromSuccess)
{
    EXPECT_EQ(assemblerStatusText(true, false, 0), "Ассемблер завершил работу без ошибок (код 0).");
    EXPECT_EQ(assemblerStatusText(true, false, 1), "Ассемблер завершил работу с ошибками (код 1).");
    EXPECT_NE(assemblerStatusText(true, true, 0).find("аварийно"), std::string::npos);
    EXPECT_NE(assemblerStatusText(false, false, 0).find("не удалось запустить"), std::string::npos);
}

// Where F9 finds kom.ASM and whether the assembler would take the table just
// written: the table lives in "data", the source in "src".
TEST(FirmwareBuild, PlanNeverBuildsFromAnOtherTableWithoutAsking)
{
    using Step = FirmwareBuildPlan::Step;
    enum class Beside { None, Same, Stale };
    struct Row {
        const char* name;
        HostSystem host;
        bool sourceThere;
        bool tableInSourceFolder;
        Beside beside;
        Step step;
        bool copyTable;
        bool includePath;
    };
    const Row rows[] = {
        {"no source", HostSystem::Other, false, false, Beside::None, Step::ChooseSource, false,
         false},
        {"table beside the source", HostSystem::Other, true, true, Beside::None, Step::Run, false,
         false},
        {"table elsewhere, gpasm", HostSystem::Other, true, false, Beside::None, Step::Run, false,
         true},
        {"same copy beside", HostSystem::Other, true, false, Beside::Same, Step::Run, false, true},
        {"stale copy beside", HostSystem::Other, true, false, Beside::Stale,
         Step::ReplaceStaleTable, true, true},
        {"table elsewhere, mpasm", HostSystem::Windows, true, false, Beside::None, Step::Run, true,
         false},
        {"stale copy, mpasm", HostSystem::Windows, true, false, Beside::Stale,
         Step::ReplaceStaleTable, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempFolder root;
        const auto src = root / "src";
        const auto data = row.tableInSourceFolder ? src : root / "data";
        std::filesystem::create_directories(src);
        std::filesystem::create_directories(data);
        test::writeBytes(data / "IgnTable.asm", "new table");
        if (row.sourceThere)
            test::writeBytes(src / "kom.ASM", "source");
        if (row.beside != Beside::None)
            test::writeBytes(src / "IgnTable.asm",
                             row.beside == Beside::Same ? "new table" : "old");

        const FirmwareBuildPlan plan =
            planFirmwareBuild(row.host, src / "kom.ASM", data / "IgnTable.asm");
        EXPECT_EQ(plan.step, row.step);
        EXPECT_EQ(plan.copyTable, row.copyTable);
        EXPECT_EQ(plan.message.empty(), row.step == Step::Run);
        if (row.step == Step::ChooseSource)
            continue;
        const auto& args = plan.call.arguments;
        const auto include = std::find(args.begin(), args.end(), "-I");
        EXPECT_EQ(include != args.end(), row.includePath);
        if (include != args.end()) {
            EXPECT_EQ(std::next(include) != args.end() ? *std::next(include) : "", data.string());
        }
        EXPECT_EQ(args.back(), "kom.ASM");
        if (row.copyTable) {
            ASSERT_TRUE(copyTableInto(data / "IgnTable.asm", src).ok);
            EXPECT_EQ(test::readBytes(src / "IgnTable.asm"), "new table");
        }
    }
}

#ifndef _WIN32
// A named pipe where a stale copy would lie is no table: the plan asks about
// it and never waits for a writer.
TEST(FirmwareBuild, PipeBesideTheSourceIsAskedAboutNotWaitedOn)
{
    test::TempFolder root;
    std::filesystem::create_directories(root / "src");
    std::filesystem::create_directories(root / "data");
    test::writeBytes(root / "data" / "IgnTable.asm", "new table");
    test::writeBytes(root / "src" / "kom.ASM", "source");
    test::makeFifo(root / "src" / "IgnTable.asm");
    const FirmwareBuildPlan plan = planFirmwareBuild(HostSystem::Other, root / "src" / "kom.ASM",
                                                     root / "data" / "IgnTable.asm");
    EXPECT_EQ(plan.step, FirmwareBuildPlan::Step::ReplaceStaleTable);
}
#endif

}  // namespace
}  // namespace ign
