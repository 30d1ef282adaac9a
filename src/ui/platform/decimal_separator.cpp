#include "ui/platform/decimal_separator.h"

#include <QLocale>

namespace ign::ui {

char userDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point[0].unicode() > 32 && point[0].unicode() < 127)
        return static_cast<char>(point[0].unicode());
    return '.';
}

}  // namespace ign::ui
