#include "model/timing_table.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "model/advance.h"
#include "model/geometry.h"
#include "model/numbers.h"

namespace ign {
namespace {

constexpr double kIntLimit = 2147483648.0;  // the bytes and periods are 32-bit integers at most

struct LineBytes {
    double k = 0;  // slope byte
    double b = 0;  // offset, the negation of the offset byte
};

// The controller's line inside one entry (firedDelayTicks). Starts
// from the slope between the entry's end points and moves k one step at a time
// until the offset fits in -255..0, or k reaches the end of its range. The
// offset only falls as k grows, so a long run of single steps is found by
// bisection instead; the result is the one the single steps give.
std::optional<LineBytes> fitLine(double delayLow, double delayHigh, double periodLow,
                                 double periodHigh, float slope)
{
    const auto offsetFor = [&](double k) {
        const float q = static_cast<float>(k / kSlopeUnit);
        return roundHalfAway(((delayHigh + delayLow) - q * (periodLow + periodHigh)) / 2);
    };
    double k = roundHalfAway(double{slope} * kSlopeUnit);
    if (!std::isfinite(k) || std::fabs(k) >= kIntLimit)
        return std::nullopt;

    for (int step = 0; step < 64; ++step) {
        const double b = offsetFor(k);
        if (!std::isfinite(b) || std::fabs(b) >= kIntLimit)
            return std::nullopt;
        if (b <= 0) {
            if (b >= -255)
                return LineBytes{k, b};
            if (k < 0)
                return LineBytes{0, b};
            // Step down to the first k whose offset is -255 or more, or to -1.
            double lo = -1, hi = k - 1;
            if (offsetFor(hi) >= -255) {
                k = hi;
                continue;
            }
            if (offsetFor(lo) < -255) {
                k = lo;
                continue;
            }
            while (hi - lo > 1) {  // offsetFor(lo) >= -255 > offsetFor(hi)
                const double mid = std::floor((lo + hi) / 2);
                (offsetFor(mid) >= -255 ? lo : hi) = mid;
            }
            k = lo;
        } else {
            if (k > 255)
                return LineBytes{255, b};
            // Step up to the first k whose offset is 0 or less, or to 256.
            double lo = k + 1, hi = 256;
            if (offsetFor(lo) <= 0 || lo >= hi) {
                k = lo;
                continue;
            }
            if (offsetFor(hi) > 0) {
                k = hi;
                continue;
            }
            while (hi - lo > 1) {  // offsetFor(lo) > 0 >= offsetFor(hi)
                const double mid = std::floor((lo + hi) / 2);
                (offsetFor(mid) > 0 ? lo : hi) = mid;
            }
            k = hi;
        }
    }
    return std::nullopt;  // an offset that oscillates has no valid line
}

void appendWhole(std::string& out, double v)
{
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
    out.append(buf, res.ptr);
}

}  // namespace

std::string listingHeading(int ch)
{
    return "************ Характеристика " + std::to_string(ch + 1) + " ************\r\n";
}

void appendEntryColumns(std::string& row, int entry, double k, double b, double rpm,
                        double achieved, char decimalSeparator)
{
    if (entry < 10)
        row += ' ';
    appendWhole(row, entry);
    row += ") ";
    if (k < 100)
        row += ' ';
    appendWhole(row, k);
    row += "   ";
    if (b < 100)
        row += ' ';
    appendWhole(row, b);
    row += "   ";
    appendFixed(row, rpm, 1, decimalSeparator);
    row += rpm < 1000 ? "  " : (rpm <= 10000 ? " " : "");
    row += "   ";
    appendFixed(row, achieved, 1, decimalSeparator);
}

TableRun computeTimingTable(CalcState& s, const Inputs& in, int ch, Rgb colour,
                            char decimalSeparator, TableOutput output)
{
    TableRun run;
    const bool listed = output == TableOutput::Listed;
    if (listed) {
        run.listing.reserve(1500);
        run.listing += listingHeading(ch);
    }
    auto& delay = s.delayTicks[static_cast<std::size_t>(ch)];
    const auto& period = s.entryPeriod;
    const double sensorAngle = double{s.initialAdvanceDeg} + s.pulseGapDeg;

    if (!in.byCoefficients())
        evaluatePointsCurve(s, in, ch);  // the same values for every entry
    for (std::size_t i = 1; i <= kEntries; ++i) {
        s.entryRpm[i] = entrySpeedRpm(period[i], s.tickSec);
        if (in.byCoefficients()) {
            const auto c = static_cast<std::size_t>(ch);
            s.entryAdvance[i] =
                coefficientAdvance(s.coefA[c], s.coefB[c], s.coefC[c], s.entryRpm[i]);
        }
        // Crank angle to wait after the pulse was seen, less the angle turned
        // during the input delay (6*rpm degrees per second), in timer ticks.
        delay[i] = static_cast<float>(
            (sensorAngle - s.entryAdvance[i] - 6 * double{s.inputDelaySec} * s.entryRpm[i]) *
            period[i] / 360);
        if (!std::isfinite(s.entryRpm[i]) || !std::isfinite(s.entryAdvance[i]) ||
            !std::isfinite(delay[i]))
            run.finite = false;
        if (i >= 3 && listed)
            run.segments.push_back(Segment{kMainGraphScale.x(s.entryRpm[i]),
                                           kMainGraphScale.y(s.entryAdvance[i]),
                                           kMainGraphScale.x(s.entryRpm[i - 1]),
                                           kMainGraphScale.y(s.entryAdvance[i - 1]), colour});
    }
    if (!run.finite)
        return run;

    for (std::size_t e = kFirstEntry; e <= kLastEntry; ++e) {
        const float slope = static_cast<float>((double{delay[e]} - delay[e + 1]) /
                                               (static_cast<double>(period[e]) - period[e + 1]));
        const auto line = fitLine(delay[e], delay[e + 1], period[e], period[e + 1], slope);
        if (!line) {
            run.finite = false;
            return run;
        }
        const double k = line->k;
        const double b = line->b;
        s.segSlope[static_cast<std::size_t>(ch)][e] = static_cast<float>(k);
        s.segOffset[static_cast<std::size_t>(ch)][e] = static_cast<float>(b);

        const double fired = firedDelayTicks(k, b, period[e]);
        const float achievedDelaySec = static_cast<float>(fired * s.tickSec);
        const double rpm = s.entryRpm[e];
        const float achieved = static_cast<float>(sensorAngle - 6 * rpm * achievedDelaySec -
                                                  6 * rpm * s.inputDelaySec);
        if (static_cast<float>(sensorAngle) < achieved || fired < 0)
            run.smallAngle = true;
        if (k < 0 || k > 255 || -b < 0 || -b > 255)
            run.byteOverflow = true;
        if (!std::isfinite(achieved)) {
            run.finite = false;
            return run;
        }

        if (!listed)
            continue;
        const double deviation = double{s.entryAdvance[e]} - achieved;
        std::string& row = run.listing;
        appendEntryColumns(row, static_cast<int>(e), k, -b, rpm, achieved, decimalSeparator);
        row += "   ";
        // "+" for a deviation that prints as zero or more; a negative one
        // carries its own minus sign.
        const std::size_t signAt = row.size();
        row += '+';
        appendFixed(row, deviation, 2, decimalSeparator);
        if (row[signAt + 1] == '-')
            row.erase(signAt, 1);
        row += "\r\n";
    }
    if (listed)
        run.listing += "\r\n";
    return run;
}

}  // namespace ign
