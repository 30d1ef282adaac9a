// A table file can come from anyone with the same engine; reading it must
// never fail, a table it accepts holds bytes only, and a refusal says why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/table_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ign::TableReadResult read = ign::readTableBytes(bytes);
    if (read) {
        for (const std::int32_t b : read.table->bytes)
            if (b < 0 || b > 255)
                std::abort();
    } else if (read.reason.empty() || read.line < 0) {
        std::abort();
    }
    return 0;
}
