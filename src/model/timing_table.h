// One characteristic's timing table: the spark delay at every entry, the
// slope and offset bytes of the line the controller evaluates inside each
// entry, the advance those bytes really give, and the listing rows.
#pragma once

#include <string>
#include <vector>

#include "model/calc_state.h"
#include "model/curves.h"
#include "model/inputs.h"

namespace ign {

struct TableRun {
    std::string listing;  // heading, rows 2..31, closing empty line
    std::vector<Segment> segments;  // the computed curve, entries 32 down to 2
    bool smallAngle = false;  // an achieved delay came out negative
    bool byteOverflow = false;  // a slope or offset byte lies outside 0..255
    bool finite = true;  // false: the numbers are not defined
};

// BytesOnly leaves out the listing and the curve, for a search that
// computes many tables and looks at their bytes alone.
enum class TableOutput { Listed, BytesOnly };

// Computes characteristic 0 or 1 into `state` (entryRpm, entryAdvance,
// delayTicks, segSlope, segOffset) and returns what the window shows of it.
TableRun computeTimingTable(CalcState& state, const Inputs& in, int characteristic, Rgb colour,
                            char decimalSeparator, TableOutput output = TableOutput::Listed);

// The listing's heading line of a characteristic, and the columns of a row
// up to the achieved advance: entry, slope byte k, offset byte b, entry speed
// and advance, aligned as the window's fixed-pitch listing shows them.
std::string listingHeading(int characteristic);
void appendEntryColumns(std::string& row, int entry, double k, double b, double rpm,
                        double achieved, char decimalSeparator);

}  // namespace ign
