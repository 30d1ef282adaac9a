// Any text a user can type into a field goes through the leading-number rule.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = ign::leadingNumber(text);
    if (std::isnan(value))
        std::abort();
    // Every writer of numbers must cope with whatever the reader produced.
    for (int decimals = 0; decimals <= 2; ++decimals)
        if (ign::formatFixed(value, decimals, ',').empty())
            std::abort();
    // Fifteen digits read back to the same number, give or take the last
    // digit; next to the largest double that rounding may overflow, which
    // reads back as the infinity a calculation refuses.
    const std::string general = ign::formatGeneral(value, '.');
    const double back = ign::leadingNumber(general);
    if (std::isfinite(value) && std::fabs(value) < 1e307 &&
        std::fabs(back - value) > std::fabs(value) * 1e-14)
        std::abort();
    (void)ign::formatShort(static_cast<float>(value));
    return 0;
}
