// The advance the controller really fires at every crank period it can
// measure, not only at the 30 entry speeds the listing shows. Between two
// entry speeds the controller keeps to the rounded line of its entry, and the
// error there can be several times the one at the entry speed itself.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/calc_state.h"
#include "model/controller_table.h"
#include "model/inputs.h"

namespace ign {

// Every TMR1 period that selects one of the entries 2..31.
inline constexpr std::int32_t kFirstAnalysedPeriod = entryPeriodTicks(kFirstEntry);
inline constexpr std::int32_t kLastAnalysedPeriod = entryPeriodTicks(kLastEntry + 1) - 1;

struct PeriodAdvance {
    std::int32_t periodTicks = 0;
    std::int32_t entry = 0;  // entryOfPeriod(periodTicks)
    double rpm = 0;
    // Per characteristic; NaN where no value is defined: the wanted formula
    // divides by zero, or the entry's bytes do not fit the controller's bytes
    // (it would hold other bytes than the ones computed).
    std::array<double, 2> wanted{};
    std::array<double, 2> achieved{};

    double deviation(int ch) const
    {
        return wanted[static_cast<std::size_t>(ch)] - achieved[static_cast<std::size_t>(ch)];
    }
};

// What the controller fires by besides its table.
struct FiringInputs {
    double sensorAngleDeg = 0;  // initial advance plus pulse gap
    double tickSec = 0;
    double inputDelaySec = 0;
};
// Those of the state's last calculation.
FiringInputs firingInputs(const CalcState& state);
// The fields as Calculate would convert them, for a table read back.
FiringInputs firingInputs(const Inputs& in);

// The advance the controller fires at a period with the slope byte k and
// offset byte b of the period's entry.
double firedAdvance(const FiringInputs& firing, double slopeByte, double offsetByte,
                    std::int32_t periodTicks);

struct FiredTable {
    std::vector<PeriodAdvance> periods;  // ascending period; wanted is NaN
    double nminRpm = 0;  // the speeds the table's Tmax and Tmin stand for
    double nmaxRpm = 0;
};

// What a table fires at every period; an entry whose bytes do not fit the
// controller's bytes fires nothing defined.
FiredTable fireTable(const ControllerTable& table, const FiringInputs& firing);

// A table read back as the window lists a calculation: per characteristic
// the heading and one row per entry (entry, k, b, speed, advance at the
// entry speed), then the speed limits; CR LF line ends.
std::string firedTableListing(const ControllerTable& table, const FiredTable& fired,
                              char decimalSeparator);

struct AnalysisSummary {
    bool defined = false;  // at least one period has a deviation
    double largestDeviation = 0;  // largest |wanted - achieved| over all periods
    double largestAtRpm = 0;  // speed of the first period where it occurs
    double largestAtEntrySpeeds = 0;  // the same at the entry periods only: what the listing shows
    int entriesOutOfRange = 0;  // entries whose slope or offset byte is outside 0..255
};

struct TableAnalysis {
    std::vector<PeriodAdvance> periods;  // ascending period, so descending speed
    std::array<AnalysisSummary, 2> summary{};
    double nminRpm = 0;  // the speed limits of the calculation
    double nmaxRpm = 0;
};

// Analyses the tables of a calculation that was not refused. `calculated`
// must be the inputs that calculation ran with: the points mode reads its
// curve from the point fields.
TableAnalysis analyseTable(const CalcState& state, const Inputs& calculated);

// What the analysis window says before any calculation that passed its checks.
inline constexpr const char* kNoAnalysedTable = "Нет рассчитанной таблицы: нажмите «Рассчитать».";

// The reading under the pointer at `rpm`: speed, wanted, achieved and
// deviation of the characteristic whose curve lies nearer `value`, degrees of
// advance or, on the deviation chart, of deviation.
std::string analysisReading(const TableAnalysis& analysis, double rpm, double value,
                            bool deviationChart, char decimalSeparator);

// One line per characteristic for the user, e.g. "Характеристика 1:
// наибольшее отклонение 0,91° при 14507 об/мин (в точках таблицы 0,35°)".
std::string analysisSummaryLine(const TableAnalysis& analysis, int ch, char decimalSeparator);

}  // namespace ign
