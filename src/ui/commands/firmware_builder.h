// The end of the firmware build: once the window has calculated and written
// IgnTable.asm, the assembler is started on kom.ASM and left to run; its
// output is shown when it ends. Where kom.ASM lies and whether the assembler
// would see the new table is decided by the core; this class asks the user
// what the core says must be asked.
#pragma once

#include "output/firmware_build.h"

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace ign::ui {

class BuildOutputWindow;
class FileDialogs;
class MessageBoxes;
class ProcessLauncher;
struct ProcessResult;

class FirmwareBuilder final : public QObject {
    Q_OBJECT
public:
    FirmwareBuilder(ProcessLauncher& launcher, FileDialogs& dialogs, MessageBoxes& boxes,
                    QWidget* window, HostSystem host = currentHost());
    ~FirmwareBuilder() override;

    // Builds from `tableFile`, just written, and returns once the assembler
    // is started. kom.ASM is looked up in `startFolder` unless the user chose
    // another one earlier in this run. A missing assembler is reported at
    // once; everything else arrives in the output window.
    void build(const QString& tableFile, const QString& startFolder = QDir::currentPath());

    // Nothing until the first run has ended.
    BuildOutputWindow* outputWindow() const { return output_; }

signals:
    void assemblerFinished();

private:
    void startAssembler(const FirmwareBuildPlan& plan);
    void finish(const QString& folder, const QString& commandLine, const FirmwareBuildRun& run,
                const ProcessResult& result);
    // Places the image of a run that ended and forgets the run; the status line.
    std::string end(const FirmwareBuildRun& run, const ProcessResult& result);

    ProcessLauncher& launcher_;
    FileDialogs& dialogs_;
    MessageBoxes& boxes_;
    QWidget* window_;
    HostSystem host_;
    QPointer<BuildOutputWindow> output_;
    std::optional<QString> chosenSource_;
    std::vector<FirmwareBuildRun> running_;  // ended by us when we go first
};

}  // namespace ign::ui
