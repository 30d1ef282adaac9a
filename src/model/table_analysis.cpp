#include "model/table_analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/advance.h"
#include "model/calculate.h"
#include "model/geometry.h"
#include "model/numbers.h"
#include "model/timing_table.h"

namespace ign {
namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

// The wanted advance of one characteristic at any speed, in double: the
// points curve as the main graph draws it.
struct WantedCurve {
    bool byCoefficients = true;
    double a = 0, b = 0, c = 0;
    CurvePoints points{};

    double at(double rpm) const
    {
        if (!byCoefficients)
            return pointsCurveAt(points, rpm);
        return formulaAdvance<double, double>(a, b, c, rpm);
    }
};

WantedCurve wantedCurve(const CalcState& s, const Inputs& in, int ch)
{
    const auto c = static_cast<std::size_t>(ch);
    WantedCurve w;
    w.byCoefficients = in.byCoefficients();
    w.a = s.coefA[c];
    w.b = s.coefB[c];
    w.c = s.coefC[c];
    for (int j = 0; j <= kTopPoint; ++j)
        w.points[static_cast<std::size_t>(j)] =
            leadingNumber(in.text6[static_cast<std::size_t>(pointField(ch, j))]);
    return w;
}

}  // namespace

FiringInputs firingInputs(const CalcState& s)
{
    return {double{s.initialAdvanceDeg} + s.pulseGapDeg, s.tickSec, s.inputDelaySec};
}

FiringInputs firingInputs(const Inputs& in)
{
    CalcState converted;
    convertSensorFields(converted, in);
    converted.tickSec = prescalerTickSec(in);
    return firingInputs(converted);
}

double firedAdvance(const FiringInputs& f, double k, double b, std::int32_t periodTicks)
{
    // The delay runs from the negative pulse, which the controller saw late
    // by the input delay.
    const double rpm = periodRpm(periodTicks, f.tickSec);
    const double delaySec = firedDelayTicks(k, -b, periodTicks) * f.tickSec;
    return f.sensorAngleDeg - 6 * rpm * delaySec - 6 * rpm * f.inputDelaySec;
}

FiredTable fireTable(const ControllerTable& table, const FiringInputs& firing)
{
    FiredTable out;
    out.nminRpm = periodRpm(table.tmaxTicks(), firing.tickSec);
    out.nmaxRpm = periodRpm(table.tminTicks(), firing.tickSec);
    out.periods.resize(static_cast<std::size_t>(kLastAnalysedPeriod - kFirstAnalysedPeriod + 1));
    auto row = out.periods.begin();
    for (std::int32_t e = kFirstEntry; e <= kLastEntry; ++e) {
        const std::array<bool, 2> fits{table.entryFits(0, e), table.entryFits(1, e)};
        for (std::int32_t t = entryPeriodTicks(e); t < entryPeriodTicks(e + 1); ++t, ++row) {
            row->periodTicks = t;
            row->entry = e;
            row->rpm = periodRpm(t, firing.tickSec);
            for (int ch = 0; ch < 2; ++ch) {
                const auto c = static_cast<std::size_t>(ch);
                row->wanted[c] = kUndefined;
                row->achieved[c] = fits[c]
                    ? firedAdvance(firing, table.slope(ch, e), table.offsetByte(ch, e), t)
                    : kUndefined;
            }
        }
    }
    return out;
}

std::string firedTableListing(const ControllerTable& table, const FiredTable& fired,
                              char decimalSeparator)
{
    std::string out;
    for (int ch = 0; ch < 2; ++ch) {
        out += listingHeading(ch);
        for (int e = kFirstEntry; e <= kLastEntry; ++e) {
            const PeriodAdvance& p =
                fired.periods[static_cast<std::size_t>(entryPeriodTicks(e) - kFirstAnalysedPeriod)];
            appendEntryColumns(out, e, table.slope(ch, e), table.offsetByte(ch, e), p.rpm,
                               p.achieved[static_cast<std::size_t>(ch)], decimalSeparator);
            out += "\r\n";
        }
        out += "\r\n";
    }
    out += "Nmin ";
    appendFixed(out, fired.nminRpm, 0, decimalSeparator);
    out += " об/мин (Tmax " + std::to_string(table.tmaxTicks()) + "), Nmax ";
    appendFixed(out, fired.nmaxRpm, 0, decimalSeparator);
    out += " об/мин (Tmin " + std::to_string(table.tminTicks()) + ")\r\n";
    return out;
}

