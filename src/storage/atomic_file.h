// Every file the program writes goes through here: the bytes land in a
// temporary file in the same folder, which then replaces the target, so a
// failing write never leaves a truncated file behind.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ign {

struct WriteResult {
    bool ok = true;
    std::string reason;  // in Russian, for the user, when !ok
};

WriteResult writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// The Russian description of a system error number (or of
// platform::kNotRegularFile), for messages; the second one for a file that
// was to be read.
std::string describeError(int errorNumber);
std::string describeReadError(int errorNumber);

}  // namespace ign
