// Where Data.dat and IgnTable.asm live: beside the executable, as users of
// the calculator have always found them, unless that folder cannot be
// written (an installed program), then in the user's own data folder.
#pragma once

#include <QString>

namespace ign::ui {

// `executableFolder` when a file can be created there, else the user's data
// folder for the program (created when missing).
QString chooseProgramFolder(const QString& executableFolder);

// The user's data folder for the program.
QString userDataFolder();

}  // namespace ign::ui
