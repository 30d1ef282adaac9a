#include "ui/commands/firmware_builder.h"

#include "model/messages.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"
#include "ui/windows/build_output_window.h"

#include <QFile>

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

FirmwareBuilder::FirmwareBuilder(ProcessLauncher& launcher, MessageBoxes& boxes, QWidget* window,
                                 HostSystem host)
    : launcher_(launcher), boxes_(boxes), window_(window), host_(host)
{ }

FirmwareBuilder::~FirmwareBuilder()
{
    // Without an owner window the output window is ours to delete.
    if (output_ && output_->parent() == nullptr)
        delete output_;
}

void FirmwareBuilder::startAssembler(const QString& folder)
{
    const ProgramCall call = assemblerCall(host_);
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
                      QString::fromUtf8(kWindowCaption), Icon::Critical);
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
