#include "model/curves.h"

#include <cmath>

#include "model/advance.h"
#include "model/numbers.h"

namespace ign {
namespace {

double fieldNumber(const std::string& text)
{
    return leadingNumber(text);
}

bool usable(float angle)
{
    return std::isfinite(angle);
}

}  // namespace

std::vector<Segment> gridLines(const GraphScale& s)
{
    std::vector<Segment> out;
    const double rowStep = s.gridDeg * s.pixelsPerDegree;
    const double columnStep = s.x(s.gridRpm);
    for (double y = 0; y <= s.lastRow; y += rowStep)
        out.push_back({0, y, double(s.rowEnd), y, kBlack});
    for (double x = 0; x <= s.lastColumn; x += columnStep)
        out.push_back({x, 0, x, double(s.columnEnd), kBlack});
    return out;
}

std::vector<ScaleLabel> speedLabels(const GraphScale& s)
{
    std::vector<ScaleLabel> out;
    if (s.zeroAtLeftEdge)
        out.push_back({0, kScaleLabelInset, " 0"});
    for (int rpm = s.firstLabelRpm; rpm <= s.lastLabelRpm; rpm += int(kPointStepRpm))
        out.push_back({static_cast<int>(s.x(rpm)) + s.labelShift, kScaleLabelInset,
                       " " + std::to_string(rpm)});
    return out;
}

std::vector<ScaleLabel> angleLabels(const GraphScale& s)
{
    std::vector<ScaleLabel> out;
    for (int deg = s.firstLabelDeg; deg <= s.lastLabelDeg; deg += s.labelDeg)
        out.push_back({kScaleLabelInset, static_cast<int>(s.y(deg)), " " + std::to_string(deg)});
    return out;
}

std::vector<Segment> coefficientCurves(const Inputs& in, const std::array<float, 33>& entryRpm)
{
    std::vector<Segment> out;
    out.reserve(60);
    for (int ch = 0; ch < 2; ++ch) {
        const auto base = static_cast<std::size_t>(coefficientBase(ch));
        const double k0 = fieldNumber(in.text4[base]);
        const double k1 = fieldNumber(in.text4[base + 1]);
        const double k2 = fieldNumber(in.text4[base + 2]);
        std::array<float, 32> angle{};
        for (std::size_t i = 1; i <= 31; ++i)
            angle[i] = formulaAdvance<double>(k0, k1, k2, entryRpm[i]);
        for (std::size_t i = 2; i <= 31; ++i) {
            if (!usable(angle[i - 1]) || !usable(angle[i]))
                continue;  // a formula that is not defined there draws nothing
            const GraphScale& s = kMainGraphScale;
            out.push_back({s.x(entryRpm[i - 1]), s.y(angle[i - 1]), s.x(entryRpm[i]),
                           s.y(angle[i]), wantedColour(ch)});
        }
    }
    return out;
}

PointAngles pointAngles(const Inputs& in)
{
    PointAngles angles{};
    for (int ch = 0; ch < 2; ++ch)
        for (int j = 1; j <= kTopPoint; ++j)
            angles[static_cast<std::size_t>(ch)][static_cast<std::size_t>(j)] =
                fieldNumber(in.text6[static_cast<std::size_t>(pointField(ch, j))]);
    return angles;
}

std::vector<Segment> pointCurves(const Inputs& in)
{
    return pointCurves(pointAngles(in), kMainGraphScale);
}

std::vector<Segment> pointCurves(const PointAngles& angles, const GraphScale& s)
{
    const auto point = [&](int ch, int j) {
        return angles[static_cast<std::size_t>(ch)][static_cast<std::size_t>(j)];
    };
    std::vector<Segment> out;
    out.reserve(20);
    const auto segment = [&](int ch, int from, int to) {
        out.push_back({s.x(pointRpm(from)), s.y(point(ch, from)), s.x(pointRpm(to)),
                       s.y(point(ch, to)), wantedColour(ch)});
    };
    for (int i = 1; i < kLastGridPoint; ++i)
        for (int ch = 0; ch < 2; ++ch)
            segment(ch, i, i + 1);
    for (int ch = 0; ch < 2; ++ch)
        segment(ch, kLastGridPoint, kTopPoint);
    return out;
}

}  // namespace ign
