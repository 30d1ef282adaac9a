// Everything the program does from its first line to the shown window, kept
// apart from main() so the start-up benchmark times exactly the same steps.
#pragma once

#include <memory>

#include <QTranslator>

#include "ui/form/main_window.h"

namespace ign::ui {

struct RunningProgram {
    std::unique_ptr<QTranslator> translation;
    std::unique_ptr<MainWindow> window;
};

// Needs the application object; shows the window and returns at once.
RunningProgram startProgram(MainWindowOptions options = {});

}  // namespace ign::ui
