#include "model/table_compare.h"

#include <cmath>
#include <limits>

#include "model/geometry.h"
#include "model/messages.h"
#include "model/numbers.h"

namespace ign {
namespace {

constexpr int kComparedEntries = 2 * (kLastEntry - kFirstEntry + 1);

bool sameEntry(const ControllerTable& a, const ControllerTable& b, int ch, int e)
{
    return a.slope(ch, e) == b.slope(ch, e) && a.offsetByte(ch, e) == b.offsetByte(ch, e);
}

void appendLimit(std::string& out, const char* name, double file, double calculated, char sep)
{
    out += "; ";
    out += name;
    out += " в файле ";
    appendFixed(out, file, 0, sep);
    out += " об/мин, в расчёте ";
    appendFixed(out, calculated, 0, sep);
    out += " об/мин";
}

void appendBytes(std::string& out, const ControllerTable& t, int ch, int e)
{
    out += "k " + std::to_string(t.slope(ch, e)) + ", b " + std::to_string(t.offsetByte(ch, e));
}

}  // namespace

TableComparison compareTables(const ControllerTable& calculated, const ControllerTable& file,
                              const FiringInputs& firing)
{
    TableComparison out;
    out.calculated = calculated;
    out.file = file;
    const FiredTable mine = fireTable(calculated, firing);
    const FiredTable theirs = fireTable(file, firing);
    out.calculatedNmin = mine.nminRpm;
    out.calculatedNmax = mine.nmaxRpm;
    out.fileNmin = theirs.nminRpm;
    out.fileNmax = theirs.nmaxRpm;

    out.periods.resize(mine.periods.size());
    for (std::size_t i = 0; i < mine.periods.size(); ++i) {
        const PeriodAdvance& p = mine.periods[i];
        out.periods[i] = {p.periodTicks, p.entry, p.rpm, p.achieved, theirs.periods[i].achieved};
    }

    for (int ch = 0; ch < 2; ++ch) {
        for (int e = kFirstEntry; e <= kLastEntry; ++e) {
            const auto first = static_cast<std::size_t>(entryPeriodTicks(e) - kFirstAnalysedPeriod);
            // Entries with the same bytes fire the same: only the others count.
            if (sameEntry(calculated, file, ch, e))
                continue;
            EntryDifference d{ch, e, out.periods[first].rpm, 0};
            bool defined = false;
            for (std::size_t i = first; i < first + kTicksPerEntry; ++i) {
                const ComparedPeriod& p = out.periods[i];
                const double diff = p.difference(ch);
                if (!std::isfinite(diff))
                    continue;
                if (!defined || std::fabs(diff) > std::fabs(d.advanceDifference))
                    d.advanceDifference = diff;
                defined = true;
                if (!out.largestDefined || std::fabs(diff) > std::fabs(out.largestDifference)) {
                    out.largestDefined = true;
                    out.largestDifference = diff;
                    out.largestAtRpm = p.rpm;
                    out.largestCharacteristic = ch;
                    out.largestEntry = e;
                }
            }
            if (!defined)
                d.advanceDifference = std::numeric_limits<double>::quiet_NaN();
            out.differing.push_back(d);
        }
    }
    return out;
}

std::string comparisonSummary(const TableComparison& c, char sep)
{
    if (c.identical())
        return "Таблица из файла совпадает с рассчитанной";
    std::string out;
    const int count = static_cast<int>(c.differing.size());
    if (count == 0) {
        out = "Записи таблицы из файла совпадают с рассчитанными";
    } else {
        out = verbForCount(count, "Отличается ", "Отличаются ") + std::to_string(count) + " из " +
            std::to_string(kComparedEntries) + " записей; ";
        if (c.largestDefined) {
            out += "наибольшая разница ";
            appendFixed(out, std::fabs(c.largestDifference), 2, sep);
            out += "° при ";
            appendFixed(out, c.largestAtRpm, 0, sep);
            out += " об/мин (характеристика " + std::to_string(c.largestCharacteristic + 1) +
                ", запись " + std::to_string(c.largestEntry) + ")";
        } else {
            out += "разница УОЗ не определена";
        }
    }
    if (c.tmaxDiffers())
        appendLimit(out, "Nmin", c.fileNmin, c.calculatedNmin, sep);
    if (c.tminDiffers())
        appendLimit(out, "Nmax", c.fileNmax, c.calculatedNmax, sep);
    return out;
}

std::string differenceLine(const TableComparison& c, const EntryDifference& d, char sep)
{
    std::string out = "Характеристика " + std::to_string(d.characteristic + 1) + ", запись " +
        std::to_string(d.entry) + ", ";
    appendFixed(out, d.rpm, 0, sep);
    out += " об/мин: в расчёте ";
    appendBytes(out, c.calculated, d.characteristic, d.entry);
    out += ", в файле ";
    appendBytes(out, c.file, d.characteristic, d.entry);
    out += "; разница ";
    if (std::isfinite(d.advanceDifference)) {
        appendFixed(out, d.advanceDifference, 2, sep);
        out += "°";
    } else {
        out += "не определена";
    }
    return out;
}

}  // namespace ign
