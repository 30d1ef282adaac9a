// Loading and saving the curve of one characteristic as a *.map file, with the
// one file dialog both commands share.
#pragma once

#include "model/inputs.h"

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace ign::ui {

class FileDialogs;
class MessageBoxes;

class MapCommands {
public:
    MapCommands(FileDialogs& dialogs, MessageBoxes& boxes, QWidget* window);

    // open_map: rewrites field texts of `characteristic` (0 or 1) in `in` and
    // nothing else. True when at least one field changed; the window then puts
    // the texts back into its fields without redrawing.
    bool openMap(Inputs& in, int characteristic);

    // save_map: true when the file was written.
    bool saveMap(const Inputs& in, int characteristic);

    // The name the next dialog offers: the one chosen last, in either command.
    const QString& fileName() const { return fileName_; }

private:
    std::optional<QString> choose(bool save, const QString& title);
    void complain(const QString& verb, const std::string& reason);

    FileDialogs& dialogs_;
    MessageBoxes& boxes_;
    QWidget* window_;
    QString fileName_;
};

}  // namespace ign::ui
