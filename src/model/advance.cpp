#include "model/advance.h"

#include <limits>

#include "model/numbers.h"

namespace ign {

float coefficientAdvance(double a, double b, float c, float rpm)
{
    const float denominator = rpm + c;  // formed in single precision, like the speed itself
    if (denominator == 0)
        return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>((a * rpm - b) / denominator);
}

void evaluatePointsCurve(CalcState& state, const Inputs& in, int characteristic)
{
    auto& p = state.entryAdvance;
    for (int j = 0; j <= 10; ++j) {
        state.pointRpm[static_cast<std::size_t>(j)] = static_cast<float>(j * 1000);
        p[static_cast<std::size_t>(j)] = static_cast<float>(
            leadingNumber(in.text6[static_cast<std::size_t>(pointField(characteristic, j))]));
    }
    std::array<float, 10> slope{};
    std::array<float, 10> intercept{};
    for (std::size_t j = 0; j < 10; ++j) {
        const double n0 = state.pointRpm[j];
        const double n1 = state.pointRpm[j + 1];
        slope[j] = static_cast<float>((double{p[j]} - p[j + 1]) / (n0 - n1));
        // Half the sum of both end points keeps the line through the middle of
        // the segment, so single-precision rounding splits evenly between them.
        intercept[j] = static_cast<float>(((double{p[j + 1]} + p[j]) - (n1 + n0) * slope[j]) / 2);
    }
    const float top = static_cast<float>(
        leadingNumber(in.text6[static_cast<std::size_t>(pointField(characteristic, kTopPoint))]));
    const double at10000 = p[10];

    for (int e = kFirstEntry; e <= kEntries; ++e) {
        const float n = static_cast<float>(
            60.0 / (double{state.tickSec} * state.entryPeriod[static_cast<std::size_t>(e)]));
        float advance = top;
        if (n >= 14000) {
            advance = top;
        } else if (n >= 10000) {
            // Above the last point the curve runs straight to the top value,
            // placed at 14000 rpm as the graph draws it.
            advance = static_cast<float>(at10000 + (n - 10000.0) * (double{top} - at10000) / 4000);
        } else {
            for (std::size_t j = 0; j < 10; ++j) {
                if (j * 1000.0 <= n && n < (j + 1) * 1000.0) {
                    advance = static_cast<float>(double{n} * slope[j] + intercept[j]);
                    break;
                }
            }
        }
        p[static_cast<std::size_t>(e)] = advance;
    }
    p[kFirstEntry] = top;
}

}  // namespace ign
