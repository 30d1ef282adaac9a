#include <QApplication>

#include "ui/form/program_start.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const ign::ui::RunningProgram program = ign::ui::startProgram();
    return QApplication::exec();
}
