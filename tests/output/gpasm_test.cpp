// The real assembler on the generated table: the bytes that reach the
// controller's EEPROM must be exactly the table's bytes. gpasm accepts a DATA
// value that does not fit a byte without a word, so only the image it produces
// proves the table source is right.
#include "model/calculate.h"
#include "output/firmware_build.h"
#include "output/table_source.h"
#include "storage/table_image.h"
#include "support/assembler.h"
#include "support/generated_inputs.h"
#include "support/intel_hex.h"
#include "support/table_edits.h"
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
#include <sys/wait.h>
#include <unistd.h>

namespace ign {
namespace {

namespace fs = std::filesystem;
using test::kEepromBytes;
using test::kEepromHexBase;
using test::parseIntelHex;

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
        if (!test::haveAssembler())
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
        assemble();
        return parseIntelHex(test::readBytes(folder_ / "kom.hex"));
    }

    // Assembles our firmware source with the IgnTable.asm in the folder.
    void assemble() { test::assembleFirmware(folder_); }

    // Plans, prepares and runs the build of `source` in folder_ as F9 does;
    // the status line.
    std::string buildAsF9Does(const std::string& source)
    {
        const FirmwareBuildPlan plan =
            planFirmwareBuild(HostSystem::Other, folder_ / source, folder_ / kTableSourceFileName);
        EXPECT_EQ(plan.step, FirmwareBuildPlan::Step::Run) << plan.message;
        const FirmwareBuildRun run = prepareFirmwareBuild(HostSystem::Other, plan);
        std::string command = "cd " + test::shellQuoted(folder_.string()) + " && " + run.call.program;
        for (const std::string& argument : run.call.arguments)
            command += " " + test::shellQuoted(argument);
        const int status = std::system((command + " > /dev/null 2>&1").c_str());
        EXPECT_TRUE(WIFEXITED(status));
        return finishFirmwareBuild(run, true, false, WEXITSTATUS(status));
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

// gpasm names its listing and symbol file after -o too, so the user's own
// files beside the source stay as they were; only a good build brings an
// image, and a source with errors does not cost the earlier one.
TEST_F(AssembledTable, BuildLeavesTheUsersFilesAsTheyWere)
{
    CalcState state;
    startUp(state, initialInputs());
    calculate(state, initialInputs(), '.');
    ASSERT_TRUE(writeTableSource(folder_ / kTableSourceFileName, state, initialInputs()).ok);
    fs::copy_file(fs::path(IGN_TEST_DATA_DIR) / "firmware" / kFirmwareSourceName,
                  folder_ / kFirmwareSourceName);
    test::writeBytes(folder_ / "bad.asm", "\tlist p=16f628a\n\tbogus_instruction\n\tend\n");
    const std::map<std::string, std::string> users{{"kom.hex", "old image"},
                                                   {"kom.lst", "user listing"},
                                                   {"kom.cod", "user symbols"},
                                                   {"bad.hex", "old image"},
                                                   {"bad.lst", "user listing"}};
    for (const auto& [name, bytes] : users)
        test::writeBytes(folder_ / name, bytes);

    EXPECT_EQ(buildAsF9Does("bad.asm"), assemblerStatusText(true, false, 1));
    EXPECT_EQ(buildAsF9Does(kFirmwareSourceName), assemblerStatusText(true, false, 0));

    for (const auto& [name, bytes] : users) {
        if (name != "kom.hex") {
            EXPECT_EQ(test::readBytes(folder_ / name), bytes) << name;
        }
    }
    EXPECT_FALSE(parseIntelHex(test::readBytes(folder_ / "kom.hex")).empty());
    EXPECT_FALSE(fs::exists(folder_ / "bad.cod"));
}

// What the controller gets from a table is what reading it back gives, from
// the source and from the image, for tables of every kind of input.
TEST_F(AssembledTable, ImagesReadBackToTheCalculatedBytes)
{
    int built = 0;
    for (const Inputs& in : test::generatedInputs(32, 2212)) {
        CalcState state;
        startUp(state, in);
        if (calculate(state, in, '.').refused)
            continue;
        SCOPED_TRACE("prescaler " + in.combo1[0] +
                     (in.byCoefficients() ? ", coefficients" : ", points"));
        ASSERT_TRUE(writeTableSource(folder_ / kTableSourceFileName, state, in).ok);
        assemble();
        const TableReadResult image = readTableFile(folder_ / "kom.hex");
        const TableReadResult source = readTableFile(folder_ / kTableSourceFileName);
        ASSERT_TRUE(image) << image.reason;
        ASSERT_TRUE(source) << source.reason;
        EXPECT_EQ(*image.table, calculatedTable(state));
        EXPECT_EQ(*source.table, calculatedTable(state));
        ++built;
    }
    EXPECT_EQ(built, 32);
}

// Each hand edit the reader takes, the assembler takes to the same bytes.
TEST_F(AssembledTable, HandEditsAssembleToWhatTheReaderReads)
{
    Inputs in = initialInputs();
    CalcState state;
    startUp(state, in);
    ASSERT_FALSE(calculate(state, in, '.').refused);
    for (const test::TableEdit& edit : test::tableSourceEdits()) {
        SCOPED_TRACE(edit.label);
        test::writeBytes(folder_ / kTableSourceFileName, edit.apply(tableSourceLines(state, in)));
        assemble();
        const TableReadResult image = readTableFile(folder_ / "kom.hex");
        ASSERT_TRUE(image) << image.reason;
        EXPECT_EQ(*image.table, calculatedTable(state));
    }
}

}  // namespace
}  // namespace ign
