// Qt's own buttons and dialogs speak the program's language, Russian,
// whatever the desktop's language is.
#pragma once

#include <memory>

#include <QTranslator>

namespace ign::ui {

// Loads and installs Qt's Russian translation; the translator stays in force
// while the returned object lives. Null when the translation is not
// installed on this system: the buttons then keep Qt's own words. It is
// looked for where Qt keeps its translations: on Windows, Qt takes the
// folder of a program that carries its own Qt DLLs for its prefix, so that is
// translations\qtbase_ru.qm beside the program, where the install puts it.
std::unique_ptr<QTranslator> installQtTranslation();

}  // namespace ign::ui
