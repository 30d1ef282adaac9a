#include "model/calc_state.h"

#include "model/numbers.h"

namespace ign {

void startUp(CalcState& state, const Inputs& loaded)
{
    state = CalcState{};
    state.tickSec = static_cast<float>(leadingNumber(Inputs{}.combo1[0]) * 1e-6);
    for (int i = 1; i <= kEntries; ++i)
        state.entryPeriod[static_cast<std::size_t>(i)] = entryPeriodTicks(i);
    // Computed from the prescaler itself, in double: the period of entry i
    // lasts i*256*p microseconds.
    const double prescaler = leadingNumber(loaded.combo1[0]);
    for (int i = 1; i <= kEntries; ++i)
        state.entryRpm[static_cast<std::size_t>(i)] =
            static_cast<float>(periodRpm(entryPeriodTicks(i) * prescaler, 1e-6));
}

}  // namespace ign
