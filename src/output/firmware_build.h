// The firmware build and the table viewer start outside programs; which
// program, with which arguments and what it leaves behind depends only on the
// system the calculator runs on, so it is decided here, without any toolkit.
#pragma once

#include <string>
#include <vector>

namespace ign {

enum class HostSystem { Windows, Other };

// The system this program was built for.
HostSystem currentHost();

// The firmware's main source; it is not produced by this program.
inline constexpr const char* kFirmwareSourceName = "kom.ASM";

struct ProgramCall {
    std::string program;
    // For systems that pass arguments one by one.
    std::vector<std::string> arguments;
    // The same arguments as one line, as Windows hands them to the program.
    std::string argumentLine;
};

// The assembler, run in the current folder on kom.ASM, which includes the
// table source.
ProgramCall assemblerCall(HostSystem host);

// The editor opened on the table source (Windows only; elsewhere the file goes
// to the user's default handler).
ProgramCall tableViewerCall();

// Files the assembler writes although the build asked for none: gpasm cannot
// be told to skip its listing and its symbol file.
std::vector<std::string> assemblerLeftovers(HostSystem host);

inline constexpr const char* kAssemblerNotFound =
    "Компилятор MPASM.EXE не найден, файл прошивки не может быть создан";

// The line under the assembler's output once it has ended.
std::string assemblerStatusText(bool started, bool crashed, int exitCode);

// Why the table source could not be shown; `file` as the user knows it.
std::string tableMissingText(const std::string& file);
std::string tableViewerFailedText(const std::string& file);

}  // namespace ign
