#include <QApplication>

#include "ui/form/main_window.h"
#include "ui/platform/qt_translation.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Names the user's data folder, used when the program's own folder is read-only.
    QApplication::setApplicationName(QStringLiteral("igncalc"));
    const auto translation = ign::ui::installQtTranslation();

    ign::ui::MainWindow window;
    // Ending the program closes every window at once.
    QObject::connect(&window, &ign::ui::MainWindow::programEnded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    // Without a window manager, and on some desktops, a new window does not
    // take the keyboard by itself and the shortcuts would do nothing until a
    // click.
    window.activateWindow();
    return QApplication::exec();
}
