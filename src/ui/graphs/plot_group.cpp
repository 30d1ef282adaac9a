#include "ui/graphs/plot_group.h"

#include <algorithm>

namespace ign::ui {

void PlotGroup::add(PlotWidget* chart)
{
    charts_.push_back(chart);
    connect(chart, &PlotWidget::xRangeChanged, this,
            [this, chart](PlotRange range) { follow(chart, range); });
    connect(chart, &PlotWidget::sidesChanged, this, &PlotGroup::alignSides);
    alignSides();
}

void PlotGroup::setFullXRange(PlotRange range)
{
    for (PlotWidget* chart : charts_)
        chart->setFullXRange(range);
}

void PlotGroup::showFullRange()
{
    for (PlotWidget* chart : charts_)
        chart->setXRange(chart->fullXRange());
}

void PlotGroup::follow(const PlotWidget* from, PlotRange range)
{
    // A chart that already shows the range tells nothing, so this ends.
    for (PlotWidget* chart : charts_)
        if (chart != from)
            chart->setXRange(range);
}

void PlotGroup::alignSides()
{
    int left = 0;
    int right = 0;
    for (const PlotWidget* chart : charts_) {
        left = std::max(left, chart->neededLeft());
        right = std::max(right, chart->neededRight());
    }
    for (PlotWidget* chart : charts_)
        chart->setSideWidths(left, right);
}

}  // namespace ign::ui
