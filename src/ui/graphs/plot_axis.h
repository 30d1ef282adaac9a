// Where a chart axis puts its ticks: round values a reader can add up in his
// head (1, 2 or 5 times a power of ten apart), never more than fit.
#pragma once

#include <string>
#include <vector>

namespace ign::ui {

struct AxisTicks {
    double step = 0;
    int decimals = 0;  // fraction digits that show every tick exactly
    std::vector<double> values;  // ascending, all inside the range asked for
};

// The ticks inside [low, high] with the smallest round step that gives at most
// `maxIntervals` steps across the range; none for an empty or undefined range.
AxisTicks roundTicks(double low, double high, int maxIntervals);

// [low, high] widened to the round ticks just outside it, so the axis starts
// and ends with a label.
AxisTicks roundTicksOutside(double low, double high, int maxIntervals);

// A tick label with the ticks' fraction digits and the user's separator.
std::string tickLabel(double value, const AxisTicks& ticks, char decimalSeparator);

}  // namespace ign::ui
