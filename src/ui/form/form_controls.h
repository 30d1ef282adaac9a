// Every control of the main window, created and placed once. The window's
// handlers reach the controls through here; the panels keep their own fields.
// What the first picture does not show -- the settings, table and points
// panels, the main graph's reading box, the listing's font -- comes just
// after it, or sooner where something needs a panel; until then the panels'
// values are kept as their fields would keep them.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "model/inputs.h"
#include "model/messages.h"

class QAction;
class QComboBox;
class QLabel;
class QMainWindow;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace ign::ui {

class CurvePanels;
class EditorOverlay;
class RasterSurface;
class SettingsPanel;
class TablePanel;

// Pixel size of the window's inner area.
inline constexpr int kFormWidth = 785;
inline constexpr int kFormHeight = 552;

struct FormControls {
    explicit FormControls(QMainWindow* window);
    ~FormControls();
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    // The window's colour on the form and its pictures; done once the window
    // has its final size.
    void finishLayout();
    // Every field's text and every control's state, and back.
    void readInto(Inputs& in) const;
    void applyFrom(const Inputs& in);
    bool byCoefficients() const;
    SettingsPanel& settingsPanel();
    // Called once the settings panel exists, for the window to hear it.
    std::function<void(SettingsPanel&)> settingsBuilt;
    // Called once the whole form exists, just after its first picture.
    std::function<void()> formCompleted;
    // The points editor overlay, hidden, in the window's colour, with its
    // pictures cleared; called once, at its first opening.
    EditorOverlay& buildEditor();
    // The field a message points the user to, or null.
    QWidget* field(Highlight highlight);

    QWidget* form = nullptr;
    QLabel* label3 = nullptr;
    RasterSurface* picture1 = nullptr;
    RasterSurface* picture2 = nullptr;
    RasterSurface* picture3 = nullptr;
    QLabel* image4 = nullptr;
    QLabel* label2_0 = nullptr;
    QPlainTextEdit* text3 = nullptr;  // null until the form is complete
    // Captions and units of the two speed limits: Label1(4), (3), (7), (8).
    std::array<QLabel*, 4> speedLabels{};
    std::array<QComboBox*, 2> combo2{};
    QPlainTextEdit* text2 = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;
    QPushButton* command3 = nullptr;

    std::unique_ptr<CurvePanels> curves;
    // Built by buildEditor, so the start does not pay for it: null until then.
    std::unique_ptr<EditorOverlay> editor;

    QAction* save_table = nullptr;
    QAction* open_table = nullptr;
    QAction* make_hex = nullptr;
    QAction* settingsCommand = nullptr;  // object name "settings"
    QAction* ij = nullptr;
    QAction* ural = nullptr;
    QAction* jawa = nullptr;
    QAction* open_map = nullptr;
    QAction* save_map = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* accuracy = nullptr;
    QAction* about_programm = nullptr;
    QAction* exit = nullptr;

private:
    void completeForm();
    void buildReadingBox();

    SettingsPanel* settings_ = nullptr;
    std::unique_ptr<TablePanel> table_;
    // The settings and table values while their panels are not built.
    Inputs hiddenValues_;

    void buildGraph();
    void buildSpeedLimits();
    void buildListingAndButtons();
    void buildMenu(QMainWindow* window);
};

}  // namespace ign::ui
