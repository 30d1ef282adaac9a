// The window's fixed pictures, drawn instead of shipped as image files.
#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

namespace ign::ui {

// The advance formula, alpha = (a*n - b) / (n + c), as a fraction.
QPixmap formulaPicture(QSize size, const QColor& background);
// The caption of the angle axis, "α, град" written upwards.
QPixmap angleCaptionPicture(QSize size, const QColor& background);
// The images of the two tabs: a small curve in the colour of each
// characteristic.
QList<QIcon> tabImages();

}  // namespace ign::ui
