// The points editor: the overlay that shapes the by-points curves of both
// characteristics with the mouse. It keeps its own copy of the 22 points while
// open; only Apply hands them back, and the window writes them into the point
// fields.
#pragma once

#include <QObject>
#include <QPoint>
#include <QUndoStack>

#include <optional>

#include "model/point_drag.h"
#include "ui/graphs/graph_reading.h"

namespace ign::ui {

class EditorGraph;
class EditorOverlay;
class RasterSurface;

class PointsEditor : public QObject {
    Q_OBJECT

public:
    // A double click on `picture1`, the main graph, asks for the editor.
    PointsEditor(EditorOverlay& overlay, EditorGraph& graph, RasterSurface& picture1,
                 QObject* parent);

    const EditorPoints& points() const { return points_; }
    const PointDrag& drag() const { return drag_; }
    const std::optional<PointRef>& selected() const { return selected_; }
    // Each completed drag and each key move is a step; the history starts
    // anew at every opening.
    QUndoStack& steps() { return steps_; }
    // Shows the overlay with these points drawn and the graph taking keys.
    void open(const EditorPoints& points);

    void Picture1_DblClick(QPoint pos);
    void Picture4_MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void Picture4_MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void Picture4_MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void Command7_Click();
    void Command8_Click();
    // Tab and Shift+Tab select a point, Up and Down move it by 0.1 degree,
    // Page Up and Page Down by 1 degree.
    void Picture4_KeyDown(int key, Qt::KeyboardModifiers modifiers);

signals:
    // The user asked for the editor; the answer is open() with the points.
    void openRequested();
    // "Применить": points() are the ones to keep; the overlay closes after.
    void applied();
    // Apply or Cancel closed the overlay.
    void closed();

private:
    void close();
    void select(const PointRef& point);
    // Shows the selected point's speed and angle in the reading box.
    void readSelected();
    // Records a change of the points from `before` to the present ones.
    void recordStep(const EditorPoints& before, std::optional<PointRef> keyMove);
    void showPoints(const EditorPoints& points);

    EditorOverlay& overlay_;
    EditorGraph& graph_;
    const RasterSurface& picture4_;
    GraphReading text7_;
    EditorPoints points_{};
    PointDrag drag_;
    EditorPoints dragStart_{};
    std::optional<PointRef> selected_;
    QUndoStack steps_;
};

}  // namespace ign::ui
