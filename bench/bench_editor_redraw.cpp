// One redraw of the points editor graph, one whole pointer move of a drag as
// the window receives it, and the same move with the repaint it asks for;
// against them, in the same run, the floor of any full repaint: a widget of
// the graph's size that only copies a ready image.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <QPainter>
#include <QWidget>

#include <memory>
#include "ratio_run.h"

#include "ui/form/main_window.h"
#include "ui/graphs/editor_graph.h"
#include "ui/graphs/points_editor.h"
#include "ui/graphs/raster_surface.h"

namespace {

using ign::ui::MainWindow;
using ign::ui::RasterSurface;

// A window in a folder of its own with the editor open, as after a double
// click on the graph.
struct OpenEditor {
    QTemporaryDir folder;
    std::unique_ptr<MainWindow> window;
    RasterSurface* picture4 = nullptr;

    OpenEditor()
    {
        ign::ui::MainWindowOptions options;
        options.programFolder = folder.path();
        window = std::make_unique<MainWindow>(options);
        window->show();
        QApplication::processEvents();
        auto* picture1 = window->findChild<RasterSurface*>(QStringLiteral("Picture1"));
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(100, 100),
                          picture1->mapToGlobal(QPointF(100, 100)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(picture1, &click);
        // The editor's widgets exist from its first opening on.
        picture4 = window->findChild<RasterSurface*>(QStringLiteral("Picture4"));
        QApplication::processEvents();
    }

    // The widget position of a drawing-area pixel, past the sunken border.
    QPointF at(int x, int y) const
    {
        const QSize border = (picture4->size() - picture4->drawingSize()) / 2;
        return QPointF(x + border.width(), y + border.height());
    }
    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, int x,
              int y) const
    {
        const QPointF pos = at(x, y);
        QMouseEvent event(type, pos, picture4->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(picture4, &event);
    }
};

void BM_DrawEditorCurves(benchmark::State& bench)
{
    OpenEditor editor;
    auto* picture5 = editor.window->findChild<RasterSurface*>(QStringLiteral("Picture5"));
    auto* picture6 = editor.window->findChild<RasterSurface*>(QStringLiteral("Picture6"));
    ign::ui::EditorGraph graph(*editor.picture4, *picture5, *picture6);
    ign::EditorPoints points = editor.window->pointsEditor().points();
    float angle = 0;
    for (auto _ : bench) {
        points[0][5] = angle;
        angle = angle >= 50 ? 0 : angle + 0.1f;
        graph.drawCurves(points);
    }
}

// Characteristic 1 has 5 degrees at 5000 rpm: the left edge of its marker is
// at (247, 450). Each move goes to another row, as a real drag does.
void dragMoves(benchmark::State& bench, bool repaint)
{
    OpenEditor editor;
    editor.send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 247, 450);
    if (!editor.window->pointsEditor().drag().active(0)) {
        bench.SkipWithError("the press picked no marker");
        return;
    }
    int y = 0;
    for (auto _ : bench) {
        editor.send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 250, y);
        if (repaint)
            QApplication::processEvents();
        y = (y + 7) % 501;
    }
    editor.send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 250, y);
}

void BM_DragMove(benchmark::State& bench)
{
    dragMoves(bench, false);
}

void BM_DragMoveAndRepaint(benchmark::State& bench)
{
    dragMoves(bench, true);
}

class ReadyImage : public QWidget {
public:
    explicit ReadyImage(const QImage& image) : image_(image)
    {
        setFixedSize(image.size());
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }

private:
    QImage image_;
};

void BM_FullRepaintBaseline(benchmark::State& bench)
{
    OpenEditor editor;
    ReadyImage widget(editor.picture4->image());
    widget.show();
    QApplication::processEvents();
    for (auto _ : bench) {
        widget.update();
        QApplication::processEvents();
    }
}

}  // namespace

BENCHMARK(BM_FullRepaintBaseline)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DrawEditorCurves)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DragMove)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DragMoveAndRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(9);

int main(int argc, char** argv)
{
    // No display is needed: the surfaces are images, and the timing is of the
    // program's own drawing.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runWithRatios(argc, argv,
                         {{"BM_DragMoveAndRepaint", "BM_FullRepaintBaseline", "",
                           "drag move with its repaint / full repaint of a ready image"}});
}
