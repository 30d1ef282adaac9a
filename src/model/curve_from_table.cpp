#include "model/curve_from_table.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/advance.h"
#include "model/calculate.h"
#include "model/geometry.h"
#include "model/messages.h"
#include "model/numbers.h"
#include "model/timing_table.h"

namespace ign {
namespace {

constexpr int kPoints = kTopPoint + 1;
// A point's value in hundredths of a degree, the most a field is given.
using Hundredths = std::array<std::int64_t, kPoints>;
using Weights = std::array<std::array<double, kPoints>, kEntries + 1>;

// The moves, in hundredths, by which the search tries one point, and two
// neighbouring points together. They grow because the entries at high speed
// turn a degree into only a tick or two, so a byte there may need a point
// moved by tenths of a degree.
const std::vector<int> kSingleMoves{-40, -32, -25, -20, -16, -13, -10, -8, -6, -5, -4, -3, -2, -1,
                                    1,   2,   3,   4,   5,   6,   8,   10, 13, 16, 20, 25, 32, 40};
const std::vector<int> kPairMoves{-13, -8, -5, -3, -2, -1, 0, 1, 2, 3, 5, 8, 13};
// An entry whose line crosses a point depends on three points at once.
const std::vector<int> kTripleMoves{-3, -2, -1, 0, 1, 2, 3};
constexpr int kMostPasses = 12;

struct Score {
    int matches = -1;  // entries whose bytes equal the table's; -1: no table
    double distance = 0;  // how far the other entries' lines lie from the table's, in ticks
    std::uint32_t unmatched = 0;  // bit e for each entry e whose bytes differ

    bool betterThan(const Score& o) const
    {
        if (matches != o.matches)
            return matches > o.matches;
        return distance < o.distance - 1e-9;
    }
};

std::string pointText(std::int64_t hundredths)
{
    return formatGeneral(static_cast<double>(hundredths) / 100, '.');
}

// Solves a x = r in place by Gaussian elimination with partial pivoting.
template <std::size_t N>
std::array<double, N> solve(std::array<std::array<double, N>, N> a, std::array<double, N> r)
{
    for (std::size_t col = 0; col < N; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < N; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        std::swap(a[col], a[pivot]);
        std::swap(r[col], r[pivot]);
        if (a[col][col] == 0)
            continue;  // a point that nothing decides: the smoothing keeps it
        for (std::size_t row = col + 1; row < N; ++row) {
            const double f = a[row][col] / a[col][col];
            for (std::size_t k = col; k < N; ++k)
                a[row][k] -= f * a[col][k];
            r[row] -= f * r[col];
        }
    }
    std::array<double, N> x{};
    for (std::size_t col = N; col-- > 0;) {
        double sum = r[col];
        for (std::size_t k = col + 1; k < N; ++k)
            sum -= a[col][k] * x[k];
        x[col] = a[col][col] == 0 ? 0 : sum / a[col][col];
    }
    return x;
}

class CurveFit {
public:
    CurveFit(const ControllerTable& table, int characteristic, const Inputs& in)
        : target_(table), ch_(characteristic), in_(in)
    {
        startUp(state_, in);
        convertSensorFields(state_, in);
        state_.tickSec = prescalerTickSec(in);
        in_.option1 = {false, true};
        weights_ = pointWeights();
    }

    // The table a calculation by these points gives, against the target.
    Score score(const Hundredths& points)
    {
        for (int j = 0; j < kPoints; ++j)
            field(j) = pointText(points[static_cast<std::size_t>(j)]);
        if (!computeTimingTable(state_, in_, ch_, kRed, '.', TableOutput::BytesOnly).finite)
            return {};
        const auto c = static_cast<std::size_t>(ch_);
        Score s{0, 0, 0};
        for (int e = kFirstEntry; e <= kLastEntry; ++e) {
            const auto at = static_cast<std::size_t>(e);
            const double dk = state_.segSlope[c][at] - target_.slope(ch_, e);
            const double db = -double{state_.segOffset[c][at]} - target_.offsetByte(ch_, e);
            if (dk == 0 && db == 0)
                ++s.matches;
            else {  // the gap between the two lines at both ends of the entry
                s.distance += std::fabs(dk * e / 2 - db) + std::fabs(dk * (e + 1) / 2 - db);
                s.unmatched |= std::uint32_t{1} << e;
            }
        }
        return s;
    }

