#include "output/table_source.h"

#include "model/controller_table.h"
#include "model/numbers.h"
#include "storage/cp1251.h"

namespace ign {
namespace {

const std::string kRule = ";" + std::string(98, '=');
constexpr const char* kDataPrefix = "     DATA     ";
constexpr const char* kCommentGap = "           ; ";

std::string titleLine(int characteristic)
{
    return "; " + std::string(35, '-') + " Характеристика " + std::to_string(characteristic) + " " +
        std::string(43, '-');
}

std::string wholeNumber(float v)
{
    return formatFixed(v, 0, '.');
}

void appendTable(std::vector<std::string>& lines, const CalcState& s, int ch)
{
    const auto& slope = s.segSlope[static_cast<std::size_t>(ch)];
    const auto& offset = s.segOffset[static_cast<std::size_t>(ch)];
    for (std::size_t e = kFirstEntry; e <= kLastEntry; ++e) {
        const auto address = static_cast<std::uint32_t>(slopeByteIndex(ch, static_cast<int>(e)));
        lines.push_back(kDataPrefix + ("." + wholeNumber(slope[e])) + kCommentGap +
                        hexUpper(address));
        lines.push_back(kDataPrefix + ("." + wholeNumber(-offset[e])) + kCommentGap +
                        hexUpper(address + 1));
    }
}

}  // namespace

std::vector<std::string> tableSourceLines(const CalcState& s, const Inputs& in)
{
    std::vector<std::string> lines;
    lines.reserve(140);
    lines.push_back("        ORG 0x2100");
    lines.emplace_back();
    for (int ch = 0; ch < 2; ++ch) {
        if (ch == 1)
            lines.emplace_back();
        lines.push_back(kRule);
        lines.push_back(titleLine(ch + 1));
        lines.push_back(kRule);
        appendTable(lines, s, ch);
    }
    const auto limit = [&](const std::string& hex, const char* address, const char* label) {
        lines.push_back(kDataPrefix + ("0x" + hex) + kCommentGap + address + "     " + label);
    };
    limit(s.tmaxHex[0], "78", "Tmaxh");
    limit(s.tmaxHex[1], "79", "Tmaxl");
    limit(s.tminHex[0], "7A", "Tminh");
    limit(s.tminHex[1], "7B", "Tminl");
    lines.emplace_back();
    lines.emplace_back();
    // The firmware waits in 3-cycle loops after a fixed 27 us of its own.
    const double delayMicros = leadingNumber(in.text1[kInputDelayField]);
    lines.push_back("INPUT_DELAY          EQU         ." +
                    formatFixed((delayMicros - 27) / 3, 0, '.'));
    lines.push_back("T2CON_RESET          EQU         B'0" + s.t2conPostscale + "000'");
    lines.push_back("PR2_RESET            EQU         ." + std::to_string(s.pr2Reset));
    lines.push_back(leadingNumber(in.combo1[1]) == 1 ? "#define      single_pulse"
                                                     : "#define      double_pulse");
    lines.emplace_back();
    return lines;
}

std::string tableSourceBytes(const CalcState& state, const Inputs& in)
{
    std::string text;
    for (const std::string& line : tableSourceLines(state, in))
        text += line + "\r\n";
    return utf8ToCp1251(text);
}

WriteResult writeTableSource(const std::filesystem::path& file, const CalcState& state,
                             const Inputs& in)
{
    return writeFileAtomically(file, tableSourceBytes(state, in));
}

WriteResult saveResults(const std::filesystem::path& file, CalcState& state, const Inputs& in)
{
    WriteResult result = writeTableSource(file, state, in);
    if (result.ok)
        state.resultsUnsaved = false;
    return result;
}

}  // namespace ign
