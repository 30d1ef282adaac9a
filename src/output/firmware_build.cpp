#include "output/firmware_build.h"

#include "output/table_source.h"

#include <optional>
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
    ProgramCall call{"gpasm", {"-p", "16F628A"}, "-p 16F628A"};
    if (!tableFolder.empty()) {
        call.arguments.insert(call.arguments.end(), {"-I", tableFolder});
        call.argumentLine += " -I " + quotedIfNeeded(tableFolder);
    }
    call.arguments.push_back(sourceName);
    call.argumentLine += " " + quotedIfNeeded(sourceName);
    return call;
}

FirmwareBuildPlan planFirmwareBuild(HostSystem host, const fs::path& sourceFile,
                                    const fs::path& tableFile)
{
    FirmwareBuildPlan plan;
    plan.sourceFile = sourceFile;
    const fs::path sourceFolder = sourceFile.parent_path();
    std::error_code ec;
    if (!fs::is_regular_file(sourceFile, ec)) {
        plan.step = FirmwareBuildPlan::Step::ChooseSource;
        plan.message = "Исходный файл прошивки " + displayPath(sourceFile.filename()) +
            " не найден в папке " + displayPath(sourceFolder) + ". Укажите, где он лежит.";
        return plan;
    }

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

std::vector<std::string> assemblerLeftovers(HostSystem host)
{
    if (host == HostSystem::Windows)
        return {};
    return {"kom.lst", "kom.cod"};
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
