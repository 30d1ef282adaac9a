// The calculator window "Form1". Its handlers gather the field texts, hand
// them to the core and show what comes back: the listing, the curves and the
// messages. The texts in the fields are the master copy of every input.
#pragma once

#include <filesystem>
#include <memory>
#include <utility>
#include <optional>

#include <QMainWindow>

#include "model/calc_state.h"
#include "model/field_steps.h"
#include "model/inputs.h"
#include "model/messages.h"
#include "model/table_analysis.h"
#include "storage/settings_file.h"
#include "ui/graphs/editor_graph.h"
#include "ui/graphs/main_graph.h"
#include "ui/platform/window_services.h"

namespace ign::ui {

struct FormControls;
class EditorOverlay;
class FieldHistory;
class FileDialogs;
class FirmwareBuilder;
class MapCommands;
class MessageBoxes;
class PointsEditor;
class ProcessLauncher;
class TableViewer;
class UrlOpener;

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

    // The fields as plain data, and back; assigning texts redraws nothing.
    Inputs gatherInputs() const;
    void showInputs(const Inputs& in);

    const CalcState& calcState() const { return state_; }
    // Built with its overlay at the first call, so the start does not pay
    // for it.
    PointsEditor& pointsEditor();
    bool byCoefficients() const;

    void DrawCurvesByCoefficients();
    // Redraws the wanted curves the way the calculation method asks for.
    void DrawCurvesBySelectedMethod();

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void save_table_Click();
    void settings_Click();
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
    void connectHandlers();
    void showMessage(const Message& message);
    // Writes IgnTable.asm; a failed write leaves the results unsaved and says
    // why.
    bool saveTable();
    void tellWriteFailure(const std::filesystem::path& file, const std::string& reason);
    void showInputPanels();
    void applyEnginePreset(std::size_t preset);
    // Taking a step back or doing it again: the texts, then the main graph.
    void showCurveTexts(const CurveTexts& texts, MainGraphRedraw redraw);
    // The characteristic the selected tab edits, 0 or 1.
    int selectedCharacteristic() const { return selectedTab() == 1 ? 0 : 1; }

    WindowServices services_;
    MessageBoxes& boxes_;
    QString programFolder_;
    QString startFolder_;
    std::unique_ptr<FormControls> controls_;
    MainGraph mainGraph_;
    std::optional<EditorGraph> editorGraph_;
    CalcState state_;
    SettingsLoadResult settingsLoad_;  // what start-up found of Data.dat
    // Of the last calculation that passed its checks, for the accuracy window.
    // The state and inputs of the last Calculate that was not refused; the
    // accuracy analysis runs on them only while its window is open.
    std::optional<std::pair<CalcState, Inputs>> calculated_;
    std::optional<TableAnalysis> analysis() const;
    std::unique_ptr<FirmwareBuilder> firmware_;
    std::unique_ptr<TableViewer> viewer_;
    std::unique_ptr<MapCommands> maps_;
    // Children of the window, living as long as it does.
    PointsEditor* pointsEditor_ = nullptr;
    FieldHistory* history_ = nullptr;
};

}  // namespace ign::ui
