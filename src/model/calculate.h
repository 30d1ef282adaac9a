// The two commands under the listing: Calculate converts the fields into the
// calculator state and computes both timing tables; Reset clears the curve
// fields. Both return what the window must show instead of showing it.
#pragma once

#include <string>
#include <vector>

#include "model/calc_state.h"
#include "model/curves.h"
#include "model/inputs.h"
#include "model/messages.h"

namespace ign {

struct CalculateOutcome {
    // A refused calculation leaves the listing empty and the graph with its
    // grid only; the results of the previous calculation stay in the state.
    bool refused = false;
    std::string listing;  // exactly as the listing box shows it, CR LF line ends
    std::vector<Message> messages;  // in the order they are shown
    std::vector<Segment> segments;  // computed curves, red then blue
};

CalculateOutcome calculate(CalcState& state, const Inputs& in, char decimalSeparator);

// The sensor fields (input delay, initial advance, pulse gap) as Calculate
// converts them into the state, and the timer tick of the prescaler field:
// what else the controller fires by, for a table that was not calculated.
void convertSensorFields(CalcState& state, const Inputs& in);
float prescalerTickSec(const Inputs& in);

// Clears resultsUnsaved and empties the coefficient fields and the point
// fields at 1000..10000 rpm; the results stay and can still be written.
void reset(CalcState& state, Inputs& in);

// TMR2 postscaler bits for 1:1, 1:2, 1:4, 1:8 and 1:16: the control pulse of
// p us uses the first postscaler 2^n with p / 2^n below 255.
inline constexpr const char* kPostscalePatterns[] = {"0000", "0001", "0011", "0111", "1111"};

}  // namespace ign
