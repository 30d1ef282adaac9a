#include "ui/platform/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace ign::ui {

std::unique_ptr<QTranslator> installQtTranslation()
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

}  // namespace ign::ui
