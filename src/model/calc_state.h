// Converted inputs and results of the last calculation, carried from one
// command to the next. Widths follow the controller model: angles, speeds and
// table values are single precision, the coefficients a and b double.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/geometry.h"
#include "model/inputs.h"

namespace ign {

struct CalcState {
    float inputDelaySec = 0;
    float initialAdvanceDeg = 0;
    float pulseGapDeg = 0;
    float tickSec = 0;
    std::int32_t pr2Reset = 0;
    std::array<float, 33> entryRpm{};
    std::array<float, 33> pointRpm{};
    std::array<std::array<float, 34>, 2> segSlope{};
    std::array<std::array<float, 34>, 2> segOffset{};
    std::array<std::array<float, 34>, 2> delayTicks{};
    std::array<float, 34> entryAdvance{};
    std::array<std::int32_t, 33> entryPeriod{};
    std::array<std::string, 2> tmaxHex{};
    std::array<std::string, 2> tminHex{};
    std::string t2conPostscale;
    std::array<double, 3> coefA{};
    std::array<double, 3> coefB{};
    std::array<float, 3> coefC{};
    bool resultsUnsaved = false;
};

// Start-up: the timer tick from the prescaler the window starts with ("8"),
// the entry periods, and the entry speeds from the prescaler as loaded from
// the settings file (the two can disagree until the first calculation).
void startUp(CalcState& state, const Inputs& loaded);

}  // namespace ign
