#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include <QImage>

#include "ui/graphs/plot_axis.h"
#include "ui/graphs/plot_widget.h"

namespace ign::ui::test {
namespace {

std::string labels(const AxisTicks& ticks, char separator)
{
    std::string out;
    for (double v : ticks.values)
        out += (out.empty() ? "" : " ") + tickLabel(v, ticks, separator);
    return out;
}

struct TickRow {
    const char* what;
    double low, high;
    int maxIntervals;
    bool outside;
    char separator;
    const char* expected;
};

TEST(PlotAxis, TicksAreRoundAndFitTheRoom)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const TickRow rows[] = {
        {"the whole speed range of the default inputs", 900, 14648.4, 9, false, '.',
         "2000 4000 6000 8000 10000 12000 14000"},
        {"zoomed in on a few periods", 14000, 14100, 4, false, '.', "14000 14050 14100"},
        {"the deviation chart, symmetric", -1.001, 1.001, 5, false, '.',
         "-1.0 -0.5 0.0 0.5 1.0"},
        {"the user's decimal comma", -1.001, 1.001, 5, false, ',', "-1,0 -0,5 0,0 0,5 1,0"},
        {"tenths that binary cannot hold stay on the range", 0.1, 0.4, 3, false, '.',
         "0.1 0.2 0.3 0.4"},
        {"fewer labels when there is less room", -7.3, 2.2, 4, false, '.', "-5 0"},
        {"no room at all still gives one step", 0, 10, 0, false, '.', "0 10"},
        {"the advance range widened to labels", 2.5, 41.6, 6, true, '.', "0 10 20 30 40 50"},
        {"widened, around zero", -0.55, 0.55, 6, true, '.',
         "-0.6 -0.4 -0.2 0.0 0.2 0.4 0.6"},
        {"an empty range has no ticks", 1, 1, 5, false, '.', ""},
        {"an undefined range has no ticks", 0, nan, 5, true, '.', ""},
        {"an inverted range has no ticks", 5, 1, 5, false, '.', ""},
    };
    for (const TickRow& row : rows) {
        const AxisTicks ticks = row.outside ? roundTicksOutside(row.low, row.high, row.maxIntervals)
                                            : roundTicks(row.low, row.high, row.maxIntervals);
        EXPECT_EQ(labels(ticks, row.separator), row.expected) << row.what;
        for (double v : ticks.values) {
            if (!row.outside) {
                EXPECT_GE(v, row.low - 1e-9) << row.what;
                EXPECT_LE(v, row.high + 1e-9) << row.what;
            }
        }
        if (ticks.values.size() > 1) {
            EXPECT_LE(int(ticks.values.size()) - 1, std::max(1, row.maxIntervals) + 2 * row.outside)
                << row.what;
        }
    }
}

// A line is not bridged over a stretch where it has no value, wherever the
// stretch lies and however the line is dashed; the same points without the
// gap are drawn through it.
TEST(PlotWidget, UndefinedStretchStaysEmpty)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (Qt::PenStyle style : {Qt::SolidLine, Qt::DashLine}) {
        for (bool gap : {true, false}) {
            PlotWidget chart(QStringLiteral("x"), QStringLiteral("y"));
            chart.resize(500, 240);
            PlotLine line{QString(), QColor(255, 0, 0), style, {}};
            for (int x = 0; x <= 100; ++x)
                line.points.emplace_back(x, gap && x > 40 && x < 60 ? nan : 5 + x / 20.0);
            chart.addLine(line);
            chart.setYRange({0, 10});
            chart.setFullXRange({0, 100});
            const QImage picture = chart.grab().toImage();
            // Two columns a value apart are more than a dash's gap apart.
            const auto redInColumn = [&](double x) {
                const int column = int(chart.toPixel({x, 0}).x());
                int n = 0;
                for (int y = chart.plotArea().top(); y <= chart.plotArea().bottom(); ++y) {
                    const QColor c = picture.pixelColor(column, y);
                    n += c.red() > 200 && c.green() < 100 && c.blue() < 100;
                }
                return n;
            };
            const std::string what = std::string(style == Qt::DashLine ? "dashed" : "solid") +
                (gap ? ", with a gap" : ", whole");
            EXPECT_GT(redInColumn(20.5) + redInColumn(21.5), 0) << what;
            EXPECT_GT(redInColumn(80.5) + redInColumn(81.5), 0) << what;
            for (double x : {44.5, 50.0, 55.5})
                EXPECT_EQ(redInColumn(x) + redInColumn(x + 1) > 0, !gap) << what << " at " << x;
        }
    }
}

}  // namespace
}  // namespace ign::ui::test
