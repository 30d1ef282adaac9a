// The firmware image gpasm writes, read back byte by byte for the tests that
// check what reaches the controller's EEPROM.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace ign::test {

// Byte address of EEPROM byte 0 in a PIC16 HEX file: data memory sits at word
// 0x2100 and every word takes two bytes, low byte first.
inline constexpr std::uint32_t kEepromHexBase = 0x4200;
inline constexpr int kEepromBytes = 0x7C;

// Intel HEX as a map from byte address to byte; fails the test on a broken
// record, so a damaged file cannot pass as an empty image.
inline std::map<std::uint32_t, int> parseIntelHex(const std::string& text)
{
    std::map<std::uint32_t, int> image;
    std::uint32_t upper = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        EXPECT_EQ(line[0], ':') << line;
        std::vector<int> bytes;
        for (std::size_t i = 1; i + 1 < line.size(); i += 2)
            bytes.push_back(std::stoi(line.substr(i, 2), nullptr, 16));
        if (bytes.size() < 5 || bytes.size() != static_cast<std::size_t>(bytes[0]) + 5) {
            ADD_FAILURE() << "malformed record " << line;
            return {};
        }
        int sum = 0;
        for (const int b : bytes)
            sum += b;
        EXPECT_EQ(sum & 0xFF, 0) << "checksum of " << line;
        const std::uint32_t offset = static_cast<std::uint32_t>(bytes[1] << 8 | bytes[2]);
        const int type = bytes[3];
        if (type == 0x00) {
            for (int i = 0; i < bytes[0]; ++i)
                image[upper + offset + static_cast<std::uint32_t>(i)] =
                    bytes[4 + static_cast<std::size_t>(i)];
        } else if (type == 0x04) {
            upper = static_cast<std::uint32_t>(bytes[4] << 8 | bytes[5]) << 16;
        } else if (type == 0x01) {
            break;
        }
    }
    return image;
}

// One record with its checksum, upper-case hexadecimal as the assemblers
// write it.
inline std::string intelHexRecord(int type, std::uint32_t offset, const std::vector<int>& data)
{
    std::vector<int> bytes{static_cast<int>(data.size()), static_cast<int>(offset >> 8 & 0xFF),
                           static_cast<int>(offset & 0xFF), type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    int sum = 0;
    for (const int b : bytes)
        sum += b;
    bytes.push_back(-sum & 0xFF);
    std::string record = ":";
    for (const int b : bytes) {
        const char digits[] = "0123456789ABCDEF";
        record += digits[b >> 4 & 0xF];
        record += digits[b & 0xF];
    }
    return record;
}

}  // namespace ign::test
