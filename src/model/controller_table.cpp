#include "model/controller_table.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace ign {
namespace {

bool isByte(std::int32_t v)
{
    return v >= 0 && v <= 255;
}

// The state's bytes are whole numbers below 2^31, but a single-precision
// value just below it rounds up to it.
std::int32_t wholeValue(double v)
{
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(v, low, high));
}

// tmaxHex and tminHex hold upper-case hexadecimal bytes; before the first
// calculation they are empty, which the table source writes as nothing and
// the controller would hold as 0.
std::int32_t hexByte(const std::string& text)
{
    std::int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return value;
}

}  // namespace

bool ControllerTable::entryFits(int characteristic, int entry) const
{
    return isByte(slope(characteristic, entry)) && isByte(offsetByte(characteristic, entry));
}

ControllerTable calculatedTable(const CalcState& s)
{
    ControllerTable table;
    for (int ch = 0; ch < 2; ++ch) {
        const auto c = static_cast<std::size_t>(ch);
        for (int e = kFirstEntry; e <= kLastEntry; ++e) {
            const auto at = static_cast<std::size_t>(slopeByteIndex(ch, e));
            const auto entry = static_cast<std::size_t>(e);
            table.bytes[at] = wholeValue(s.segSlope[c][entry]);
            table.bytes[at + 1] = wholeValue(-double{s.segOffset[c][entry]});
        }
    }
    const std::array<const std::string*, 4> limits{&s.tmaxHex[0], &s.tmaxHex[1], &s.tminHex[0],
                                                   &s.tminHex[1]};
    for (std::size_t i = 0; i < limits.size(); ++i)
        table.bytes[static_cast<std::size_t>(kTmaxHighByte) + i] = hexByte(*limits[i]);
    return table;
}

}  // namespace ign
