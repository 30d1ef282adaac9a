// The real assembler, for the tests that need the firmware image it builds
// from our firmware source and a table source.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "output/firmware_build.h"
#include "support/test_files.h"

namespace ign::test {

inline std::optional<std::filesystem::path> findOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : folder) / program;
        if (::access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate))
            return candidate;
    }
    return std::nullopt;
}

inline std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline bool haveAssembler()
{
    return findOnPath(assemblerCall(HostSystem::Other).program).has_value();
}

// Assembles our firmware source with the IgnTable.asm in `folder` into
// kom.hex there, failing the test when the assembler does.
inline void assembleFirmware(const std::filesystem::path& folder)
{
    std::filesystem::copy_file(std::filesystem::path(IGN_TEST_DATA_DIR) / "firmware" /
                                   kFirmwareSourceName,
                               folder / kFirmwareSourceName,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(folder / "kom.hex");
    const ProgramCall call = assemblerCall(HostSystem::Other);
    std::string command = "cd " + shellQuoted(folder.string()) + " && " + call.program;
    for (const std::string& argument : call.arguments)
        command += " " + shellQuoted(argument);
    command += " > gpasm.log 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << readBytes(folder / "gpasm.log");
}

}  // namespace ign::test
