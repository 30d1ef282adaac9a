#include "ui/platform/program_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace ign::ui {

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString chooseProgramFolder(const QString& executableFolder)
{
    // Trying is the only honest test: permission bits say nothing about a
    // read-only mount or about root.
    QTemporaryFile probe(QDir(executableFolder).filePath(QStringLiteral(".igncalc-probe-XXXXXX")));
    if (QDir(executableFolder).exists() && probe.open())
        return executableFolder;
    const QString fallback = userDataFolder();
    QDir().mkpath(fallback);
    return fallback;
}

}  // namespace ign::ui
