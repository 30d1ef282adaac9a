// The small box that follows the pointer over a graph and reads off the speed
// and the angle under it, written in the colour of the curve it points at, so
// the user sees which characteristic the reading belongs to.
#pragma once

#include <QPoint>
#include <QString>

#include "model/curves.h"

class QWidget;

namespace ign::ui {

class RasterSurface;
class ReadingBox;

// Yellow text on a white box is hard to read; the main graph's box shows
// yellow curves in orange.
inline constexpr Rgb kOrange{255, 128, 0};

// Two lines, "n = 11000" and "a = 50.0": the angle with one fraction digit,
// halves away from zero, in the user's decimal separator as the listing
// writes it.
QString readingText(const GraphScale& scale, QPoint pos);

// The window-wide pointer: a crosshair while something is read or dragged.
void setWindowPointer(QWidget& window, bool crosshair);

class GraphReading {
public:
    // `boxOffset` is where the box's top-left corner lies from the pointer, in
    // the coordinates of the box's parent; yellow curves read in
    // `yellowShownAs`, since yellow text is hard to read on some boxes.
    GraphReading(const RasterSurface& graph, ReadingBox& box, GraphScale scale,
                 QPoint boxOffset, Rgb yellowShownAs);

    // Moves the box beside the pointer and writes the reading there, in the
    // colour of the graph pixel under the pointer; the box may be hidden.
    void follow(QPoint pos);
    void show();
    void hide();

private:
    void setText(const QString& text);
    void setColour(Rgb colour);

    const RasterSurface& graph_;
    ReadingBox& box_;
    GraphScale scale_;
    QPoint boxOffset_;
    Rgb yellowShownAs_;
};

}  // namespace ign::ui