    // The points whose delays lie nearest, in ticks, to the ends of the
    // table's lines, rounded to hundredths.
    Hundredths leastSquares() const
    {
        using Row = std::array<double, kPoints>;
        std::array<Row, kPoints> normal{};
        Row right{};
        const auto add = [&](const Row& a, double rhs, double weight) {
            for (std::size_t i = 0; i < kPoints; ++i) {
                for (std::size_t k = 0; k < kPoints; ++k)
                    normal[i][k] += weight * a[i] * a[k];
                right[i] += weight * a[i] * rhs;
            }
        };
        const double sensorAngle = double{state_.initialAdvanceDeg} + state_.pulseGapDeg;
        // The delay at entry i is linear in the points: (angle - advance -
        // angle turned in the input delay) * period / 360.
        const auto delayRow = [&](int i, Row& a, double& constant) {
            const double period = entryPeriodTicks(i);
            const double rpm = entrySpeedRpm(entryPeriodTicks(i), state_.tickSec);
            for (std::size_t j = 0; j < kPoints; ++j)
                a[j] = -weights_[static_cast<std::size_t>(i)][j] * period / 360;
            constant = (sensorAngle - 6 * double{state_.inputDelaySec} * rpm) * period / 360;
        };
        for (int e = kFirstEntry; e <= kLastEntry; ++e) {
            const double k = target_.slope(ch_, e);
            const double b = target_.offsetByte(ch_, e);
            Row low{}, high{};
            double lowConstant = 0, highConstant = 0;
            delayRow(e, low, lowConstant);
            delayRow(e + 1, high, highConstant);
            // The line's ends, before the controller drops the fraction.
            const double lowDelay = k * entryPeriodTicks(e) / kSlopeUnit - b;
            const double highDelay = k * entryPeriodTicks(e + 1) / kSlopeUnit - b;
            // Where the offset came out at an end of its range the fit may
            // have moved the slope to get it there: only the middle holds.
            const double slack = (2.0 * e + 1) / 4 + 1;
            if (k > 0 && k < 255 && b >= slack && b <= 255 - slack) {
                add(low, lowDelay - lowConstant, 1);
                add(high, highDelay - highConstant, 1);
            } else {
                Row middle{};
                for (std::size_t j = 0; j < kPoints; ++j)
                    middle[j] = (low[j] + high[j]) / 2;
                add(middle, (lowDelay - lowConstant + highDelay - highConstant) / 2, 2);
            }
        }
        // A little smoothness decides the points no entry reaches and
        // costs nothing measurable where the entries decide.
        for (std::size_t j = 0; j + 1 < kPoints; ++j) {
            Row step{};
            step[j] = 1;
            step[j + 1] = -1;
            add(step, 0, 1e-3);
        }
        const Row x = solve(normal, right);
        Hundredths rounded{};
        // No table of bytes stands for more than a few hundred degrees; a
        // table of noise must still give texts a field can hold.
        for (std::size_t j = 0; j < kPoints; ++j)
            rounded[j] =
                std::isfinite(x[j]) ? std::llround(std::clamp(x[j], -9999.0, 9999.0) * 100) : 0;
        return rounded;
    }

    // Bit e for each entry 2..31 whose bytes the point moves: through the
    // advance at either end of the entry's line.
    std::uint32_t entriesMovedBy(std::size_t point) const
    {
        std::uint32_t entries = 0;
        for (int e = kFirstEntry; e <= kLastEntry; ++e)
            if (weights_[static_cast<std::size_t>(e)][point] != 0 ||
                weights_[static_cast<std::size_t>(e + 1)][point] != 0)
                entries |= std::uint32_t{1} << e;
        return entries;
    }

private:
    std::string& field(int j) { return in_.text6[static_cast<std::size_t>(pointField(ch_, j))]; }

