// The calculator window "Form1". The inputs live in the inputs model, which
// every field shows; the commands work on it through the core's commands
// class, and the handlers here show what came back: the listing, the curves
// and the messages.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include <QMainWindow>

#include "model/calc_state.h"
#include "model/field_steps.h"
#include "model/inputs_model.h"
#include "model/messages.h"
#include "model/table_analysis.h"
#include "output/calculator_commands.h"
#include "ui/graphs/editor_graph.h"
#include "ui/graphs/main_graph.h"
#include "ui/platform/window_services.h"

class QAction;
class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace ign::ui {

class CurvePanels;
class EditorOverlay;
class FieldBinder;
class FieldHistory;
class FileDialogs;
class FirmwareBuilder;
class MapCommands;
class MessageBoxes;
class PointsEditor;
class ProcessLauncher;
class RasterSurface;
class ReadingBox;
class SettingsPanel;
class TableViewer;
class UrlOpener;

// Pixel size of the window's inner area.
inline constexpr int kFormWidth = 785;
inline constexpr int kFormHeight = 552;

struct MainWindowOptions {
    // Where Data.dat and IgnTable.asm live; when empty, the executable's folder
    // or, where that cannot be written, the user's data folder.
    QString programFolder;
    // Where the firmware build looks for kom.ASM first; when empty, the
    // current folder.
    QString startFolder;
    // The platform services; the real ones for each that is null.
    MessageBoxes* messageBoxes = nullptr;
    FileDialogs* fileDialogs = nullptr;
    ProcessLauncher* processLauncher = nullptr;
    UrlOpener* urlOpener = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(MainWindowOptions options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Every input; changing it here changes what the fields show.
    InputsModel& inputs() { return inputs_; }
    const CalcState& calcState() const { return commands_.state(); }
    // Built with its overlay at the first call, so the start does not pay
    // for it.
    PointsEditor& pointsEditor();

    void DrawCurvesByCoefficients();
    // Redraws the wanted curves the way the calculation method asks for.
    void DrawCurvesBySelectedMethod();

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void save_table_Click();
    void settings_Click();
    void Command4_Click();
    void Command5_Click();
    void exit_Click();
    void TabStrip1_Click();

    void open_table_Click();
    void make_hex_Click();
    void open_map_Click();
    void save_map_Click();
    void about_programm_Click();
    void accuracy_Click();

signals:
    // The window accepted its closing; the program ends.
    void programEnded();
    // A calculation that was not refused, analysed; sent only while someone
    // listens, as the analysis takes a while.
    void tableAnalysed(std::optional<ign::TableAnalysis> analysis, char decimalSeparator);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // 1 for "График 1", 2 for "График 2".
    int selectedTab() const;
    std::filesystem::path programFile(const char* fileName) const;
    void DrawCurvesByPoints();
    void openPointsEditor();
    void applyEditorPoints();

    void Form_Load();
    // False when the user chose to stay.
    bool Form_Unload();
    void showMessage(const Message& message);
    void showCalculation(const CalculateOutcome& outcome);
    // Writes IgnTable.asm; a failed write leaves the results unsaved and says
    // why.
    bool saveTable();
    void showInputPanels();
    void applyEnginePreset(std::size_t preset);
    // Taking a step back or doing it again: the texts, then the main graph.
    void showCurveTexts(const CurveTexts& texts, MainGraphRedraw redraw);
    // The characteristic the selected tab edits, 0 or 1.
    int selectedCharacteristic() const { return selectedTab() == 1 ? 0 : 1; }

    // The form and its controls (main_window_layout.cpp).
    void buildForm();
    void buildGraph();
    void buildSpeedLimits();
    void buildListingAndButtons();
    void buildMenu();
    void finishLayout();
    // What the first picture does not show, just after it.
    void completeForm();
    SettingsPanel& settingsPanel();
    EditorOverlay& buildEditor();

    WindowServices services_;
    MessageBoxes& boxes_;
    QString programFolder_;
    QString startFolder_;
    InputsModel inputs_;
    CalculatorCommands commands_;
    std::unique_ptr<FieldBinder> binder_;

    QWidget* form_ = nullptr;
    QLabel* label3_ = nullptr;
    RasterSurface* picture1_ = nullptr;
    RasterSurface* picture2_ = nullptr;
    RasterSurface* picture3_ = nullptr;
    QLabel* label2_0_ = nullptr;
    std::array<QLabel*, 4> speedLabels_{};  // Label1(4), (3), (7), (8)
    std::array<QComboBox*, 2> combo2_{};
    QPlainTextEdit* text2_ = nullptr;
    ReadingBox* text3_ = nullptr;  // null until the form is complete
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    CurvePanels* curves_ = nullptr;
    SettingsPanel* settings_ = nullptr;  // built just after the first picture
    std::unique_ptr<EditorOverlay> editor_;  // built at the editor's first opening

    std::optional<MainGraph> mainGraph_;
    std::optional<EditorGraph> editorGraph_;
    std::unique_ptr<FirmwareBuilder> firmware_;
    std::unique_ptr<TableViewer> viewer_;
    std::unique_ptr<MapCommands> maps_;
    // Children of the window, living as long as it does.
    PointsEditor* pointsEditor_ = nullptr;
    FieldHistory* history_ = nullptr;
};

}  // namespace ign::ui
