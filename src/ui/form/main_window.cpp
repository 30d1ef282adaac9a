#include "ui/form/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QMetaMethod>
#include <QPlainTextEdit>

#include "model/point_drag.h"
#include "model/presets.h"
#include "output/table_source.h"
#include "storage/settings_file.h"
#include "ui/commands/field_history.h"
#include "ui/commands/firmware_builder.h"
#include "ui/commands/map_commands.h"
#include "ui/commands/table_viewer.h"
#include "ui/form/curve_panels.h"
#include "ui/form/editor_overlay.h"
#include "ui/form/field_binder.h"
#include "ui/form/field_colours.h"
#include "ui/form/settings_panel.h"
#include "ui/graphs/points_editor.h"
#include "ui/graphs/raster_surface.h"
#include "ui/platform/decimal_separator.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/program_folder.h"
#include "ui/platform/qt_strings.h"
#include "ui/windows/about_window.h"
#include "ui/windows/accuracy_window.h"
#include "ui/windows/build_output_window.h"

namespace ign::ui {

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), services_(options.messageBoxes, options.fileDialogs,
                                     options.processLauncher, options.urlOpener),
      boxes_(services_.boxes),
      programFolder_(options.programFolder.isEmpty()
                         ? chooseProgramFolder(QCoreApplication::applicationDirPath())
                         : options.programFolder),
      startFolder_(options.startFolder.isEmpty() ? QDir::currentPath() : options.startFolder),
      commands_(inputs_, {programFile(kSettingsFileName), programFile(kTableSourceFileName)}),
      binder_(std::make_unique<FieldBinder>(inputs_)),
      firmware_(std::make_unique<FirmwareBuilder>(services_.launcher, services_.dialogs, boxes_,
                                                  this)),
      viewer_(std::make_unique<TableViewer>(services_.launcher, services_.opener, boxes_, this)),
      maps_(std::make_unique<MapCommands>(services_.dialogs, boxes_, this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowCaption());
    Form_Load();
}

MainWindow::~MainWindow() = default;

int MainWindow::selectedTab() const
{
    return curves_->selectedTab();
}

std::filesystem::path MainWindow::programFile(const char* fileName) const
{
    return toPath(QDir(programFolder_).filePath(QLatin1String(fileName)));
}

void MainWindow::DrawCurvesByCoefficients()
{
    mainGraph_->redraw(coefficientCurves(inputs_.values(), calcState().entryRpm));
}

void MainWindow::DrawCurvesByPoints()
{
    mainGraph_->redraw(pointCurves(inputs_.values()));
}

void MainWindow::DrawCurvesBySelectedMethod()
{
    if (inputs_.byCoefficients())
        DrawCurvesByCoefficients();
    else
        DrawCurvesByPoints();
}

PointsEditor& MainWindow::pointsEditor()
{
    if (pointsEditor_)
        return *pointsEditor_;
    EditorOverlay& overlay = buildEditor();
    editorGraph_.emplace(*overlay.picture4(), *overlay.picture5(), *overlay.picture6());
    editorGraph_->drawGrid();
    pointsEditor_ = new PointsEditor(overlay, *editorGraph_, *picture1_, this);
    connect(pointsEditor_, &PointsEditor::openRequested, this, &MainWindow::openPointsEditor);
    connect(pointsEditor_, &PointsEditor::applied, this, &MainWindow::applyEditorPoints);
    // While the editor is open the menu's Undo and Redo work on its steps.
    connect(pointsEditor_, &PointsEditor::closed, this, [this] { history_->activate(nullptr); });
    return *pointsEditor_;
}

void MainWindow::openPointsEditor()
{
    PointsEditor& editor = pointsEditor();
    editor.open(editorPoints(inputs_.values()));
    history_->activate(&editor.steps());
}

void MainWindow::applyEditorPoints()
{
    const EditorPoints& points = pointsEditor_->points();
    const auto step = commands_.changeCurveFields(FieldCommand::EditorApply, [&](Inputs& in) {
        storeEditorPoints(points, in);
        return true;
    });
    DrawCurvesByPoints();
    history_->record(step);
}

void MainWindow::showMessage(const Message& message)
{
    if (QWidget* field = binder_->control(message.highlight))
        highlightField(field);
    boxes_.inform(this, toQt(message.text), windowCaption(), message.icon);
}

