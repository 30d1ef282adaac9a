// The core's colours as Qt's.
#pragma once

#include <QColor>

#include "model/curves.h"

namespace ign::ui {

inline QColor toQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

}  // namespace ign::ui
