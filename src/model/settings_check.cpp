#include "model/settings_check.h"

#include "model/numbers.h"

namespace ign {

std::optional<Message> checkSettings(const Inputs& in)
{
    const double delayMicros = leadingNumber(in.text1[kInputDelayField]);
    if (!(delayMicros >= 30 && delayMicros <= 1000))
        return Message{text::kDelayRange, Icon::Critical, Highlight::Text1_3};
    const double pulseMicros = leadingNumber(in.text1[kPulseLengthField]);
    if (!(pulseMicros >= 10 && pulseMicros <= 3000))
        return Message{text::kPulseRange, Icon::Critical, Highlight::Text1_4};
    return std::nullopt;
}

}  // namespace ign
