// The comparison of the calculated table with a file's as a CSV file, like the
// achieved-advance one: UTF-8, commas, full stops, one header line.
#pragma once

#include <string>

#include "model/table_compare.h"

namespace ign {

inline constexpr const char* kComparisonCsvHeader =
    "period_ticks,rpm,entry,k_1,b_1,file_k_1,file_b_1,achieved_1,file_achieved_1,difference_1,"
    "k_2,b_2,file_k_2,file_b_2,achieved_2,file_achieved_2,difference_2";

// One row per period, the bytes of its entry in both tables and the advance
// each fires there; LF line ends, an empty cell where a value is not defined.
std::string comparisonCsv(const TableComparison& comparison);

}  // namespace ign
