#include "output/firmware_build.h"

namespace ign {

HostSystem currentHost()
{
#ifdef _WIN32
    return HostSystem::Windows;
#else
    return HostSystem::Other;
#endif
}

ProgramCall assemblerCall(HostSystem host)
{
    if (host == HostSystem::Windows) {
        // No object file and no listing; the two blanks before the source
        // name are how the command line has always been given.
        return {"mpasm.exe",
                {"/p16F628a", "/o-", "/l-", kFirmwareSourceName},
                "/p16F628a /o- /l-  kom.ASM"};
    }
    return {"gpasm", {"-p", "16F628A", kFirmwareSourceName}, "-p 16F628A kom.ASM"};
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
