#include "ui/commands/map_commands.h"

#include "model/messages.h"
#include "storage/map_file.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"

#include <QDir>

namespace ign::ui {

MapCommands::MapCommands(FileDialogs& dialogs, MessageBoxes& boxes, QWidget* window)
    : dialogs_(dialogs), boxes_(boxes), window_(window)
{ }

bool MapCommands::openMap(Inputs& in, int characteristic)
{
    const auto chosen = choose(false, QStringLiteral("Загрузить файл"));
    if (!chosen)
        return false;
    const MapLoadResult result = loadMapFile(toPath(*chosen), in, characteristic);
    if (!result.opened)
        complain(QStringLiteral("прочитать"), result.reason);
    return result.linesApplied > 0;
}

bool MapCommands::saveMap(const Inputs& in, int characteristic)
{
    const auto chosen = choose(true, QStringLiteral("Сохранить файл"));
    if (!chosen)
        return false;
    const WriteResult result = saveMapFile(toPath(*chosen), in, characteristic);
    if (!result.ok)
        complain(QStringLiteral("сохранить"), result.reason);
    return result.ok;
}

std::optional<QString> MapCommands::choose(bool save, const QString& title)
{
    // One dialog for both commands: the name chosen last is offered again.
    const FileDialogRequest request{title, kMapFileFilter, fileName_};
    auto chosen =
        save ? dialogs_.saveFileName(window_, request) : dialogs_.openFileName(window_, request);
    if (chosen)
        fileName_ = *chosen;
    return chosen;
}

void MapCommands::complain(const QString& verb, const std::string& reason)
{
    boxes_.inform(
        window_,
        QStringLiteral("Не удалось %1 файл %2: %3")
            .arg(verb, QDir::toNativeSeparators(fileName_), QString::fromStdString(reason)),
        windowCaption(), Icon::Critical);
}

}  // namespace ign::ui
