#include "output/achieved_csv.h"

#include <cmath>

#include "model/numbers.h"

namespace ign {
namespace {

void appendCell(std::string& out, double value)
{
    out += ',';
    if (std::isfinite(value))
        appendFixed(out, value, 4, '.');
}

}  // namespace

std::string achievedCsv(const TableAnalysis& analysis)
{
    std::string out;
    out.reserve(80 * (analysis.periods.size() + 1));
    out += kAchievedCsvHeader;
    out += '\n';
    for (const PeriodAdvance& p : analysis.periods) {
        appendFixed(out, p.periodTicks, 0, '.');
        out += ',';
        appendFixed(out, p.rpm, 4, '.');
        out += ',';
        appendFixed(out, p.entry, 0, '.');
        for (int ch = 0; ch < 2; ++ch) {
            const auto c = static_cast<std::size_t>(ch);
            appendCell(out, p.wanted[c]);
            appendCell(out, p.achieved[c]);
            appendCell(out, p.deviation(ch));
        }
        out += '\n';
    }
    return out;
}

}  // namespace ign
