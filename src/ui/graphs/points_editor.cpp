#include "ui/graphs/points_editor.h"

#include <QFrame>
#include <QPushButton>
#include <QUndoCommand>

#include <cmath>
#include <functional>

#include "model/editor_picture.h"
#include "ui/form/editor_overlay.h"
#include "ui/graphs/editor_graph.h"
#include "ui/graphs/raster_surface.h"
#include "ui/graphs/reading_box.h"

namespace ign::ui {
namespace {

// Text7 lies inside the editor graph, whose children are placed from the outer
// corner while the pointer is reported in the drawing area within the border.
QPoint text7Offset(const RasterSurface& picture4)
{
    const QSize border = (picture4.size() - picture4.drawingSize()) / 2;
    return QPoint(15, 14) + QPoint(border.width(), border.height());
}

// One completed drag or a run of key moves of one point.
class PointsStep : public QUndoCommand {
public:
    using Show = std::function<void(const EditorPoints&)>;

    PointsStep(const EditorPoints& before, const EditorPoints& after,
               std::optional<PointRef> keyMove, Show show)
        : QUndoCommand(QString::fromUtf8(kPointMoveStep)), before_(before), after_(after),
          keyMove_(keyMove), show_(std::move(show))
    { }

    int id() const override { return keyMove_ ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const PointsStep*>(other);
        if (next->keyMove_ != keyMove_)
            return false;
        after_ = next->after_;
        return true;
    }
    void undo() override { show_(before_); }
    void redo() override
    {
        // The first time the points have already moved.
        if (done_)
            show_(after_);
        done_ = true;
    }

private:
    EditorPoints before_;
    EditorPoints after_;
    std::optional<PointRef> keyMove_;
    Show show_;
    bool done_ = false;
};

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
    picture4->takeKeys();
    connect(picture4, &RasterSurface::keyPressed, this, &PointsEditor::Picture4_KeyDown);
}

void PointsEditor::Picture1_DblClick(QPoint)
{
    emit openRequested();
}

void PointsEditor::open(const EditorPoints& points)
{
    steps_.clear();
    selected_.reset();
    graph_.select(selected_);
    overlay_.frame6()->show();
    points_ = points;
    graph_.drawCurves(points_);
    // Keys go to the graph, not to a field hidden under the overlay.
    overlay_.picture4()->setFocus();
}

void PointsEditor::close()
{
    overlay_.frame6()->hide();
    steps_.clear();
    emit closed();
}

void PointsEditor::Command8_Click()
{
    // The fields take the points while the overlay still covers them, so the
    // field that gets the focus when it closes selects its new text.
    emit applied();
    close();
}

void PointsEditor::Command7_Click()
{
    close();
}

void PointsEditor::Picture4_MouseDown(Qt::MouseButton button, Qt::MouseButtons, QPoint pos)
{
    if (button == Qt::LeftButton) {
        if (const auto hit = markerAt(editorPicture(points_, selected_), pos.x(), pos.y())) {
            drag_.grab(*hit);
            setWindowPointer(*picture4_.window(), true);
            dragStart_ = points_;
            select(*hit);
        }
    }
    text7_.show();
}

void PointsEditor::Picture4_MouseMove(Qt::MouseButtons, QPoint pos)
{
    text7_.follow(pos);
    const EditorPoints before = points_;
    if (drag_.moveTo(pos.y(), points_))
        graph_.redrawAroundPoint(before, points_, drag_.pointIndex());
}

void PointsEditor::Picture4_MouseUp(Qt::MouseButton, Qt::MouseButtons, QPoint)
{
    if (drag_.active(0) || drag_.active(1))
        recordStep(dragStart_, std::nullopt);
    drag_.release();
    setWindowPointer(*picture4_.window(), false);
    text7_.hide();
}

void PointsEditor::Picture4_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool backwards = key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier);
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        select(nextPoint(selected_, !backwards));
        return;
    }
    const int tenths = key == Qt::Key_Up ? 1
        : key == Qt::Key_Down            ? -1
        : key == Qt::Key_PageUp          ? 10
        : key == Qt::Key_PageDown        ? -10
                                         : 0;
    if (tenths == 0 || !selected_)
        return;
    const EditorPoints before = points_;
    float& angle = points_[static_cast<std::size_t>(selected_->characteristic)]
                          [static_cast<std::size_t>(selected_->point)];
    angle = steppedAngle(angle, tenths);
    graph_.redrawAroundPoint(before, points_, selected_->point);
    readSelected();
    recordStep(before, selected_);
}

void PointsEditor::select(const PointRef& point)
{
    selected_ = point;
    graph_.select(selected_);
    graph_.drawCurves(points_);
    readSelected();
}

void PointsEditor::readSelected()
{
    const int point = selected_->point;
    const float angle = points_[static_cast<std::size_t>(selected_->characteristic)]
                               [static_cast<std::size_t>(point)];
    const double y = kEditorGraphScale.y(angle);
    // Kept within the pixel grid's range; such a point lies far off the graph.
    const int row = y < -1e6 ? -1000000 : y > 1e6 ? 1000000 : static_cast<int>(std::lround(y));
    text7_.follow(QPoint(kEditorGraphScale.pointColumn(point), row));
    text7_.show();
}

void PointsEditor::recordStep(const EditorPoints& before, std::optional<PointRef> keyMove)
{
    if (before == points_)
        return;
    steps_.push(new PointsStep(before, points_, keyMove,
                               [this](const EditorPoints& points) { showPoints(points); }));
}

void PointsEditor::showPoints(const EditorPoints& points)
{
    points_ = points;
    graph_.drawCurves(points_);
    if (selected_ && overlay_.text7()->isVisible())
        readSelected();
}

}  // namespace ign::ui
