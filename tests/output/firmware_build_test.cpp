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

    const ProgramCall notepad = tableViewerCall();
    EXPECT_EQ(notepad.program + " " + notepad.argumentLine, "notepad.exe IgnTable.ASM");
}

// gpasm writes its image, listing and symbol file where -o says, named after
// the source; only an image made without errors reaches the user's folder.
TEST(FirmwareBuild, GpasmWritesIntoAPrivateFolderAndOnlyAGoodImageComesOut)
{
    const struct {
        const char* label;
        bool started;
        bool crashed;
        int exitCode;
        bool imageInPlace;  // "fw.hex" in the user's folder is a folder
        std::string status;
        std::string userImage;  // what fw.hex holds afterwards
    } rows[]{
        {"built", true, false, 0, false, assemblerStatusText(true, false, 0), "new image"},
        {"errors", true, false, 1, false, assemblerStatusText(true, false, 1), "old image"},
        {"crashed", true, true, 0, false, assemblerStatusText(true, true, 0), "old image"},
        {"not started", false, false, -1, false, assemblerStatusText(false, false, -1),
         "old image"},
        {"image cannot be placed", true, false, 0, true,
         assemblerStatusText(true, false, 0) +
             " Не удалось сохранить файл {}: на месте файла находится папка.",
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        test::TempFolder folder;
        test::writeBytes(folder / "fw.asm", "source");
        test::writeBytes(folder / "IgnTable.asm", "table");
        if (row.imageInPlace)
            std::filesystem::create_directory(folder / "fw.hex");
        else
            test::writeBytes(folder / "fw.hex", "old image");
        const FirmwareBuildPlan plan =
            planFirmwareBuild(HostSystem::Other, folder / "fw.asm", folder / "IgnTable.asm");
        const FirmwareBuildRun run = prepareFirmwareBuild(HostSystem::Other, plan);
        ASSERT_EQ(run.failure, "");
        const auto privateImage = run.outputFolder / "fw.hex";
        EXPECT_EQ(
            run.call.arguments,
            (std::vector<std::string>{"-p", "16F628A", "-o", privateImage.string(), "fw.asm"}));
        EXPECT_EQ(run.call.argumentLine, "-p 16F628A -o " + privateImage.string() + " fw.asm");
        EXPECT_TRUE(std::filesystem::is_empty(run.outputFolder));
        // What gpasm leaves, whatever the outcome.
        for (const char* made : {"fw.hex", "fw.lst", "fw.cod"})
            test::writeBytes(run.outputFolder / made, "new image");

        std::string status = row.status;
        if (const auto at = status.find("{}"); at != std::string::npos)
            status.replace(at, 2, (folder / "fw.hex").string());
        EXPECT_EQ(finishFirmwareBuild(run, row.started, row.crashed, row.exitCode), status);
        EXPECT_FALSE(std::filesystem::exists(run.outputFolder));
        if (!row.imageInPlace) {
            EXPECT_EQ(test::readBytes(folder / "fw.hex"), row.userImage);
        }
        std::vector<std::string> left = folder.entries();
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"IgnTable.asm", "fw.asm", "fw.hex"}));
    }
    // mpasm is asked for no listing and writes its image itself.
    test::TempFolder folder;
    test::writeBytes(folder / "kom.ASM", "source");
    const FirmwareBuildRun run = prepareFirmwareBuild(
        HostSystem::Windows,
        planFirmwareBuild(HostSystem::Windows, folder / "kom.ASM", folder / "IgnTable.asm"));
    EXPECT_TRUE(run.outputFolder.empty());
    EXPECT_EQ(run.call.argumentLine, "/p16F628a /o- /l-  kom.ASM");
    EXPECT_EQ(finishFirmwareBuild(run, true, false, 0), assemblerStatusText(true, false, 0));
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

// What stops a build is said before anything is asked: no assembler, or no
// readable source where F9 looks. On Windows the assembler may lie beside a
// source still to be chosen, so there the source is asked for first.
TEST(FirmwareBuild, PlanSaysFirstWhatStopsTheBuild)
{
    using Step = FirmwareBuildPlan::Step;
    enum class Source { Missing, File, Folder, Pipe };
    const std::string refused = "Исходный файл прошивки kom.ASM в папке {} нельзя прочитать: ";
    const struct {
        const char* label;
        HostSystem host;
        Source source;
        bool assemblerFound;
        Step step;
        std::string message;  // {} stands for the folder
    } rows[]{
        {"no gpasm, no source", HostSystem::Other, Source::Missing, false, Step::AssemblerMissing,
         kAssemblerNotFound},
        {"no gpasm", HostSystem::Other, Source::File, false, Step::AssemblerMissing,
         kAssemblerNotFound},
        {"no mpasm yet, no source", HostSystem::Windows, Source::Missing, false, Step::ChooseSource,
         "Исходный файл прошивки kom.ASM не найден в папке {}. Укажите, где он лежит."},
        {"no mpasm beside the source either", HostSystem::Windows, Source::File, false,
         Step::AssemblerMissing, kAssemblerNotFound},
        {"no source", HostSystem::Other, Source::Missing, true, Step::ChooseSource,
         "Исходный файл прошивки kom.ASM не найден в папке {}. Укажите, где он лежит."},
        {"a folder for the source", HostSystem::Other, Source::Folder, true, Step::ChooseSource,
         refused + "на месте файла находится папка. Укажите, где он лежит."},
#ifndef _WIN32
        {"a pipe for the source", HostSystem::Other, Source::Pipe, true, Step::ChooseSource,
         refused + "на месте файла находится канал, устройство или сокет. Укажите, где он лежит."},
#endif
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        test::TempFolder folder;
        const auto source = folder / kFirmwareSourceName;
        test::writeBytes(folder / "IgnTable.asm", "table");
        if (row.source == Source::File)
            test::writeBytes(source, "source");
        if (row.source == Source::Folder)
            std::filesystem::create_directory(source);
#ifndef _WIN32
        if (row.source == Source::Pipe)
            test::makeFifo(source);
#endif
        const FirmwareBuildPlan plan =
            planFirmwareBuild(row.host, source, folder / "IgnTable.asm", row.assemblerFound);
        std::string message = row.message;
        if (const auto at = message.find("{}"); at != std::string::npos)
            message.replace(at, 2, displayPath(folder.path()));
        EXPECT_EQ(plan.step, row.step);
        EXPECT_EQ(plan.message, message);
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
