// Showing the table source to the user: Notepad on Windows, elsewhere the
// user's default handler for the file the writer really wrote.
#pragma once

#include "output/firmware_build.h"

#include <QString>

class QWidget;

namespace ign::ui {

class MessageBoxes;
class ProcessLauncher;
class UrlOpener;

class TableViewer {
public:
    TableViewer(ProcessLauncher& launcher, UrlOpener& opener, MessageBoxes& boxes, QWidget* window,
                HostSystem host = currentHost());

    // `tableFile`: IgnTable.asm in the program's folder, as written.
    void open(const QString& tableFile);

private:
    void complain(const std::string& text);

    ProcessLauncher& launcher_;
    UrlOpener& opener_;
    MessageBoxes& boxes_;
    QWidget* window_;
    HostSystem host_;
};

}  // namespace ign::ui
