// The achieved advance at every crank period as a CSV file for spreadsheets
// and plotting tools: UTF-8, commas, full stops, one header line.
#pragma once

#include <string>

#include "model/table_analysis.h"

namespace ign {

inline constexpr const char* kAchievedCsvHeader =
    "period_ticks,rpm,entry,wanted_1,achieved_1,deviation_1,wanted_2,achieved_2,deviation_2";

// The whole file, LF line ends; an undefined value is an empty cell.
std::string achievedCsv(const TableAnalysis& analysis);

}  // namespace ign
