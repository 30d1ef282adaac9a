#include "output/comparison_csv.h"

#include <cmath>

#include "model/numbers.h"

namespace ign {
namespace {

void appendCell(std::string& out, double value, int decimals)
{
    out += ',';
    if (std::isfinite(value))
        appendFixed(out, value, decimals, '.');
}

}  // namespace

std::string comparisonCsv(const TableComparison& c)
{
    std::string out;
    out.reserve(120 * (c.periods.size() + 1));
    out += kComparisonCsvHeader;
    out += '\n';
    for (const ComparedPeriod& p : c.periods) {
        appendFixed(out, p.periodTicks, 0, '.');
        appendCell(out, p.rpm, 4);
        appendCell(out, p.entry, 0);
        for (int ch = 0; ch < 2; ++ch) {
            const auto at = static_cast<std::size_t>(ch);
            appendCell(out, c.calculated.slope(ch, p.entry), 0);
            appendCell(out, c.calculated.offsetByte(ch, p.entry), 0);
            appendCell(out, c.file.slope(ch, p.entry), 0);
            appendCell(out, c.file.offsetByte(ch, p.entry), 0);
            appendCell(out, p.calculated[at], 4);
            appendCell(out, p.file[at], 4);
            appendCell(out, p.difference(ch), 4);
        }
        out += '\n';
    }
    return out;
}

}  // namespace ign
