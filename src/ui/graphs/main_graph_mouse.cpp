#include "ui/graphs/main_graph_mouse.h"

#include "ui/graphs/raster_surface.h"
#include "ui/graphs/reading_box.h"

namespace ign::ui {
namespace {

// Text3 lies on the window, the pointer's position is in the graph's drawing
// area: 60 pixels each way from the pointer's graph position puts the box just
// right of and below the pointer.
constexpr QPoint kText3Offset{60, 60};

}  // namespace

MainGraphMouse::MainGraphMouse(RasterSurface& picture1, ReadingBox& text3, QObject* parent)
    : QObject(parent), picture1_(picture1),
      text3_(picture1_, text3, kMainGraphScale, kText3Offset, kOrange)
{
    connect(&picture1, &RasterSurface::mousePressed, this, &MainGraphMouse::Picture1_MouseDown);
    connect(&picture1, &RasterSurface::mouseMoved, this, &MainGraphMouse::Picture1_MouseMove);
    connect(&picture1, &RasterSurface::mouseReleased, this, &MainGraphMouse::Picture1_MouseUp);
}

void MainGraphMouse::Picture1_MouseDown(Qt::MouseButton, Qt::MouseButtons, QPoint)
{
    text3_.show();
    setWindowPointer(*picture1_.window(), true);
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
    setWindowPointer(*picture1_.window(), overGraph);
}

void MainGraphMouse::Picture1_MouseUp(Qt::MouseButton, Qt::MouseButtons, QPoint)
{
    text3_.hide();
    setWindowPointer(*picture1_.window(), false);
}

}  // namespace ign::ui
