// Data.dat is read at every start-up; whatever is on disk must load, and what
// the program writes back must read back to the same fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ign::Inputs first = ign::initialInputs();
    ign::applySettingsBytes(bytes, first);
    // One write may turn characters the code page lacks into "?"; from then on
    // writing and reading must change nothing.
    ign::Inputs second = ign::initialInputs();
    ign::applySettingsBytes(ign::settingsFileBytes(first), second);
    ign::Inputs third = ign::initialInputs();
    ign::applySettingsBytes(ign::settingsFileBytes(second), third);
    if (second != third)
        std::abort();
    return 0;
}
