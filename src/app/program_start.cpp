#include "app/program_start.h"

#include <QApplication>
#include <QStyle>

#include "ui/platform/qt_translation.h"
#include "ui/platform/start_style.h"

namespace ign::ui {

RunningProgram startProgram(MainWindowOptions options)
{
    // Names the user's data folder, used when the program's own folder is read-only.
    QApplication::setApplicationName(QStringLiteral("igncalc"));
    if (QStyle* style = makeStartStyle())
        QApplication::setStyle(style);
    RunningProgram program;
    program.translation = installQtTranslation();
    program.window = std::make_unique<MainWindow>(options);
    // Ending the program closes every window at once.
    QObject::connect(program.window.get(), &MainWindow::programEnded, qApp, &QApplication::quit,
                     Qt::QueuedConnection);
    program.window->show();
    // Without a window manager, and on some desktops, a new window does not
    // take the keyboard by itself and the shortcuts would do nothing until a
    // click.
    program.window->activateWindow();
    return program;
}

}  // namespace ign::ui
