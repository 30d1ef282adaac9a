// "Точность таблицы": the advance the controller really fires at every crank
// period beside the wanted curve, and the deviation below, for the last
// calculation. Modeless and never more than one; the main window hands it
// every later calculation while it is open.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QWidget>

#include "model/table_analysis.h"

class QLabel;
class QPushButton;

namespace ign::ui {

class FileDialogs;
class MessageBoxes;
class PlotGroup;
class PlotWidget;

class AccuracyWindow final : public QWidget {
    Q_OBJECT
public:
    // Creates the window on first use and shows it modeless; while it is open
    // the same window is brought up again. The services must outlive it.
    static AccuracyWindow* showSingle(FileDialogs& dialogs, MessageBoxes& boxes, QWidget* owner);
    // The window now open, or nothing.
    static AccuracyWindow* instance();

    // Nothing: no calculation has passed its checks yet.
    void showAnalysis(std::optional<TableAnalysis> analysis, char decimalSeparator);

    // The whole speed range again on both charts.
    void resetZoom();
    void savePicture();
    void saveData();

private:
    AccuracyWindow(FileDialogs& dialogs, MessageBoxes& boxes, QWidget* owner);
    void fillCharts();
    void showReading(double rpm, double value, bool deviationChart);
    // `bytes` makes the file's contents once a file name has been chosen.
    void writeChosen(const QString& title, const QString& filter, const QString& fileName,
                     const std::function<std::string()>& bytes);

    FileDialogs& dialogs_;
    MessageBoxes& boxes_;
    std::optional<TableAnalysis> analysis_;
    char separator_ = '.';
    QLabel* summary_[2] = {};
    QLabel* noTable_ = nullptr;
    QLabel* reading_ = nullptr;
    QWidget* charts_ = nullptr;  // both chart views, as the picture shows them
    PlotWidget* advanceChart_ = nullptr;
    PlotWidget* deviationChart_ = nullptr;
    PlotGroup* group_ = nullptr;  // both charts show the same speeds
    QPushButton* buttons_[3] = {};
};

}  // namespace ign::ui
