#include "ui/form/main_window.h"

#include <array>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "model/calculate.h"
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
#include "ui/form/field_colours.h"
#include "ui/form/form_controls.h"
#include "ui/form/input_field.h"
#include "ui/form/settings_panel.h"
#include "ui/form/table_panel.h"
#include "ui/graphs/main_graph_mouse.h"
#include "ui/graphs/points_editor.h"
#include "ui/platform/decimal_separator.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/program_folder.h"
#include "ui/platform/qt_strings.h"
#include "ui/platform/window_services.h"
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
      controls_(std::make_unique<FormControls>(this)),
      mainGraph_(*controls_->picture1, *controls_->picture2, *controls_->picture3),
      firmware_(std::make_unique<FirmwareBuilder>(services_.launcher, services_.dialogs, boxes_,
                                                  this)),
      viewer_(std::make_unique<TableViewer>(services_.launcher, services_.opener, boxes_, this)),
      maps_(std::make_unique<MapCommands>(services_.dialogs, boxes_, this)),
      history_(new FieldHistory(
          controls_->undo, controls_->redo,
          [this](const CurveTexts& texts, MainGraphRedraw redraw) {
              showCurveTexts(texts, redraw);
          },
          this))
{
    controls_->formCompleted = [this] {
        new MainGraphMouse(*controls_->picture1, *controls_->text3, this);
    };
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowCaption());
    connectHandlers();
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectHandlers()
{
    FormControls& c = *controls_;
    connect(c.command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(c.command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(c.command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(c.save_table, &QAction::triggered, this, &MainWindow::save_table_Click);
    connect(c.settingsCommand, &QAction::triggered, this, &MainWindow::settings_Click);
    connect(c.exit, &QAction::triggered, this, &MainWindow::exit_Click);
    connect(c.open_table, &QAction::triggered, this, &MainWindow::open_table_Click);
    connect(c.make_hex, &QAction::triggered, this, &MainWindow::make_hex_Click);
    const std::array<QAction*, 3> presets{c.ij, c.ural, c.jawa};  // as kEnginePresets
    for (std::size_t i = 0; i < presets.size(); ++i)
        connect(presets[i], &QAction::triggered, this, [this, i] { applyEnginePreset(i); });
    connect(c.open_map, &QAction::triggered, this, &MainWindow::open_map_Click);
    connect(c.save_map, &QAction::triggered, this, &MainWindow::save_map_Click);
    connect(c.about_programm, &QAction::triggered, this, &MainWindow::about_programm_Click);
    connect(c.accuracy, &QAction::triggered, this, &MainWindow::accuracy_Click);
    connect(c.curves->tabStrip(), &QTabWidget::currentChanged, this, &MainWindow::TabStrip1_Click);
    c.settingsBuilt = [this](SettingsPanel& panel) {
        connect(&panel, &SettingsPanel::applied, this, &MainWindow::showInputPanels);
        connect(&panel, &SettingsPanel::refused, this, &MainWindow::showMessage);
    };
    // The points editor is built at the first double click, which it cannot
    // hear itself; from then on it asks for the opening on its own.
    connect(c.picture1, &RasterSurface::doubleClicked, this, [this] {
        if (!pointsEditor_)
            openPointsEditor();
    });
    for (int i = 0; i < 6; ++i)
        connect(c.curves->text4(i), &InputField::keyReleased, this,
                &MainWindow::DrawCurvesByCoefficients);
    c.curves->pointKeyReleased = [this] { DrawCurvesByPoints(); };
    for (QComboBox* combo : c.combo2)
        clearHighlightOnFocus(combo);
}

Inputs MainWindow::gatherInputs() const
{
    Inputs in;
    controls_->readInto(in);
    return in;
}

void MainWindow::showInputs(const Inputs& in)
{
    controls_->applyFrom(in);
}

int MainWindow::selectedTab() const
{
    return controls_->curves->selectedTab();
}

bool MainWindow::byCoefficients() const
{
    return controls_->byCoefficients();
}

std::filesystem::path MainWindow::programFile(const char* fileName) const
{
    return toPath(QDir(programFolder_).filePath(QLatin1String(fileName)));
}

void MainWindow::DrawCurvesByCoefficients()
{
    mainGraph_.redraw(coefficientCurves(gatherInputs(), state_.entryRpm));
}

void MainWindow::DrawCurvesByPoints()
{
    mainGraph_.redraw(pointCurves(gatherInputs()));
}

PointsEditor& MainWindow::pointsEditor()
{
    if (pointsEditor_)
        return *pointsEditor_;
    FormControls& c = *controls_;
    EditorOverlay& overlay = c.buildEditor();
    editorGraph_.emplace(*overlay.picture4(), *overlay.picture5(), *overlay.picture6());
    editorGraph_->drawGrid();
    pointsEditor_ = new PointsEditor(overlay, *editorGraph_, *c.picture1, this);
    connect(pointsEditor_, &PointsEditor::openRequested, this, &MainWindow::openPointsEditor);
    connect(pointsEditor_, &PointsEditor::applied, this, &MainWindow::applyEditorPoints);
    // While the editor is open the menu's Undo and Redo work on its steps.
    connect(pointsEditor_, &PointsEditor::closed, this, [this] { history_->activate(nullptr); });
    return *pointsEditor_;
}

void MainWindow::openPointsEditor()
{
    PointsEditor& editor = pointsEditor();
    editor.open(editorPoints(gatherInputs()));
    history_->activate(&editor.steps());
}

void MainWindow::applyEditorPoints()
{
    const Inputs before = gatherInputs();
    Inputs in = before;
    storeEditorPoints(pointsEditor_->points(), in);
    controls_->curves->applyPointsFrom(in);
    DrawCurvesByPoints();
    history_->record(fieldStep(FieldCommand::EditorApply, before, in));
}

void MainWindow::DrawCurvesBySelectedMethod()
{
    if (byCoefficients())
        DrawCurvesByCoefficients();
    else
        DrawCurvesByPoints();
}

void MainWindow::showMessage(const Message& message)
{
    if (QWidget* field = controls_->field(message.highlight))
        highlightField(field);
    boxes_.inform(this, toQt(message.text), windowCaption(), message.icon);
}

void MainWindow::Command1_Click()
{
    const Inputs in = gatherInputs();
    const CalculateOutcome outcome = calculate(state_, in, userDecimalSeparator());
    mainGraph_.clear();
    mainGraph_.drawGrid();
    controls_->text2->setPlainText(
        toQt(outcome.listing).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    mainGraph_.stroke(outcome.segments);
    if (!outcome.refused) {
        calculated_.emplace(state_, in);
        if (AccuracyWindow* accuracy = AccuracyWindow::instance())
            accuracy->showAnalysis(analysis(), userDecimalSeparator());
    }
    for (const Message& message : outcome.messages)
        showMessage(message);
}

void MainWindow::Command3_Click()
{
    const Inputs before = gatherInputs();
    Inputs in = before;
    reset(state_, in);
    mainGraph_.clear();
    controls_->text2->clear();
    mainGraph_.drawGrid();
    controls_->curves->applyFrom(in);
    history_->record(fieldStep(FieldCommand::Reset, before, in));
}

void MainWindow::showCurveTexts(const CurveTexts& texts, MainGraphRedraw redraw)
{
    Inputs in = gatherInputs();
    applyCurveTexts(texts, in);
    controls_->curves->applyFrom(in);
    switch (redraw) {
    case MainGraphRedraw::None:
        break;
    case MainGraphRedraw::GridOnly:
        mainGraph_.clear();
        mainGraph_.drawGrid();
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
    const std::filesystem::path file = programFile(kTableSourceFileName);
    const WriteResult r = saveResults(file, state_, gatherInputs());
    if (!r.ok)
        tellWriteFailure(file, r.reason);
    return r.ok;
}

void MainWindow::tellWriteFailure(const std::filesystem::path& file, const std::string& reason)
{
    boxes_.inform(this, toQt(writeFailureText(file, reason)), windowCaption(), Icon::Critical);
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
    controls_->settingsPanel().settings_Click();
}

void MainWindow::showInputPanels()
{
    controls_->curves->showMethod(byCoefficients());
    controls_->curves->showSelectedCharacteristic();
}

void MainWindow::TabStrip1_Click()
{
    controls_->curves->showSelectedCharacteristic();
    DrawCurvesBySelectedMethod();
}

void MainWindow::make_hex_Click()
{
    // The build goes on after a refused calculation with the previous results,
    // but never from a table file that could not be written: the firmware
    // would carry an old table without a word.
    Command1_Click();
    if (saveTable())
        firmware_->build(QDir(programFolder_).filePath(QLatin1String(kTableSourceFileName)),
                         startFolder_);
}

void MainWindow::open_table_Click()
{
    viewer_->open(fromPath(programFile(kTableSourceFileName)));
}

void MainWindow::applyEnginePreset(std::size_t preset)
{
    const Inputs before = gatherInputs();
    Inputs in = before;
    applyPreset(kEnginePresets[preset], in, selectedCharacteristic());
    controls_->curves->applyFrom(in);
    DrawCurvesBySelectedMethod();
    history_->record(fieldStep(FieldCommand::EnginePreset, before, in, &kEnginePresets[preset]));
}

void MainWindow::open_map_Click()
{
    // Only the field texts change; the graph keeps its curves until the next
    // redraw.
    const Inputs before = gatherInputs();
    Inputs in = before;
    if (maps_->openMap(in, selectedCharacteristic())) {
        controls_->curves->applyFrom(in);
        history_->record(fieldStep(FieldCommand::MapLoad, before, in));
    }
}

void MainWindow::save_map_Click()
{
    maps_->saveMap(gatherInputs(), selectedCharacteristic());
}

void MainWindow::about_programm_Click()
{
    AboutWindow::showSingle(services_.opener, this);
}

void MainWindow::accuracy_Click()
{
    AccuracyWindow::showSingle(services_.dialogs, boxes_, this)
        ->showAnalysis(analysis(), userDecimalSeparator());
}

std::optional<TableAnalysis> MainWindow::analysis() const
{
    if (!calculated_)
        return std::nullopt;
    return analyseTable(calculated_->first, calculated_->second);
}

}  // namespace ign::ui
