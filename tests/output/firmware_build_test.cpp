#include "output/firmware_build.h"

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

}  // namespace
}  // namespace ign
