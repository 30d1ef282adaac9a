#include "ui/graphs/plot_axis.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"

namespace ign::ui {
namespace {

// A tick too many would be drawn on top of its neighbour; a value a hair past
// the end from binary arithmetic (0.1 * 3) still counts as on the range.
constexpr double kOnTick = 1e-9;
// More would only mean a range far beyond what a chart can show.
constexpr int kMostTicks = 1000;

AxisTicks stepFor(double low, double high, int maxIntervals)
{
    AxisTicks ticks;
    const double span = high - low;
    if (!std::isfinite(span) || !(span > 0))
        return ticks;
    const double raw = span / std::max(1, maxIntervals);
    int exponent = int(std::floor(std::log10(raw)));
    double power = std::pow(10.0, exponent);
    double multiple = 10;
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw * (1 - kOnTick)) {
            multiple = m;
            break;
        }
    }
    if (multiple == 10) {
        multiple = 1;
        ++exponent;
        power *= 10;
    }
    ticks.step = multiple * power;
    ticks.decimals = std::max(0, -exponent);
    return ticks;
}

void fill(AxisTicks& ticks, double first, double last)
{
    if (ticks.step <= 0 || last - first > kMostTicks)
        return;
    // Each tick is a whole multiple of the step, not a running sum, so no
    // error piles up along the axis.
    for (double i = first; i <= last; ++i)
        ticks.values.push_back(i * ticks.step);
}

}  // namespace

AxisTicks roundTicks(double low, double high, int maxIntervals)
{
    AxisTicks ticks = stepFor(low, high, maxIntervals);
    if (ticks.step > 0)
        fill(ticks, std::ceil(low / ticks.step - kOnTick), std::floor(high / ticks.step + kOnTick));
    return ticks;
}

AxisTicks roundTicksOutside(double low, double high, int maxIntervals)
{
    AxisTicks ticks = stepFor(low, high, maxIntervals);
    if (ticks.step > 0)
        fill(ticks, std::floor(low / ticks.step + kOnTick), std::ceil(high / ticks.step - kOnTick));
    return ticks;
}

std::string tickLabel(double value, const AxisTicks& ticks, char decimalSeparator)
{
    return formatFixed(value, ticks.decimals, decimalSeparator);
}

}  // namespace ign::ui
