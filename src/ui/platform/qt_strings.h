// Crossing between the core's strings and Qt's: the core speaks UTF-8 and
// std::filesystem paths, Qt its own strings.
#pragma once

#include <filesystem>
#include <string>

#include <QFile>
#include <QString>

namespace ign::ui {

inline QString toQt(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// A file name from a dialog in the encoding the system uses for file names,
// so the core opens the very file that was chosen.
inline std::filesystem::path toPath(const QString& name)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(name.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

}  // namespace ign::ui