TableAnalysis analyseTable(const CalcState& s, const Inputs& in)
{
    TableAnalysis out;
    const ControllerTable table = calculatedTable(s);
    out.periods = fireTable(table, firingInputs(s)).periods;
    out.nminRpm = leadingNumber(in.combo2[0]);
    out.nmaxRpm = leadingNumber(in.combo2[1]);
    const std::array<WantedCurve, 2> wanted{wantedCurve(s, in, 0), wantedCurve(s, in, 1)};
    for (PeriodAdvance& p : out.periods)
        for (std::size_t ch = 0; ch < 2; ++ch)
            p.wanted[ch] = wanted[ch].at(p.rpm);
    for (int ch = 0; ch < 2; ++ch)
        for (int e = kFirstEntry; e <= kLastEntry; ++e)
            if (!table.entryFits(ch, e))
                ++out.summary[static_cast<std::size_t>(ch)].entriesOutOfRange;

    for (std::size_t ch = 0; ch < 2; ++ch) {
        AnalysisSummary& sum = out.summary[ch];
        for (const PeriodAdvance& p : out.periods) {
            const double deviation = std::fabs(p.deviation(static_cast<int>(ch)));
            if (!std::isfinite(deviation))
                continue;
            if (!sum.defined || deviation > sum.largestDeviation) {
                sum.largestDeviation = deviation;
                sum.largestAtRpm = p.rpm;
            }
            sum.defined = true;
            if (p.periodTicks == entryPeriodTicks(p.entry) && deviation > sum.largestAtEntrySpeeds)
                sum.largestAtEntrySpeeds = deviation;
        }
    }
    return out;
}

namespace {

// The period whose speed lies nearest `rpm` (the analysis must have periods).
const PeriodAdvance& nearestPeriod(const TableAnalysis& analysis, double rpm)
{
    const auto& rows = analysis.periods;
    // Descending speed: the first row at or below rpm, or the one before it.
    auto it = std::partition_point(rows.begin(), rows.end(),
                                   [rpm](const PeriodAdvance& p) { return p.rpm > rpm; });
    if (it == rows.end())
        return rows.back();
    if (it != rows.begin() && std::prev(it)->rpm - rpm < rpm - it->rpm)
        return *std::prev(it);
    return *it;
}

}  // namespace

std::string analysisReading(const TableAnalysis& analysis, double rpm, double value,
                            bool deviationChart, char decimalSeparator)
{
    const PeriodAdvance& p = nearestPeriod(analysis, rpm);
    const auto distance = [&](int ch) {
        const auto c = static_cast<std::size_t>(ch);
        const double d = deviationChart
            ? std::fabs(p.deviation(ch) - value)
            : std::fmin(std::fabs(p.wanted[c] - value), std::fabs(p.achieved[c] - value));
        return std::isnan(d) ? std::numeric_limits<double>::infinity() : d;
    };
    const int ch = distance(1) < distance(0) ? 1 : 0;
    const auto angle = [&](double v) {
        return std::isfinite(v) ? formatFixed(v, 2, decimalSeparator) + "°" : "не определён";
    };
    std::string out = formatFixed(p.rpm, 0, decimalSeparator) + " об/мин, характеристика " +
        std::to_string(ch + 1) + ": желаемый УОЗ " + angle(p.wanted[static_cast<std::size_t>(ch)]) +
        ", фактический " + angle(p.achieved[static_cast<std::size_t>(ch)]) + ", отклонение ";
    const double deviation = p.deviation(ch);
    out += std::isfinite(deviation) ? formatFixed(deviation, 2, decimalSeparator) + "°"
                                    : "не определено";
    return out;
}

std::string analysisSummaryLine(const TableAnalysis& analysis, int ch, char decimalSeparator)
{
    const AnalysisSummary& sum = analysis.summary[static_cast<std::size_t>(ch)];
    std::string line = "Характеристика " + std::to_string(ch + 1) + ": ";
    if (sum.defined) {
        line += "наибольшее отклонение ";
        appendFixed(line, sum.largestDeviation, 2, decimalSeparator);
        line += "° при ";
        appendFixed(line, sum.largestAtRpm, 0, decimalSeparator);
        line += " об/мин (в точках таблицы ";
        appendFixed(line, sum.largestAtEntrySpeeds, 2, decimalSeparator);
        line += "°)";
    } else {
        line += "отклонение не определено";
    }
    if (sum.entriesOutOfRange > 0)
        line += "; точек таблицы с байтами вне 0...255: " + std::to_string(sum.entriesOutOfRange);
    return line;
}

}  // namespace ign
