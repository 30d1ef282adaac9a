#include "ui/commands/firmware_builder.h"

#include "model/messages.h"
#include "output/table_source.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/qt_strings.h"
#include "ui/windows/build_output_window.h"

#include <QFileInfo>

namespace ign::ui {
namespace {

QStringList toQt(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

}  // namespace

FirmwareBuilder::FirmwareBuilder(ProcessLauncher& launcher, FileDialogs& dialogs,
                                 MessageBoxes& boxes, QWidget* window, HostSystem host)
    : launcher_(launcher), dialogs_(dialogs), boxes_(boxes), window_(window), host_(host)
{ }

FirmwareBuilder::~FirmwareBuilder()
{
    // An assembler still running reports to nobody; its private folder goes.
    for (const FirmwareBuildRun& run : running_)
        finishFirmwareBuild(run, false, false, -1);
    // Without an owner window the output window is ours to delete.
    if (output_ && output_->parent() == nullptr)
        delete output_;
}

void FirmwareBuilder::build(const QString& tableFile, const QString& startFolder)
{
    const auto planFor = [&](const QString& source) {
        const ProcessRequest assembler{QString::fromStdString(assemblerCall(host_).program),
                                       {},
                                       {},
                                       QFileInfo(source).absolutePath()};
        return planFirmwareBuild(host_, toPath(source), toPath(tableFile),
                                 launcher_.canFind(assembler));
    };
    FirmwareBuildPlan plan = planFor(
        chosenSource_.value_or(QDir(startFolder).filePath(QString::fromUtf8(kFirmwareSourceName))));
    if (plan.step == FirmwareBuildPlan::Step::ChooseSource) {
        boxes_.inform(window_, toQt(plan.message), windowCaption(), Icon::Exclamation);
        const std::optional<QString> chosen =
            dialogs_.openFileName(window_,
                                  {QString::fromUtf8(kFirmwareSourceTitle),
                                   QString::fromUtf8(kFirmwareSourceFilter), QString()});
        if (!chosen)
            return;
        chosenSource_ = QFileInfo(*chosen).absoluteFilePath();
        plan = planFor(*chosenSource_);
        if (plan.step == FirmwareBuildPlan::Step::ChooseSource)
            return;  // gone between the dialog and now; the next F9 asks again
    }
    if (plan.step == FirmwareBuildPlan::Step::AssemblerMissing) {
        boxes_.inform(window_, toQt(plan.message), windowCaption(), Icon::Critical);
        return;
    }
    if (plan.step == FirmwareBuildPlan::Step::ReplaceStaleTable &&
        boxes_.askYesNoCancel(window_, toQt(plan.message), windowCaption(), Icon::Question) !=
            Answer::Yes)
        return;
    if (plan.copyTable) {
        const std::filesystem::path folder = plan.sourceFile.parent_path();
        const WriteResult copied = copyTableInto(toPath(tableFile), folder);
        if (!copied.ok) {
            boxes_.inform(window_,
                          toQt(writeFailureText(folder / kTableSourceFileName, copied.reason)),
                          windowCaption(), Icon::Critical);
            return;
        }
    }
    startAssembler(plan);
}

void FirmwareBuilder::startAssembler(const FirmwareBuildPlan& plan)
{
    const FirmwareBuildRun run = prepareFirmwareBuild(host_, plan);
    if (!run.failure.empty()) {
        boxes_.inform(window_, toQt(run.failure), windowCaption(), Icon::Critical);
        return;
    }
    const ProgramCall& call = run.call;
    const QString folder = QFileInfo(fromPath(plan.sourceFile)).absolutePath();
    ProcessRequest request{QString::fromStdString(call.program), toQt(call.arguments),
                           QString::fromStdString(call.argumentLine), folder};
    const QString commandLine = request.program + QLatin1Char(' ') + request.argumentLine;

    // Before the start, which may already report the end.
    running_.push_back(run);
    QPointer<FirmwareBuilder> self(this);
    const StartOutcome outcome =
        launcher_.start(request, [self, folder, commandLine, run](const ProcessResult& result) {
            if (self)
                self->finish(folder, commandLine, run, result);
        });
    if (outcome == StartOutcome::NotFound) {
        end(run, {false, false, -1, {}});
        boxes_.inform(window_, QString::fromUtf8(kAssemblerNotFound),
                      windowCaption(), Icon::Critical);
    } else if (outcome == StartOutcome::Failed) {
        finish(folder, commandLine, run, ProcessResult{false, false, -1, {}});
    }
}

std::string FirmwareBuilder::end(const FirmwareBuildRun& run, const ProcessResult& result)
{
    std::erase_if(running_,
                  [&](const FirmwareBuildRun& r) { return r.outputFolder == run.outputFolder; });
    return finishFirmwareBuild(run, result.started, result.crashed, result.exitCode);
}

void FirmwareBuilder::finish(const QString& folder, const QString& commandLine,
                             const FirmwareBuildRun& run, const ProcessResult& result)
{
    const std::string status = end(run, result);
    if (!output_)
        output_ = new BuildOutputWindow(window_);
    output_->showRun(QDir::toNativeSeparators(folder) + QStringLiteral("> ") + commandLine,
                     QString::fromLocal8Bit(result.output), QString::fromStdString(status));
    emit assemblerFinished();
}

}  // namespace ign::ui
