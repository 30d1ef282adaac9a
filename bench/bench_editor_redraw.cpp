// The points editor redraws its whole graph on every pointer move of a drag;
// these time one redraw, one whole move event as the window receives it, and
// the same move with the repaint it asks for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <memory>

#include "ui/form/editor_overlay.h"
#include "ui/form/form_controls.h"
#include "ui/form/main_window.h"
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
        picture4 = window->controls().editor->picture4();
        window->pointsEditor().Picture1_DblClick({100, 100});
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
    float angle = 0;
    for (auto _ : bench) {
        editor.window->editorPoints()[0][5] = angle;
        angle = angle >= 50 ? 0 : angle + 0.1f;
        editor.window->DrawEditorCurves();
    }
}

// Characteristic 1 has 5 degrees at 5000 rpm: the left edge of its marker is
// at (247, 450). Each move goes to another row, as a real drag does.
void dragMoves(benchmark::State& bench, bool repaint)
{
    OpenEditor editor;
    editor.send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 247, 450);
    if (!editor.window->pointsEditor().dragActive(0)) {
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

}  // namespace

BENCHMARK(BM_DrawEditorCurves)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DragMove)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_DragMoveAndRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(9);

int main(int argc, char** argv)
{
    // No display is needed: the surfaces are images, and the timing is of the
    // program's own drawing.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
