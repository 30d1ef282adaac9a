// The single-byte Cyrillic code page of the files the controller's tool chain
// reads. Texts inside the program are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace ign {

// A character the code page cannot hold becomes "?".
std::string utf8ToCp1251(std::string_view utf8);
std::string cp1251ToUtf8(std::string_view bytes);

}  // namespace ign
