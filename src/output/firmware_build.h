// The firmware build and the table viewer start outside programs; which
// program, with which arguments and what it leaves behind depends only on the
// system the calculator runs on, so it is decided here, without any toolkit.
#pragma once

#include "storage/atomic_file.h"

#include <filesystem>
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

// The assembler, run in the source's folder on `sourceName`, which includes
// the table source. gpasm looks in its current folder before the include
// path, so `tableFolder` (when not empty) only helps where the source folder
// holds no table of its own; the Windows line is left as it always was.
ProgramCall assemblerCall(HostSystem host, const std::string& sourceName = kFirmwareSourceName,
                          const std::string& tableFolder = {});

// What F9 does once the table is written. What stops the build is said
// before anything is asked. The firmware must never be built from a table
// other than the one just written, so a different IgnTable.asm beside the
// source is only replaced with the user's consent.
struct FirmwareBuildPlan {
    enum class Step {
        Run,  // start `call` in sourceFile's folder
        ChooseSource,  // say `message`, then let the user choose the source
        ReplaceStaleTable,  // ask `message`; on yes copy the table, then run
        AssemblerMissing,  // say `message`; nothing can be built
    };
    Step step = Step::Run;
    std::filesystem::path sourceFile;
    ProgramCall call;
    // The table goes beside the source before the run (on Windows the
    // assembler has no include path to find it elsewhere).
    bool copyTable = false;
    std::string message;
};

// `assemblerFound`: whether the assembler is where the system would look for
// it when started in the source's folder.
FirmwareBuildPlan planFirmwareBuild(HostSystem host, const std::filesystem::path& sourceFile,
                                    const std::filesystem::path& tableFile,
                                    bool assemblerFound = true);

// One start of the assembler. gpasm always writes a listing and a symbol
// file beside its image and, when the source has errors, deletes the image
// it would have replaced; so it writes all three into a private folder, and
// only an image made without errors reaches the source's folder, under the
// source's name. mpasm keeps its command line, which asks for no listing.
struct FirmwareBuildRun {
    ProgramCall call;
    std::filesystem::path image;  // the firmware image beside the source
    std::filesystem::path outputFolder;  // the private folder; empty for mpasm
    std::string failure;  // in Russian, when the run cannot start
};
FirmwareBuildRun prepareFirmwareBuild(HostSystem host, const FirmwareBuildPlan& plan);

// Once the assembler has ended, or could not start: puts a new image in
// place when the build succeeded and removes the private folder. Returns the
// line under the assembler's output.
std::string finishFirmwareBuild(const FirmwareBuildRun& run, bool started, bool crashed,
                                int exitCode);

// Puts the bytes of `tableFile` into `folder` under the same name.
WriteResult copyTableInto(const std::filesystem::path& tableFile,
                          const std::filesystem::path& folder);

inline constexpr const char* kFirmwareSourceFilter = "Исходный файл прошивки (kom.ASM)";
inline constexpr const char* kFirmwareSourceTitle = "Выберите исходный файл прошивки";

// The editor opened on the table source (Windows only; elsewhere the file goes
// to the user's default handler).
ProgramCall tableViewerCall();

inline constexpr const char* kAssemblerNotFound =
    "Компилятор MPASM.EXE не найден, файл прошивки не может быть создан";

// The line under the assembler's output once it has ended.
std::string assemblerStatusText(bool started, bool crashed, int exitCode);

// Why the table source could not be shown; `file` as the user knows it.
std::string tableMissingText(const std::string& file);
std::string tableViewerFailedText(const std::string& file);

}  // namespace ign
