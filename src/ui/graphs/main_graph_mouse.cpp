#include "ui/graphs/main_graph_mouse.h"

#include <QPlainTextEdit>

#include "ui/form/form_controls.h"
#include "ui/form/main_window.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {
namespace {

// Text3 lies on the window, the pointer's position is in the graph's drawing
// area: 60 pixels each way from the pointer's graph position puts the box just
// right of and below the pointer.
constexpr QPoint kText3Offset{60, 60};

}  // namespace

MainGraphMouse::MainGraphMouse(MainWindow& window)
    : QObject(&window), window_(window), picture1_(*window.controls().picture1),
      text3_(picture1_, *window.controls().text3, kMainGraphScale, kText3Offset, kOrange)
{
    RasterSurface* picture1 = window.controls().picture1;
    connect(picture1, &RasterSurface::mousePressed, this, &MainGraphMouse::Picture1_MouseDown);
    connect(picture1, &RasterSurface::mouseMoved, this, &MainGraphMouse::Picture1_MouseMove);
    connect(picture1, &RasterSurface::mouseReleased, this, &MainGraphMouse::Picture1_MouseUp);
}

void MainGraphMouse::Picture1_MouseDown(Qt::MouseButton, Qt::MouseButtons, QPoint)
{
    text3_.show();
    setWindowPointer(window_, true);
}

void MainGraphMouse::Picture1_MouseMove(Qt::MouseButtons buttons, QPoint pos)
{
    text3_.follow(pos);
    if (buttons != Qt::LeftButton)
        return;
    const QSize area = picture1_.drawingSize();
    const bool overGraph =
        pos.x() >= 0 && pos.x() < area.width() && pos.y() >= 0 && pos.y() < area.height();
    if (overGraph)
        text3_.show();
    else
        text3_.hide();
    setWindowPointer(window_, overGraph);
}

void MainGraphMouse::Picture1_MouseUp(Qt::MouseButton, Qt::MouseButtons, QPoint)
{
    text3_.hide();
    setWindowPointer(window_, false);
}

}  // namespace ign::ui
