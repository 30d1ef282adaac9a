#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt's own buttons and dialogs ("Да", "Нет", "Отмена") speak the
    // program's language whatever the desktop's.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    ign::ui::MainWindow window;
    // Ending the program closes every window at once.
    QObject::connect(&window, &ign::ui::MainWindow::programEnded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return QApplication::exec();
}
