#include "ui/commands/table_viewer.h"

#include "model/messages.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace ign::ui {

TableViewer::TableViewer(ProcessLauncher& launcher, UrlOpener& opener, MessageBoxes& boxes,
                         QWidget* window, HostSystem host)
    : launcher_(launcher), opener_(opener), boxes_(boxes), window_(window), host_(host)
{ }

void TableViewer::open(const QString& tableFile)
{
    if (host_ == HostSystem::Windows) {
        // Notepad looks the file up in its current folder, by a name that
        // differs from the written one only in case. It starts where the
        // table was written, which is the folder the program was started
        // from unless the program's folder is read-only and the table went
        // to the user's data folder.
        const ProgramCall call = tableViewerCall();
        QStringList arguments;
        for (const std::string& argument : call.arguments)
            arguments << QString::fromStdString(argument);
        const ProcessRequest request{QString::fromStdString(call.program), arguments,
                                     QString::fromStdString(call.argumentLine),
                                     QFileInfo(tableFile).absolutePath()};
        if (launcher_.startDetached(request) != StartOutcome::Started)
            complain(tableViewerFailedText(call.argumentLine));
        return;
    }
    const QFileInfo file(tableFile);
    const std::string shown = QDir::toNativeSeparators(file.absoluteFilePath()).toStdString();
    if (!file.isFile()) {
        complain(tableMissingText(shown));
        return;
    }
    if (!opener_.openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
        complain(tableViewerFailedText(shown));
}

void TableViewer::complain(const std::string& text)
{
    boxes_.inform(window_, QString::fromStdString(text), windowCaption(),
                  Icon::Exclamation);
}

}  // namespace ign::ui
