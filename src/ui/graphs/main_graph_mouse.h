// The mouse on the main graph only reads values: a press shows the reading
// box, a release hides it, and a drag with the left button shows it only
// while the pointer is over the graph.
#pragma once

#include <QObject>
#include <QPoint>

#include "ui/graphs/graph_reading.h"

namespace ign::ui {

class MainWindow;
class RasterSurface;

class MainGraphMouse : public QObject {
    Q_OBJECT

public:
    explicit MainGraphMouse(MainWindow& window);

    void Picture1_MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void Picture1_MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void Picture1_MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);

private:
    MainWindow& window_;
    const RasterSurface& picture1_;
    GraphReading text3_;
};

}  // namespace ign::ui
