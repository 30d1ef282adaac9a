// The end of the firmware build: once the window has calculated and written
// IgnTable.asm, the assembler is started on kom.ASM and left to run; its
// output is shown when it ends.
#pragma once

#include "output/firmware_build.h"

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace ign::ui {

class BuildOutputWindow;
class MessageBoxes;
class ProcessLauncher;
struct ProcessResult;

class FirmwareBuilder final : public QObject {
    Q_OBJECT
public:
    FirmwareBuilder(ProcessLauncher& launcher, MessageBoxes& boxes, QWidget* window,
                    HostSystem host = currentHost());
    ~FirmwareBuilder() override;

    // Starts the assembler in `folder` (the program's current folder, where
    // kom.ASM is looked up) and returns at once. A missing assembler is
    // reported at once; everything else arrives in the output window.
    void startAssembler(const QString& folder = QDir::currentPath());

    // Nothing until the first run has ended.
    BuildOutputWindow* outputWindow() const { return output_; }

signals:
    void assemblerFinished();

private:
    void finish(const QString& folder, const QString& commandLine, const ProcessResult& result);

    ProcessLauncher& launcher_;
    MessageBoxes& boxes_;
    QWidget* window_;
    HostSystem host_;
    QPointer<BuildOutputWindow> output_;
};

}  // namespace ign::ui
