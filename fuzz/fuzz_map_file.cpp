// A curve map file can come from anywhere; loading must never fail and every
// field it fills must read back as the number the line held.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/numbers.h"
#include "storage/map_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int ch = 0; ch < 2; ++ch) {
        ign::Inputs in = ign::initialInputs();
        const int applied = ign::applyMapBytes(bytes, in, ch);
        if (applied < 0 || applied > ign::kMapLines)
            std::abort();
        for (int line = 1; line <= applied; ++line) {
            const ign::MapField f = ign::mapField(ch, line);
            const std::string& text = f.isPoint ? in.text6[static_cast<std::size_t>(f.index)]
                                                : in.text4[static_cast<std::size_t>(f.index)];
            if (text.find(',') != std::string::npos || std::isnan(ign::leadingNumber(text)))
                std::abort();
        }
    }
    return 0;
}
