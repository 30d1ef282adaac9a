// The last calculation's table against a table read back from a file: which
// entries differ in a byte, and how far apart the advances they fire lie.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/controller_table.h"
#include "model/table_analysis.h"

namespace ign {

struct ComparedPeriod {
    std::int32_t periodTicks = 0;
    std::int32_t entry = 0;
    double rpm = 0;
    // Per characteristic; NaN where the table's entry fires nothing defined.
    std::array<double, 2> calculated{};
    std::array<double, 2> file{};

    double difference(int ch) const
    {
        return file[static_cast<std::size_t>(ch)] - calculated[static_cast<std::size_t>(ch)];
    }
};

struct EntryDifference {
    int characteristic = 0;  // 0 or 1
    int entry = 0;
    double rpm = 0;  // the entry's own speed
    // File minus calculation where the two lie furthest apart inside the
    // entry; NaN where either table fires nothing defined there.
    double advanceDifference = 0;
};

struct TableComparison {
    ControllerTable calculated;
    ControllerTable file;
    std::vector<ComparedPeriod> periods;  // ascending period, so descending speed
    std::vector<EntryDifference> differing;  // characteristic 1 first, ascending entry
    // The largest difference over all periods, file minus calculation.
    bool largestDefined = false;
    double largestDifference = 0;
    double largestAtRpm = 0;
    int largestCharacteristic = 0;
    int largestEntry = 0;
    // The speeds each table's Tmax and Tmin stand for.
    double calculatedNmin = 0, calculatedNmax = 0;
    double fileNmin = 0, fileNmax = 0;

    bool identical() const { return calculated == file; }
    bool tmaxDiffers() const { return calculated.tmaxTicks() != file.tmaxTicks(); }
    bool tminDiffers() const { return calculated.tminTicks() != file.tminTicks(); }
};

// Both tables fired under the same inputs: those of the last calculation.
TableComparison compareTables(const ControllerTable& calculated, const ControllerTable& file,
                              const FiringInputs& firing);

// One line for the window and the batch tool, e.g. "Отличаются 12 из 60
// записей; наибольшая разница 2,00° при 14507 об/мин (характеристика 1,
// запись 2)", or "Таблица из файла совпадает с рассчитанной".
std::string comparisonSummary(const TableComparison& comparison, char decimalSeparator);

// One differing entry: where, both byte pairs and the advance difference.
std::string differenceLine(const TableComparison& comparison, const EntryDifference& entry,
                           char decimalSeparator);

}  // namespace ign
