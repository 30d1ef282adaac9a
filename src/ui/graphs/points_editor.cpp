#include "ui/graphs/points_editor.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>

#include "model/numbers.h"
#include "ui/form/curve_panels.h"
#include "ui/form/editor_overlay.h"
#include "ui/form/form_controls.h"
#include "ui/form/input_field.h"
#include "ui/form/main_window.h"
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

// The Text6 element that holds editor point i (1..11) of a characteristic.
int pointFieldOf(int characteristic, int i)
{
    return i == 11 ? topPointField(characteristic) : pointField(characteristic, i);
}

}  // namespace

PointsEditor::PointsEditor(MainWindow& window)
    : QObject(&window), window_(window), picture4_(*window.controls().editor->picture4()),
      text7_(picture4_, *window.controls().editor->text7(), kEditorGraphScale,
             text7Offset(picture4_), kYellow)
{
    const EditorOverlay& editor = *window.controls().editor;
    connect(window.controls().picture1, &RasterSurface::doubleClicked, this,
            &PointsEditor::Picture1_DblClick);
    connect(editor.picture4(), &RasterSurface::mousePressed, this,
            &PointsEditor::Picture4_MouseDown);
    connect(editor.picture4(), &RasterSurface::mouseMoved, this, &PointsEditor::Picture4_MouseMove);
    connect(editor.picture4(), &RasterSurface::mouseReleased, this,
            &PointsEditor::Picture4_MouseUp);
    connect(editor.command7(), &QPushButton::clicked, this, &PointsEditor::Command7_Click);
    connect(editor.command8(), &QPushButton::clicked, this, &PointsEditor::Command8_Click);
}

void PointsEditor::Picture1_DblClick(QPoint)
{
    FormControls& c = window_.controls();
    c.editor->frame6()->show();
    for (int ch = 0; ch < 2; ++ch) {
        for (int i = 1; i <= 11; ++i) {
            const std::string text = c.curves->text6(pointFieldOf(ch, i))->text().toStdString();
            editorPoints_[static_cast<std::size_t>(ch)][static_cast<std::size_t>(i)] =
                static_cast<float>(leadingNumber(text));
        }
    }
    window_.DrawEditorCurves();
}

void PointsEditor::Command8_Click()
{
    FormControls& c = window_.controls();
    for (int i = 1; i <= 11; ++i) {
        for (int ch = 0; ch < 2; ++ch) {
            const float angle =
                editorPoints_[static_cast<std::size_t>(ch)][static_cast<std::size_t>(i)];
            c.curves->text6(pointFieldOf(ch, i))
                ->setText(QString::fromStdString(formatShort(angle)));
        }
    }
    c.editor->frame6()->hide();
    window_.DrawCurvesByPoints();
}

void PointsEditor::Command7_Click()
{
    window_.controls().editor->frame6()->hide();
}

void PointsEditor::Picture4_MouseDown(Qt::MouseButton button, Qt::MouseButtons, QPoint pos)
{
    // Only the one-pixel outline of a marker carries its colour, so a press
    // inside a marker, on a curve or on the grid picks nothing. The later
    // marker covers the earlier where both overlap, and the colour decides.
    const Rgb under = picture4_.pixel(pos.x(), pos.y());
    for (int ch = 0; ch < 2; ++ch) {
        if (button == Qt::LeftButton && under == computedColour(ch)) {
            // A marker around x = 50 * i gives i; the one at x = 700 gives 14.
            dragPointIndex_ = static_cast<std::uint8_t>((pos.x() + 3) * 20 / 1000);
            dragActive_[static_cast<std::size_t>(ch)] = true;
            setWindowPointer(window_, true);
        }
    }
    text7_.show();
}

void PointsEditor::Picture4_MouseMove(Qt::MouseButtons, QPoint pos)
{
    text7_.follow(pos);
    for (int ch = 0; ch < 2; ++ch) {
        if (dragActive_[static_cast<std::size_t>(ch)])
            dragTo(ch, pos.y());
    }
}

void PointsEditor::dragTo(int characteristic, int y)
{
    if (dragPointIndex_ == 14)
        dragPointIndex_ = 11;
    // The point takes the angle the reading shows, and keeps it beyond the
    // graph's edges: such a point is drawn clipped where it maps.
    const double angle = roundHalfAway(kEditorGraphScale.angleDeg(y) * 10) / 10;
    editorPoints_[static_cast<std::size_t>(characteristic)][dragPointIndex_] =
        static_cast<float>(angle);
    window_.DrawEditorCurves();
}

void PointsEditor::Picture4_MouseUp(Qt::MouseButton, Qt::MouseButtons, QPoint)
{
    dragActive_ = {false, false};
    setWindowPointer(window_, false);
    text7_.hide();
}

}  // namespace ign::ui
