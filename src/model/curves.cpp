#include "model/curves.h"

#include <cmath>
#include <limits>

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
        for (std::size_t i = 1; i <= 31; ++i) {
            const double n = entryRpm[i];
            const double denominator = n + k2;
            angle[i] = denominator == 0 ? std::numeric_limits<float>::quiet_NaN()
                                        : static_cast<float>((k0 * n - k1) / denominator);
        }
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
    for (int i = 1; i <= 9; ++i)
        for (int ch = 0; ch < 2; ++ch)
            out.push_back({s.x(1000.0 * i), s.y(point(ch, i)), s.x(1000.0 * (i + 1)),
                           s.y(point(ch, i + 1)), wantedColour(ch)});
    for (int ch = 0; ch < 2; ++ch)
        out.push_back({s.x(10000), s.y(point(ch, 10)), s.x(14000), s.y(point(ch, kTopPoint)),
                       wantedColour(ch)});
    return out;
}

}  // namespace ign
