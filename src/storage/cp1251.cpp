#include "storage/cp1251.h"

#include <array>
#include <cstdint>

namespace ign {
namespace {

// Unicode code points of the bytes 0x80..0xFF. The one byte the code page
// leaves unassigned, 0x98, stands for the control character U+0098, so that
// every byte of a file comes back unchanged when it is saved again.
constexpr std::array<std::uint16_t, 128> kUpperHalf{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Every code point of the upper half lies below this; the reverse table
// covers them all and costs the same for a character the code page lacks.
constexpr std::uint32_t kReverseEnd = 0x2200;

// Byte of each code point below kReverseEnd that has one in the upper half,
// 0 otherwise.
constexpr auto kReverse = [] {
    std::array<std::uint8_t, kReverseEnd> table{};
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i)
        table[kUpperHalf[i]] = static_cast<std::uint8_t>(0x80 + i);
    return table;
}();

// The UTF-8 form of each byte of the upper half, so that decoding is a
// lookup as well.
struct Utf8Form {
    std::array<char, 3> bytes;
    std::uint8_t size;
};
constexpr auto kUtf8OfUpper = [] {
    std::array<Utf8Form, 128> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint32_t cp = kUpperHalf[i];
        auto& [bytes, size] = table[i];
        if (cp < 0x800) {
            bytes = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0};
            size = 2;
        } else {
            bytes = {static_cast<char>(0xE0 | (cp >> 12)),
                     static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (cp & 0x3F))};
            size = 3;
        }
    }
    return table;
}();

// Decodes one UTF-8 sequence at `pos`; a malformed byte gives U+FFFD, which
// the code page cannot hold, and advances by one.
std::uint32_t nextCodePoint(std::string_view s, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    std::uint32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + static_cast<std::size_t>(extra) >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned char c = byte(pos + static_cast<std::size_t>(i));
        if ((c & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

}  // namespace

// Both directions copy runs of ASCII, the bulk of every file, whole and
// look the other characters up.

std::string utf8ToCp1251(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t runStart = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            ++pos;
            continue;
        }
        out.append(utf8.substr(runStart, pos - runStart));
        const std::uint32_t cp = nextCodePoint(utf8, pos);
        const std::uint8_t mapped = cp < kReverseEnd ? kReverse[cp] : 0;
        out.push_back(mapped != 0 ? static_cast<char>(mapped) : '?');
        runStart = pos;
    }
    out.append(utf8.substr(runStart));
    return out;
}

std::string cp1251ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    std::size_t runStart = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const auto b = static_cast<unsigned char>(bytes[pos]);
        if (b < 0x80)
            continue;
        out.append(bytes.substr(runStart, pos - runStart));
        const Utf8Form& form = kUtf8OfUpper[b - 0x80];
        out.append(form.bytes.data(), form.size);
        runStart = pos + 1;
    }
    out.append(bytes.substr(runStart));
    return out;
}

}  // namespace ign
