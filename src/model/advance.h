// The wanted advance of a characteristic at a crank speed, by the formula
// (a*n - b) / (n + c) or by straight lines between the points every 1000 rpm.
#pragma once

#include "model/calc_state.h"
#include "model/inputs.h"

namespace ign {

// n and n + c in single precision, the rest in double, stored as single.
// Not finite when n + c is zero.
float coefficientAdvance(double a, double b, float c, float rpm);

// Fills entryAdvance(2..32) of `state` from the point fields of one
// characteristic; entryAdvance(0..10) serve as the point list meanwhile, so
// entries 0 and 1 keep the 0 and 1000 rpm point values afterwards.
void evaluatePointsCurve(CalcState& state, const Inputs& in, int characteristic);

}  // namespace ign
