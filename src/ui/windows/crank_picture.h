// The About window's illustration: a piston, its connecting rod and the
// crankshaft, drawn rather than shipped as an image.
#pragma once

#include <QPixmap>

namespace ign::ui {

// A square picture `size` pixels wide; the crank stands at `crankDeg` degrees
// after top dead centre.
QPixmap crankMechanismPicture(int size = 140, double crankDeg = 40.0);

}  // namespace ign::ui
