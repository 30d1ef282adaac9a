#include "output/firmware_build.h"

#include "output/table_source.h"
#include "storage/platform_file.h"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>
#include <system_error>

namespace ign {

HostSystem currentHost()
{
#ifdef _WIN32
    return HostSystem::Windows;
#else
    return HostSystem::Other;
#endif
}

namespace {

namespace fs = std::filesystem;

// A blank or a quote would split or end the argument in the one-line form.
std::string quotedIfNeeded(const std::string& argument)
{
    if (argument.find_first_of(" \t\"'") == std::string::npos)
        return argument;
    std::string quoted = "'";
    for (const char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string argumentLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments)
        line += (line.empty() ? "" : " ") + quotedIfNeeded(argument);
    return line;
}

// Why F9 cannot read the source, in the words the user is given.
std::string sourceRefusal(const fs::path& sourceFile, int error)
{
    const std::string name = displayPath(sourceFile.filename());
    const std::string folder = displayPath(sourceFile.parent_path());
    if (error == ENOENT)
        return "Исходный файл прошивки " + name + " не найден в папке " + folder +
            ". Укажите, где он лежит.";
    return "Исходный файл прошивки " + name + " в папке " + folder +
        " нельзя прочитать: " + describeReadError(error) + ". Укажите, где он лежит.";
}

// A folder of our own under the system's temporary folder: nobody else
// writes there, and whatever happens to the build, the user's folders see
// nothing of it.
std::optional<fs::path> makePrivateFolder(std::error_code& ec)
{
    const fs::path temporary = fs::temp_directory_path(ec);
    if (ec)
        return std::nullopt;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "igncalc-build-%08x", static_cast<unsigned>(random()));
        const fs::path folder = temporary / name;
        if (fs::create_directory(folder, ec)) {
            fs::permissions(folder, fs::perms::owner_all, ec);
            return folder;
        }
        if (ec)
            return std::nullopt;
    }
    ec = std::make_error_code(std::errc::file_exists);
    return std::nullopt;
}

}  // namespace

ProgramCall assemblerCall(HostSystem host, const std::string& sourceName,
                          const std::string& tableFolder)
{
    if (host == HostSystem::Windows) {
        // No object file and no listing; the two blanks before the source
        // name are how the command line has always been given.
        return {"mpasm.exe",
                {"/p16F628a", "/o-", "/l-", kFirmwareSourceName},
                "/p16F628a /o- /l-  kom.ASM"};
    }
    ProgramCall call{"gpasm", {"-p", "16F628A"}, {}};
    if (!tableFolder.empty())
        call.arguments.insert(call.arguments.end(), {"-I", tableFolder});
    call.arguments.push_back(sourceName);
    call.argumentLine = argumentLine(call.arguments);
    return call;
}

FirmwareBuildPlan planFirmwareBuild(HostSystem host, const fs::path& sourceFile,
                                    const fs::path& tableFile, bool assemblerFound)
{
    FirmwareBuildPlan plan;
    plan.sourceFile = sourceFile;
    const fs::path sourceFolder = sourceFile.parent_path();
    // A named pipe is refused by the open, not waited on.
    const int sourceError = platform::InputFile(sourceFile).openError();
    // Windows also looks beside the source, which may be still to be chosen.
    const bool mayFindItBesideAnother = host == HostSystem::Windows && sourceError != 0;
    if (!assemblerFound && !mayFindItBesideAnother) {
        plan.step = FirmwareBuildPlan::Step::AssemblerMissing;
        plan.message = kAssemblerNotFound;
        return plan;
    }
    if (sourceError != 0) {
        plan.step = FirmwareBuildPlan::Step::ChooseSource;
        plan.message = sourceRefusal(sourceFile, sourceError);
        return plan;
    }

    std::error_code ec;
    const fs::path besideSource = sourceFolder / kTableSourceFileName;
    const bool sameFolder = fs::equivalent(sourceFolder, tableFile.parent_path(), ec);
    std::string tableFolder;
    if (!sameFolder) {
        tableFolder = displayPath(tableFile.parent_path());
        if (fs::exists(fs::symlink_status(besideSource, ec))) {
            const auto stale = readWholeFile(besideSource);
            if (!stale || stale != readWholeFile(tableFile)) {
                plan.step = FirmwareBuildPlan::Step::ReplaceStaleTable;
                plan.copyTable = true;
                plan.message = "В папке " + displayPath(sourceFolder) + " лежит другой файл " +
                    kTableSourceFileName +
                    ", и ассемблер взял бы его вместо только что записанной "
                    "таблицы. Заменить его новой таблицей?\n\n"
                    "Если нет, прошивка не создаётся.";
            }
        } else if (host == HostSystem::Windows) {
            plan.copyTable = true;
        }
    }
    plan.call = assemblerCall(host, displayPath(sourceFile.filename()), tableFolder);
    return plan;
}

WriteResult copyTableInto(const fs::path& tableFile, const fs::path& folder)
{
    const auto bytes = readWholeFile(tableFile);
    if (!bytes)
        return {false, "не удалось прочитать " + displayPath(tableFile)};
    return writeFileAtomically(folder / tableFile.filename(), *bytes);
}

ProgramCall tableViewerCall()
{
    return {"notepad.exe", {"IgnTable.ASM"}, "IgnTable.ASM"};
}

FirmwareBuildRun prepareFirmwareBuild(HostSystem host, const FirmwareBuildPlan& plan)
{
    FirmwareBuildRun run;
    run.call = plan.call;
    std::error_code ec;
    run.image = fs::absolute(plan.sourceFile, ec).replace_extension(".hex");
    if (host == HostSystem::Windows)
        return run;
    const std::optional<fs::path> folder = makePrivateFolder(ec);
    if (!folder) {
        run.failure = "Не удалось создать временную папку для сборки прошивки: " +
            describeError(ec.default_error_condition().value()) + ".";
        return run;
    }
    run.outputFolder = *folder;
    // Before the source name, which gpasm takes last.
    auto& arguments = run.call.arguments;
    arguments.insert(arguments.end() - 1, {"-o", displayPath(*folder / run.image.filename())});
    run.call.argumentLine = argumentLine(arguments);
    return run;
}

std::string finishFirmwareBuild(const FirmwareBuildRun& run, bool started, bool crashed,
                                int exitCode)
{
    std::string status = assemblerStatusText(started, crashed, exitCode);
    if (run.outputFolder.empty())
        return status;
    if (started && !crashed && exitCode == 0) {
        const auto image = readWholeFile(run.outputFolder / run.image.filename());
        if (!image)
            status += " Файл прошивки " + displayPath(run.image.filename()) + " не создан.";
        else if (const WriteResult written = writeFileAtomically(run.image, *image); !written.ok)
            status += " " + writeFailureText(run.image, written.reason);
    }
    std::error_code ec;
    fs::remove_all(run.outputFolder, ec);
    return status;
}

std::string assemblerStatusText(bool started, bool crashed, int exitCode)
{
    if (!started)
        return "Ассемблер не удалось запустить, файл прошивки не создан.";
    if (crashed)
        return "Ассемблер завершился аварийно, файл прошивки не создан.";
    if (exitCode == 0)
        return "Ассемблер завершил работу без ошибок (код 0).";
    return "Ассемблер завершил работу с ошибками (код " + std::to_string(exitCode) + ").";
}

std::string tableMissingText(const std::string& file)
{
    return "Файл таблицы " + file + " не найден. Сначала сохраните таблицу.";
}

std::string tableViewerFailedText(const std::string& file)
{
    return "Не удалось открыть файл таблицы " + file + ": нет программы для его просмотра.";
}

}  // namespace ign
