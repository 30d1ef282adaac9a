#include "ui/graphs/points_editor.h"

#include <QFrame>
#include <QPushButton>

#include "ui/form/editor_overlay.h"
#include "ui/graphs/editor_graph.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {
namespace {

// Text7 lies inside the editor graph, whose children are placed from the outer
// corner while the pointer is reported in the drawing area within the border.
QPoint text7Offset(const RasterSurface& picture4)
{
    const QSize border = (picture4.size() - picture4.drawingSize()) / 2;
    return QPoint(15, 14) + QPoint(border.width(), border.height());
}

}  // namespace

PointsEditor::PointsEditor(EditorOverlay& overlay, EditorGraph& graph, RasterSurface& picture1,
                           QObject* parent)
    : QObject(parent), overlay_(overlay), graph_(graph), picture4_(*overlay.picture4()),
      text7_(picture4_, *overlay.text7(), kEditorGraphScale, text7Offset(picture4_), kYellow)
{
    connect(&picture1, &RasterSurface::doubleClicked, this, &PointsEditor::Picture1_DblClick);
    RasterSurface* picture4 = overlay.picture4();
    connect(picture4, &RasterSurface::mousePressed, this, &PointsEditor::Picture4_MouseDown);
    connect(picture4, &RasterSurface::mouseMoved, this, &PointsEditor::Picture4_MouseMove);
    connect(picture4, &RasterSurface::mouseReleased, this, &PointsEditor::Picture4_MouseUp);
    connect(overlay.command7(), &QPushButton::clicked, this, &PointsEditor::Command7_Click);
    connect(overlay.command8(), &QPushButton::clicked, this, &PointsEditor::Command8_Click);
}

void PointsEditor::Picture1_DblClick(QPoint)
{
    emit openRequested();
}

void PointsEditor::open(const EditorPoints& points)
{
    overlay_.frame6()->show();
    points_ = points;
    graph_.drawCurves(points_);
}

void PointsEditor::Command8_Click()
{
    // The fields take the points while the overlay still covers them, so the
    // field that gets the focus when it closes selects its new text.
    emit applied();
    overlay_.frame6()->hide();
}

void PointsEditor::Command7_Click()
{
    overlay_.frame6()->hide();
}

void PointsEditor::Picture4_MouseDown(Qt::MouseButton button, Qt::MouseButtons, QPoint pos)
{
    // Only the one-pixel outline of a marker carries its colour, so a press
    // inside a marker, on a curve or on the grid picks nothing. The later
    // marker covers the earlier where both overlap, and the colour decides.
    const Rgb under = picture4_.pixel(pos.x(), pos.y());
    for (int ch = 0; ch < 2; ++ch) {
        if (button == Qt::LeftButton && under == computedColour(ch)) {
            drag_.grab(ch, pos.x());
            setWindowPointer(*picture4_.window(), true);
        }
    }
    text7_.show();
}

void PointsEditor::Picture4_MouseMove(Qt::MouseButtons, QPoint pos)
{
    text7_.follow(pos);
    if (drag_.moveTo(pos.y(), points_))
        graph_.redrawAroundPoint(points_, drag_.pointIndex());
}

void PointsEditor::Picture4_MouseUp(Qt::MouseButton, Qt::MouseButtons, QPoint)
{
    drag_.release();
    setWindowPointer(*picture4_.window(), false);
    text7_.hide();
}

}  // namespace ign::ui
