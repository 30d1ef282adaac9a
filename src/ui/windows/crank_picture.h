// The About window's illustration: a piston, its connecting rod and the
// crankshaft, drawn rather than shipped as an image.
#pragma once

#include <QCursor>
#include <QPixmap>

namespace ign::ui {

// A square picture `size` pixels wide; the crank stands at `crankDeg` degrees
// after top dead centre.
QPixmap crankMechanismPicture(int size = 140, double crankDeg = 40.0);

// The pointer over the About window's links: a black-and-white pointing hand,
// 32 x 32, pointing with the fingertip at (13, 9), the same on every desktop.
QCursor linkHandPointer();

}  // namespace ign::ui
