// Every control of the main window, created and placed once. The window's
// handlers reach the controls through here; the panels keep their own fields.
#pragma once

#include <array>
#include <memory>

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
class MessageBoxes;
class RasterSurface;
class SettingsPanel;
class TablePanel;

// Pixel size of the window's inner area.
inline constexpr int kFormWidth = 785;
inline constexpr int kFormHeight = 552;

struct FormControls {
    FormControls(QMainWindow* window, MessageBoxes& boxes);
    ~FormControls();
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    // The window's colour on the form and its pictures, the panels put in
    // place; done once the window has its final size.
    void finishLayout();
    // The field a message points the user to, or null.
    QWidget* field(Highlight highlight) const;

    QWidget* form = nullptr;
    QLabel* label3 = nullptr;
    RasterSurface* picture1 = nullptr;
    RasterSurface* picture2 = nullptr;
    RasterSurface* picture3 = nullptr;
    QLabel* image4 = nullptr;
    QLabel* label2_0 = nullptr;
    QPlainTextEdit* text3 = nullptr;
    // Captions and units of the two speed limits: Label1(4), (3), (7), (8).
    std::array<QLabel*, 4> speedLabels{};
    std::array<QComboBox*, 2> combo2{};
    QPlainTextEdit* text2 = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;
    QPushButton* command3 = nullptr;

    std::unique_ptr<CurvePanels> curves;
    SettingsPanel* settings = nullptr;
    std::unique_ptr<TablePanel> table;
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
    QAction* accuracy = nullptr;
    QAction* about_programm = nullptr;
    QAction* exit = nullptr;

private:
    void buildGraph();
    void buildSpeedLimits();
    void buildListingAndButtons();
    void buildMenu(QMainWindow* window);
};

}  // namespace ign::ui
