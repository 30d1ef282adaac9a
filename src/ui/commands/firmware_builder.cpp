#include "ui/commands/firmware_builder.h"

#include "model/messages.h"
#include "output/table_source.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/qt_strings.h"
#include "ui/windows/build_output_window.h"

#include <QFile>
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
    // Without an owner window the output window is ours to delete.
    if (output_ && output_->parent() == nullptr)
        delete output_;
}

void FirmwareBuilder::build(const QString& tableFile, const QString& startFolder)
{
    const QString source =
        chosenSource_.value_or(QDir(startFolder).filePath(QString::fromUtf8(kFirmwareSourceName)));
    FirmwareBuildPlan plan = planFirmwareBuild(host_, toPath(source), toPath(tableFile));
    if (plan.step == FirmwareBuildPlan::Step::ChooseSource) {
        boxes_.inform(window_, toQt(plan.message), windowCaption(), Icon::Exclamation);
        const std::optional<QString> chosen =
            dialogs_.openFileName(window_,
                                  {QString::fromUtf8(kFirmwareSourceTitle),
                                   QString::fromUtf8(kFirmwareSourceFilter), QString()});
        if (!chosen)
            return;
        chosenSource_ = QFileInfo(*chosen).absoluteFilePath();
        plan = planFirmwareBuild(host_, toPath(*chosenSource_), toPath(tableFile));
        if (plan.step == FirmwareBuildPlan::Step::ChooseSource)
            return;  // gone between the dialog and now; the next F9 asks again
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
    const ProgramCall& call = plan.call;
    const QString folder = QFileInfo(fromPath(plan.sourceFile)).absolutePath();
    ProcessRequest request{QString::fromStdString(call.program), toQt(call.arguments),
                           QString::fromStdString(call.argumentLine), folder};
    const QString commandLine = request.program + QLatin1Char(' ') + request.argumentLine;

    QPointer<FirmwareBuilder> self(this);
    const StartOutcome outcome =
        launcher_.start(request, [self, folder, commandLine](const ProcessResult& result) {
            if (self)
                self->finish(folder, commandLine, result);
        });
    if (outcome == StartOutcome::NotFound) {
        boxes_.inform(window_, QString::fromUtf8(kAssemblerNotFound),
                      windowCaption(), Icon::Critical);
    } else if (outcome == StartOutcome::Failed) {
        finish(folder, commandLine, ProcessResult{false, false, -1, {}});
    }
}

void FirmwareBuilder::finish(const QString& folder, const QString& commandLine,
                             const ProcessResult& result)
{
    if (result.started) {
        const QDir dir(folder);
        for (const std::string& name : assemblerLeftovers(host_))
            QFile::remove(dir.filePath(QString::fromStdString(name)));
    }
    if (!output_)
        output_ = new BuildOutputWindow(window_);
    output_->showRun(QDir::toNativeSeparators(folder) + QStringLiteral("> ") + commandLine,
                     QString::fromLocal8Bit(result.output),
                     QString::fromStdString(
                         assemblerStatusText(result.started, result.crashed, result.exitCode)));
    emit assemblerFinished();
}

}  // namespace ign::ui
