#include "model/calculate.h"

#include <cmath>

#include "model/geometry.h"
#include "model/numbers.h"
#include "model/timing_table.h"

namespace ign {
namespace {

bool setPeriodHex(std::array<std::string, 2>& hex, double periodTicks)
{
    const auto period = toInt32HalfEven(periodTicks);
    if (!period)
        return false;
    const auto bits = static_cast<std::uint32_t>(*period);
    hex[0] = hexUpper((bits >> 8) & 0xFF);
    hex[1] = hexUpper(bits & 0xFF);
    return true;
}

bool setControlPulse(CalcState& s, double pulseMicros)
{
    for (int n = 0; n <= 4; ++n) {
        const double divisor = std::ldexp(1.0, n);
        if (pulseMicros / divisor < 255) {
            const auto reload = toInt32HalfEven((pulseMicros - 9) / divisor);
            if (!reload)
                return false;
            s.pr2Reset = *reload;
            s.t2conPostscale = kPostscalePatterns[n];
            return true;
        }
    }
    return true;  // 4080 us or more: the previous constants stay
}

void refuse(CalculateOutcome& out, Message message)
{
    out.refused = true;
    out.listing.clear();
    out.segments.clear();
    out.messages.push_back(std::move(message));
}

}  // namespace

void convertSensorFields(CalcState& state, const Inputs& in)
{
    state.inputDelaySec = static_cast<float>(leadingNumber(in.text1[kInputDelayField]) * 1e-6);
    state.initialAdvanceDeg = static_cast<float>(leadingNumber(in.text1[kInitialAdvanceField]));
    state.pulseGapDeg = static_cast<float>(leadingNumber(in.text1[kPulseGapField]));
}

float prescalerTickSec(const Inputs& in)
{
    return static_cast<float>(leadingNumber(in.combo1[0]) * 1e-6);
}

CalculateOutcome calculate(CalcState& state, const Inputs& in, char decimalSeparator)
{
    CalculateOutcome out;
    state.resultsUnsaved = true;
    convertSensorFields(state, in);

    const double nmax = leadingNumber(in.combo2[1]);
    if (!(nmax <= 14000 && nmax >= 2000)) {
        refuse(out, {text::kNmaxRange, Icon::Critical, Highlight::Combo2_1});
        return out;
    }
    const double nmin = leadingNumber(in.combo2[0]);
    if (!(nmin <= 14000 && nmin >= 945)) {
        refuse(out, {text::kNminRange, Icon::Critical, Highlight::Combo2_0});
        return out;
    }
    if (nmax < nmin)
        out.messages.push_back({text::kNminAboveNmax, Icon::Exclamation, Highlight::Combo2_0});

    // Everything below is computed aside and kept only when it is defined.
    CalcState next = state;
    const Message notComputable{text::kNotComputable, Icon::Critical, Highlight::None};
    next.tickSec = prescalerTickSec(in);
    if (!setPeriodHex(next.tminHex, rpmPeriodTicks(nmax, next.tickSec)) ||
        !setPeriodHex(next.tmaxHex, rpmPeriodTicks(nmin, next.tickSec))) {
        refuse(out, notComputable);
        return out;
    }
    for (std::size_t c = 0; c < 2; ++c) {
        next.coefA[c] = leadingNumber(in.text4[3 * c]);
        next.coefB[c] = leadingNumber(in.text4[3 * c + 1]);
        next.coefC[c] = static_cast<float>(leadingNumber(in.text4[3 * c + 2]));
    }
    // A field that overflows a double has no meaning, even where a formula
    // would swallow the infinity (c = 1e400 makes the advance 0 everywhere).
    const double pulse = leadingNumber(in.text1[kPulseLengthField]);
    bool finiteInputs = std::isfinite(pulse) && std::isfinite(state.inputDelaySec) &&
        std::isfinite(state.initialAdvanceDeg) && std::isfinite(state.pulseGapDeg);
    for (std::size_t c = 0; c < 2; ++c)
        finiteInputs = finiteInputs && std::isfinite(next.coefA[c]) &&
            std::isfinite(next.coefB[c]) && std::isfinite(next.coefC[c]);
    if (!finiteInputs || !setControlPulse(next, pulse)) {
        refuse(out, notComputable);
        return out;
    }

    const TableRun first = computeTimingTable(next, in, 0, kRed, decimalSeparator);
    const TableRun second =
        first.finite ? computeTimingTable(next, in, 1, kBlue, decimalSeparator) : TableRun{};
    if (!first.finite || !second.finite) {
        refuse(out, notComputable);
        return out;
    }
    state = next;
    out.listing = first.listing + second.listing;
    out.segments = first.segments;
    out.segments.insert(out.segments.end(), second.segments.begin(), second.segments.end());
    for (const TableRun* run : {&first, &second})
        if (run->smallAngle)
            out.messages.push_back({text::kSmallAngle, Icon::Exclamation, Highlight::None});
    if (first.byteOverflow || second.byteOverflow)
        out.messages.push_back({text::kByteRange, Icon::Exclamation, Highlight::None});
    return out;
}

void reset(CalcState& state, Inputs& in)
{
    state.resultsUnsaved = false;
    // The top points keep their values.
    for (int ch = 0; ch < 2; ++ch)
        for (int j = 1; j <= 10; ++j)
            in.text6[static_cast<std::size_t>(pointField(ch, j))].clear();
    for (auto& field : in.text4)
        field.clear();
}

}  // namespace ign
