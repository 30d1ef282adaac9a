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
    // Every byte of the code page stands for a character of its own, so what
    // was read from a file is written back and read again unchanged.
    ign::Inputs second = ign::initialInputs();
    ign::applySettingsBytes(ign::settingsFileBytes(first), second);
    if (first != second)
        std::abort();
    return 0;
}