void MainWindow::showCalculation(const CalculateOutcome& outcome)
{
    mainGraph_->clear();
    mainGraph_->drawGrid();
    text2_->setPlainText(
        toQt(outcome.listing).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    mainGraph_->stroke(outcome.segments);
    if (!outcome.refused &&
        isSignalConnected(QMetaMethod::fromSignal(&MainWindow::tableAnalysed)))
        emit tableAnalysed(commands_.analysis(), userDecimalSeparator());
    for (const Message& message : outcome.messages)
        showMessage(message);
}

void MainWindow::Command1_Click()
{
    showCalculation(commands_.calculate(userDecimalSeparator()));
}

void MainWindow::Command3_Click()
{
    const auto step = commands_.reset();
    mainGraph_->clear();
    text2_->clear();
    mainGraph_->drawGrid();
    history_->record(step);
}

void MainWindow::showCurveTexts(const CurveTexts& texts, MainGraphRedraw redraw)
{
    Inputs in = inputs_.values();
    applyCurveTexts(texts, in);
    inputs_.assign(in);
    switch (redraw) {
    case MainGraphRedraw::None:
        break;
    case MainGraphRedraw::GridOnly:
        mainGraph_->clear();
        mainGraph_->drawGrid();
        break;
    case MainGraphRedraw::SelectedMethod:
        DrawCurvesBySelectedMethod();
        break;
    case MainGraphRedraw::ByPoints:
        DrawCurvesByPoints();
        break;
    }
}

bool MainWindow::saveTable()
{
    const CalculatorCommands::TableWrite written = commands_.saveTable();
    if (written.failure)
        showMessage(*written.failure);
    return written.written.ok;
}

void MainWindow::save_table_Click()
{
    saveTable();
}

void MainWindow::Command2_Click()
{
    saveTable();
}

void MainWindow::settings_Click()
{
    SettingsPanel& panel = settingsPanel();
    panel.show();
    panel.raise();
    commands_.takeSettingsSnapshot();
}

void MainWindow::Command4_Click()
{
    if (const auto refused = commands_.checkSettings()) {
        showMessage(*refused);
        return;
    }
    settings_->hide();
    showInputPanels();
}

void MainWindow::Command5_Click()
{
    settings_->hide();
    commands_.restoreSettingsSnapshot();
}

void MainWindow::showInputPanels()
{
    curves_->showMethod(inputs_.byCoefficients());
    curves_->showSelectedCharacteristic();
}

void MainWindow::TabStrip1_Click()
{
    curves_->showSelectedCharacteristic();
    DrawCurvesBySelectedMethod();
}

void MainWindow::make_hex_Click()
{
    const CalculatorCommands::FirmwareStart start =
        commands_.prepareFirmware(userDecimalSeparator());
    showCalculation(start.calculation);
    if (start.writeFailure)
        showMessage(*start.writeFailure);
    if (start.build)
        firmware_->build(fromPath(commands_.files().table), startFolder_);
}

void MainWindow::open_table_Click()
{
    viewer_->open(fromPath(commands_.files().table));
}

void MainWindow::applyEnginePreset(std::size_t preset)
{
    const EnginePreset& chosen = kEnginePresets[preset];
    const int ch = selectedCharacteristic();
    const auto step = commands_.changeCurveFields(
        FieldCommand::EnginePreset,
        [&](Inputs& in) {
            applyPreset(chosen, in, ch);
            return true;
        },
        &chosen);
    DrawCurvesBySelectedMethod();
    history_->record(step);
}

void MainWindow::open_map_Click()
{
    // Only the field texts change; the graph keeps its curves until the next
    // redraw.
    const int ch = selectedCharacteristic();
    history_->record(commands_.changeCurveFields(
        FieldCommand::MapLoad, [&](Inputs& in) { return maps_->openMap(in, ch); }));
}

void MainWindow::save_map_Click()
{
    maps_->saveMap(inputs_.values(), selectedCharacteristic());
}

void MainWindow::about_programm_Click()
{
    AboutWindow::showSingle(services_.opener, this);
}

void MainWindow::accuracy_Click()
{
    AccuracyWindow* window = AccuracyWindow::showSingle(services_.dialogs, boxes_, this);
    // From now on it hears every calculation, until it closes.
    connect(this, &MainWindow::tableAnalysed, window, &AccuracyWindow::showAnalysis,
            Qt::UniqueConnection);
    window->showAnalysis(commands_.analysis(), userDecimalSeparator());
}

}  // namespace ign::ui
