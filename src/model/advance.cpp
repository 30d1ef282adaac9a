#include "model/advance.h"

#include "model/numbers.h"

namespace ign {

void evaluatePointsCurve(CalcState& state, const Inputs& in, int characteristic)
{
    auto& p = state.entryAdvance;
    for (int j = 0; j <= kLastGridPoint; ++j) {
        state.pointRpm[static_cast<std::size_t>(j)] = static_cast<float>(pointRpm(j));
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
    // From the last point on the curve runs as the graph draws it, straight
    // to the top value.
    CurvePoints beyond{};
    beyond[kLastGridPoint] = p[kLastGridPoint];
    beyond[kTopPoint] = top;

    for (int e = kFirstEntry; e <= kEntries; ++e) {
        const float n = entrySpeedRpm(state.entryPeriod[static_cast<std::size_t>(e)], state.tickSec);
        const int j = pointSegment(n);
        float advance = top;
        if (j >= kLastGridPoint)
            advance = static_cast<float>(pointsCurveAt(beyond, n));
        else if (j >= 0)
            advance = static_cast<float>(double{n} * slope[static_cast<std::size_t>(j)] +
                                         intercept[static_cast<std::size_t>(j)]);
        p[static_cast<std::size_t>(e)] = advance;
    }
    p[kFirstEntry] = top;
}

}  // namespace ign
