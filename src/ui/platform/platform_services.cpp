#include "ui/platform/platform_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace ign::ui {
namespace {

std::optional<QString> chosen(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

// The program as the system would find it, or nothing: a missing program
// must be told apart from one that fails to run.
QString locate(const ProcessRequest& request)
{
    const QString& program = request.program;
    if (program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'))) {
        const QFileInfo file(QDir(request.workingFolder).filePath(program));
        return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
    }
#ifdef Q_OS_WIN
    // Windows looks beside the executable and in the current folder before
    // the search path; the assembler may also lie beside the chosen kom.ASM,
    // where it always was when the program was started from there.
    const QString local = QStandardPaths::findExecutable(
        program,
        {QCoreApplication::applicationDirPath(), QDir::currentPath(), request.workingFolder});
    if (!local.isEmpty())
        return local;
#endif
    return QStandardPaths::findExecutable(program);
}

void prepare(QProcess& process, const ProcessRequest& request, const QString& located)
{
    process.setWorkingDirectory(request.workingFolder);
#ifdef Q_OS_WIN
    // The program found above, and the arguments exactly as written.
    process.setProgram(located);
    process.setNativeArguments(request.argumentLine);
#else
    process.setProgram(located);
    process.setArguments(request.arguments);
#endif
}

}  // namespace

std::filesystem::path toPath(const QString& name)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(name.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

QString fromPath(const std::filesystem::path& path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::optional<QString> QtFileDialogs::openFileName(QWidget* parent,
                                                   const FileDialogRequest& request)
{
    return chosen(
        QFileDialog::getOpenFileName(parent, request.title, request.fileName, request.filter));
}

std::optional<QString> QtFileDialogs::saveFileName(QWidget* parent,
                                                   const FileDialogRequest& request)
{
    return chosen(QFileDialog::getSaveFileName(parent, request.title, request.fileName,
                                               request.filter, nullptr,
                                               QFileDialog::DontConfirmOverwrite));
}

QtProcessLauncher::~QtProcessLauncher()
{
    // Whoever asked is going away with us; a process ended by our own end
    // must not call back into it.
    for (QObject* child : running_.children())
        child->disconnect();
}

bool QtProcessLauncher::canFind(const ProcessRequest& request)
{
    return !locate(request).isEmpty();
}

StartOutcome QtProcessLauncher::start(const ProcessRequest& request, Finished finished)
{
    const QString located = locate(request);
    if (located.isEmpty())
        return StartOutcome::NotFound;

    auto* process = new QProcess(&running_);
    prepare(*process, request, located);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    const auto report = [process, finished](ProcessResult result) {
        result.output = process->readAll();
        process->disconnect();
        process->deleteLater();
        if (finished)
            finished(result);
    };
    QObject::connect(process, &QProcess::finished, process,
                     [report](int exitCode, QProcess::ExitStatus status) {
                         report({true, status == QProcess::CrashExit, exitCode, {}});
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [report](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             report({false, false, -1, {}});
                     });
    process->start();
    return StartOutcome::Started;
}

StartOutcome QtProcessLauncher::startDetached(const ProcessRequest& request)
{
    const QString located = locate(request);
    if (located.isEmpty())
        return StartOutcome::NotFound;
    QProcess process;
    prepare(process, request, located);
    return process.startDetached() ? StartOutcome::Started : StartOutcome::Failed;
}

bool QtUrlOpener::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

}  // namespace ign::ui
