// The points editor: the overlay that shapes the by-points curves of both
// characteristics with the mouse. It keeps its own copy of the 22 points while
// open; only Apply writes them back into the point fields.
#pragma once

#include <array>
#include <cstdint>

#include <QObject>
#include <QPoint>

#include "ui/graphs/editor_graph.h"
#include "ui/graphs/graph_reading.h"

namespace ign::ui {

class MainWindow;
class RasterSurface;

class PointsEditor : public QObject {
    Q_OBJECT

public:
    explicit PointsEditor(MainWindow& window);

    EditorPoints& editorPoints() { return editorPoints_; }
    const EditorPoints& editorPoints() const { return editorPoints_; }
    bool dragActive(int characteristic) const
    {
        return dragActive_[static_cast<std::size_t>(characteristic)];
    }
    int dragPointIndex() const { return dragPointIndex_; }

    void Picture1_DblClick(QPoint pos);
    void Picture4_MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void Picture4_MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void Picture4_MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void Command7_Click();
    void Command8_Click();

private:
    void dragTo(int characteristic, int y);

    MainWindow& window_;
    const RasterSurface& picture4_;
    GraphReading text7_;
    EditorPoints editorPoints_{};
    std::array<bool, 2> dragActive_{};
    // 1..10 for the points at 1000..10000 rpm; the 14000 rpm point is picked
    // as 14 and becomes 11 on the first move.
    std::uint8_t dragPointIndex_ = 0;
};

}  // namespace ign::ui