    // How much each entry's advance moves per degree of each point, taken
    // from the evaluation itself so that no second copy of it exists.
    Weights pointWeights()
    {
        Weights w{};
        for (int j = 0; j < kPoints; ++j) {
            for (int i = 0; i < kPoints; ++i)
                field(i) = i == j ? "1" : "0";
            evaluatePointsCurve(state_, in_, ch_);
            for (int e = kFirstEntry; e <= kEntries; ++e)
                w[static_cast<std::size_t>(e)][static_cast<std::size_t>(j)] =
                    state_.entryAdvance[static_cast<std::size_t>(e)];
        }
        return w;
    }

    const ControllerTable& target_;
    int ch_;
    Inputs in_;
    CalcState state_;
    Weights weights_{};
};

// Tries every combination of the moves on the given points and keeps the
// best that improves on `best`.
bool improve(CurveFit& fit, Hundredths& points, Score& best, const std::vector<std::size_t>& moved,
             const std::vector<int>& moves)
{
    // A move that leaves every differing entry alone can only lose.
    std::uint32_t reached = 0;
    for (const std::size_t j : moved)
        reached |= fit.entriesMovedBy(j);
    if ((reached & best.unmatched) == 0)
        return false;
    Hundredths bestPoints = points;
    Score bestScore = best;
    Hundredths trial = points;
    const auto tryAll = [&](std::size_t depth, auto& self) -> void {
        if (depth == moved.size()) {
            if (trial == points)
                return;
            const Score s = fit.score(trial);
            if (s.betterThan(bestScore)) {
                bestScore = s;
                bestPoints = trial;
            }
            return;
        }
        for (const int d : moves) {
            trial[moved[depth]] = points[moved[depth]] + d;
            self(depth + 1, self);
        }
        trial[moved[depth]] = points[moved[depth]];
    };
    tryAll(0, tryAll);
    if (!bestScore.betterThan(best))
        return false;
    points = bestPoints;
    best = bestScore;
    return true;
}

}  // namespace

std::optional<TakenCurve> takeCurve(const ControllerTable& table, int characteristic,
                                    const Inputs& in, bool search)
{
    CurveFit fit(table, characteristic, in);
    Hundredths points = fit.leastSquares();
    Score best = fit.score(points);
    if (best.matches < 0)
        return std::nullopt;
    std::vector<std::size_t> reached;
    for (std::size_t j = 0; j < kPoints; ++j)
        if (fit.entriesMovedBy(j) != 0)
            reached.push_back(j);
    for (int pass = 0;
         search && pass < kMostPasses && best.matches < kTableEntriesPerCharacteristic; ++pass) {
        const int matchedBefore = best.matches;
        bool improved = false;
        for (const std::size_t j : reached)
            improved = improve(fit, points, best, {j}, kSingleMoves) || improved;
        for (std::size_t i = 0; i + 1 < reached.size(); ++i)
            improved =
                improve(fit, points, best, {reached[i], reached[i + 1]}, kPairMoves) || improved;
        for (std::size_t i = 0; i + 2 < reached.size(); ++i)
            improved = improve(fit, points, best, {reached[i], reached[i + 1], reached[i + 2]},
                               kTripleMoves) ||
                improved;
        // Moves that only bring the other lines nearer lead on to matches
        // within a pass or not at all.
        if (!improved || best.matches == matchedBefore)
            break;
    }
    TakenCurve taken;
    for (std::size_t j = 0; j < kPoints; ++j)
        taken.points[j] = pointText(points[j]);
    taken.entriesReproduced = best.matches;
    return taken;
}

void applyTakenCurve(const TakenCurve& curve, Inputs& in, int characteristic)
{
    for (int j = 0; j < kPoints; ++j)
        in.text6[static_cast<std::size_t>(pointField(characteristic, j))] =
            curve.points[static_cast<std::size_t>(j)];
}

std::string takenCurveLine(const TakenCurve& curve, int characteristic)
{
    std::string line = "Характеристика " + std::to_string(characteristic + 1) + ":";
    for (const std::string& point : curve.points)
        line += " " + point;
    line += "; ";
    line += verbForCount(curve.entriesReproduced, "совпадает ", "совпадают ");
    line += std::to_string(curve.entriesReproduced) + " из " +
        std::to_string(kTableEntriesPerCharacteristic) + " записей";
    return line;
}

}  // namespace ign
