// The wanted advance of a characteristic at a crank speed, by the formula
// (a*n - b) / (n + c) or by straight lines between the points every 1000 rpm.
#pragma once

#include <limits>

#include "model/calc_state.h"
#include "model/inputs.h"

namespace ign {

// The advance formula; not finite where n + c is zero. The sum n + c is
// formed in `Real` and the result kept as `Result`: the table uses single
// precision, as its speeds are single and its bytes have always been computed
// so; the graph draws the curve the user asked for, from the coefficients as
// read, in double and stores it as single like the table's curve; the
// accuracy analysis measures the table against that curve in double
// throughout.
template <typename Real, typename Result = float>
Result formulaAdvance(double a, double b, Real c, Real rpm)
{
    const Real denominator = rpm + c;
    if (denominator == 0)
        return std::numeric_limits<Result>::quiet_NaN();
    return static_cast<Result>((a * rpm - b) / denominator);
}

// The table's advance at an entry speed.
inline float coefficientAdvance(double a, double b, float c, float rpm)
{
    return formulaAdvance<float>(a, b, c, rpm);
}

// Fills entryAdvance(2..32) of `state` from the point fields of one
// characteristic; entryAdvance(0..10) serve as the point list meanwhile, so
// entries 0 and 1 keep the 0 and 1000 rpm point values afterwards.
void evaluatePointsCurve(CalcState& state, const Inputs& in, int characteristic);

}  // namespace ign
