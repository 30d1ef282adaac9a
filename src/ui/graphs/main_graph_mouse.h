// The mouse on the main graph only reads values: a press shows the reading
// box, a release hides it, and a drag with the left button shows it only
// while the pointer is over the graph.
#pragma once

#include <QObject>
#include <QPoint>

#include "ui/graphs/graph_reading.h"


namespace ign::ui {

class RasterSurface;
class ReadingBox;

class MainGraphMouse : public QObject {
    Q_OBJECT

public:
    // `text3` is the reading box over `picture1`, the main graph.
    MainGraphMouse(RasterSurface& picture1, ReadingBox& text3, QObject* parent);

    void Picture1_MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void Picture1_MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void Picture1_MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);

private:
    const RasterSurface& picture1_;
    GraphReading text3_;
};

}  // namespace ign::ui
