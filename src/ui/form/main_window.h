// The calculator window "Form1". Its handlers gather the field texts, hand
// them to the core and show what comes back: the listing, the curves and the
// messages. The texts in the fields are the master copy of every input.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include <QMainWindow>

#include "model/calc_state.h"
#include "model/inputs.h"
#include "model/messages.h"
#include "model/table_analysis.h"
#include "ui/graphs/editor_graph.h"
#include "ui/graphs/main_graph.h"

namespace ign::ui {

struct FormControls;
class FileDialogs;
class FirmwareBuilder;
class MapCommands;
class MessageBoxes;
class PointsEditor;
class ProcessLauncher;
class RasterSurface;
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
    CalcState& calcState() { return state_; }
    // The points editor's angles, [characteristic][point 0..14].
    EditorPoints& editorPoints();
    PointsEditor& pointsEditor() { return *pointsEditor_; }
    // 1 for "График 1", 2 for "График 2".
    int selectedTab() const;
    bool byCoefficients() const;

    std::filesystem::path programFile(const char* fileName) const;
    MessageBoxes& messageBoxes() { return boxes_; }
    FirmwareBuilder& firmwareBuilder() { return *firmware_; }
    FormControls& controls() { return *controls_; }

    // The drawing procedures of the two graphs.
    void DrawMainGrid();
    void DrawCurvesByCoefficients();
    void DrawCurvesByPoints();
    void DrawEditorGrid();
    void DrawEditorCurves();
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
    void Combo2_GotFocus(int index);
    void Text4_KeyUp(int index);
    void Text6_KeyUp(int index);

    void open_table_Click();
    void make_hex_Click();
    void ij_Click();
    void ural_Click();
    void jawa_Click();
    void open_map_Click();
    void save_map_Click();
    void about_programm_Click();
    void accuracy_Click();

signals:
    // The window accepted its closing; the program ends.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
    // The characteristic the selected tab edits, 0 or 1.
    int selectedCharacteristic() const { return selectedTab() == 1 ? 0 : 1; }

    std::unique_ptr<MessageBoxes> ownBoxes_;
    MessageBoxes& boxes_;
    std::unique_ptr<FileDialogs> ownDialogs_;
    std::unique_ptr<ProcessLauncher> ownLauncher_;
    std::unique_ptr<UrlOpener> ownOpener_;
    FileDialogs& dialogs_;
    ProcessLauncher& launcher_;
    UrlOpener& opener_;
    QString programFolder_;
    QString startFolder_;
    std::unique_ptr<FormControls> controls_;
    MainGraph mainGraph_;
    EditorGraph editorGraph_;
    CalcState state_;
    // Of the last calculation that passed its checks, for the accuracy window.
    std::optional<TableAnalysis> analysis_;
    std::unique_ptr<FirmwareBuilder> firmware_;
    std::unique_ptr<TableViewer> viewer_;
    std::unique_ptr<MapCommands> maps_;
    // A child of the window, living as long as it does.
    PointsEditor* pointsEditor_ = nullptr;
};

}  // namespace ign::ui
