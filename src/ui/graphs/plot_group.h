// Charts of the same x values stacked over one another: a zoom on one shows
// the same range on all, and their plot areas line up, whatever the width of
// each one's labels and legend.
#pragma once

#include <QObject>

#include <vector>

#include "ui/graphs/plot_widget.h"

namespace ign::ui {

class PlotGroup final : public QObject {
    Q_OBJECT
public:
    explicit PlotGroup(QObject* parent = nullptr) : QObject(parent) {}

    // The chart must live as long as the group.
    void add(PlotWidget* chart);
    // The range every chart zooms within, shown whole.
    void setFullXRange(PlotRange range);
    void showFullRange();

private:
    void follow(const PlotWidget* from, PlotRange range);
    void alignSides();

    std::vector<PlotWidget*> charts_;
};

}  // namespace ign::ui
