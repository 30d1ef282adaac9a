// The real assembler on the generated table: the bytes that reach the
// controller's EEPROM must be exactly the table's bytes. gpasm accepts a DATA
// value that does not fit a byte without a word, so only the image it produces
// proves the table source is right.
#include "model/calculate.h"
#include "output/firmware_build.h"
#include "output/table_source.h"
#include "support/test_files.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace ign {
namespace {

namespace fs = std::filesystem;

// Byte address of EEPROM byte 0 in a PIC16 HEX file: data memory sits at word
// 0x2100 and every word takes two bytes, low byte first.
constexpr std::uint32_t kEepromHexBase = 0x4200;
constexpr int kEepromBytes = 0x7C;

std::optional<fs::path> findOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const fs::path candidate = fs::path(folder.empty() ? "." : folder) / program;
        if (::access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate))
            return candidate;
    }
    return std::nullopt;
}

std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Intel HEX as a map from byte address to byte; fails the test on a broken
// record, so a damaged file cannot pass as an empty image.
std::map<std::uint32_t, int> parseIntelHex(const std::string& text)
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

// A table value as the byte it must become, refusing what a byte cannot hold.
int tableByte(float value)
{
    EXPECT_EQ(value, std::nearbyint(value)) << "table value is not whole";
    EXPECT_GE(value, 0.0f);
    EXPECT_LE(value, 255.0f);
    return static_cast<int>(std::lround(value));
}

class AssembledTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!findOnPath(assemblerCall(HostSystem::Other).program))
            GTEST_SKIP() << "gpasm (gputils) is not installed; ./scripts/deps installs it";
        std::string name = (fs::temp_directory_path() / "ign-gpasm-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        folder_ = name;
    }
    void TearDown() override
    {
        std::error_code ec;
        if (!folder_.empty())
            fs::remove_all(folder_, ec);
    }

    // Calculates, writes IgnTable.asm beside our firmware source and assembles.
    std::map<std::uint32_t, int> build(CalcState& state, const Inputs& in)
    {
        const CalculateOutcome outcome = calculate(state, in, '.');
        EXPECT_FALSE(outcome.refused);
        EXPECT_TRUE(writeTableSource(folder_ / kTableSourceFileName, state, in).ok);
        fs::copy_file(fs::path(IGN_TEST_DATA_DIR) / "firmware" / kFirmwareSourceName,
                      folder_ / kFirmwareSourceName);
        const ProgramCall call = assemblerCall(HostSystem::Other);
        std::string command = "cd " + shellQuoted(folder_.string()) + " && " + call.program;
        for (const std::string& argument : call.arguments)
            command += " " + shellQuoted(argument);
        command += " > gpasm.log 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_EQ(status, 0) << test::readBytes(folder_ / "gpasm.log");
        return parseIntelHex(test::readBytes(folder_ / "kom.hex"));
    }

    fs::path folder_;
};

TEST_F(AssembledTable, EepromHoldsBothTablesAndTheLimits)
{
    Inputs in = initialInputs();
    in.combo1[1] = "1";
    CalcState state;
    startUp(state, in);
    const auto image = build(state, in);
    ASSERT_FALSE(image.empty());

    const auto eeprom = [&](int n) {
        const std::uint32_t address = kEepromHexBase + 2 * static_cast<std::uint32_t>(n);
        const auto low = image.find(address);
        const auto high = image.find(address + 1);
        EXPECT_TRUE(low != image.end() && high != image.end()) << "EEPROM byte " << n << " missing";
        if (low == image.end() || high == image.end())
            return -1;
        // A value too large for a byte would show in the high half of the word.
        EXPECT_EQ(high->second, 0) << "EEPROM byte " << n;
        return low->second;
    };

    for (int ch = 0; ch < 2; ++ch) {
        for (int e = kFirstEntry; e <= kLastEntry; ++e) {
            const int n = 60 * ch + 2 * (e - 2);
            SCOPED_TRACE("characteristic " + std::to_string(ch + 1) + ", entry " +
                         std::to_string(e));
            EXPECT_EQ(eeprom(n), tableByte(state.segSlope[ch][e]));
            EXPECT_EQ(eeprom(n + 1), tableByte(-state.segOffset[ch][e]));
        }
    }
    const auto hexByte = [](const std::string& text) { return std::stoi(text, nullptr, 16); };
    EXPECT_EQ(eeprom(0x78), hexByte(state.tmaxHex[0]));
    EXPECT_EQ(eeprom(0x79), hexByte(state.tmaxHex[1]));
    EXPECT_EQ(eeprom(0x7A), hexByte(state.tminHex[0]));
    EXPECT_EQ(eeprom(0x7B), hexByte(state.tminHex[1]));

    // The worked example's first entry and limits, independent of the state.
    EXPECT_EQ(eeprom(0), 87);
    EXPECT_EQ(eeprom(1), 19);
    EXPECT_EQ(eeprom(2), 92);
    EXPECT_EQ(eeprom(3), 26);
    EXPECT_EQ(eeprom(0x78), 0x1D);
    EXPECT_EQ(eeprom(0x79), 0x4C);
    EXPECT_EQ(eeprom(0x7A), 0x09);
    EXPECT_EQ(eeprom(0x7B), 0xC4);

    // Nothing beyond the limits, and no gaps inside the image.
    int eepromBytes = 0;
    for (const auto& [address, value] : image)
        if (address >= kEepromHexBase && address < kEepromHexBase + 0x100)
            ++eepromBytes;
    EXPECT_EQ(eepromBytes, 2 * kEepromBytes);

    // The constants reach the code: movlw k assembles to the word 0x30kk, and
    // our source loads INPUT_DELAY, PR2_RESET and T2CON_RESET at words 4 to 6.
    const auto word = [&](std::uint32_t address) {
        return image.at(2 * address + 1) << 8 | image.at(2 * address);
    };
    EXPECT_EQ(word(4), 0x3000 | 7);
    EXPECT_EQ(word(5), 0x3000 | state.pr2Reset);
    EXPECT_EQ(word(6), 0x3000);
}

}  // namespace
}  // namespace ign
