#include "model/calc_state.h"

#include "model/numbers.h"

namespace ign {

void startUp(CalcState& state, const Inputs& loaded)
{
    state = CalcState{};
    state.tickSec = static_cast<float>(leadingNumber(Inputs{}.combo1[0]) * 1e-6);
    for (int i = 1; i <= kEntries; ++i)
        state.entryPeriod[static_cast<std::size_t>(i)] = i * 256;
    const double prescaler = leadingNumber(loaded.combo1[0]);
    for (int i = 1; i <= kEntries; ++i)
        state.entryRpm[static_cast<std::size_t>(i)] =
            static_cast<float>(60.0 / (i * 256 * prescaler * 1e-6));
}

float entrySpeedRpm(std::int32_t periodTicks, float tickSec)
{
    return static_cast<float>(60.0 / (static_cast<double>(periodTicks) * tickSec));
}

}  // namespace ign
