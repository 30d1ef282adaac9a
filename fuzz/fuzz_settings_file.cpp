// Data.dat is read at every start-up; whatever is on disk must load, and what
// the program writes back must read back to the same fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/settings_file.h"

namespace {

bool sameFields(const ign::Inputs& a, const ign::Inputs& b)
{
    return a.combo1 == b.combo1 && a.combo2 == b.combo2 && a.check1 == b.check1 &&
        a.option1 == b.option1 && a.text1 == b.text1 && a.text4 == b.text4 && a.text5 == b.text5 &&
        a.text6 == b.text6;
}

}  // namespace

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
    if (!sameFields(second, third))
        std::abort();
    return 0;
}
