// The curve behind a table: the point values whose table reproduces the
// bytes of a table read back from a controller, for a rider who has the
// table but not the curve it was made from.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/controller_table.h"
#include "model/inputs.h"

namespace ign {

inline constexpr int kTableEntriesPerCharacteristic = kLastEntry - kFirstEntry + 1;

struct TakenCurve {
    // Points 0..10 (0..10000 rpm) and the top value, as the point fields
    // hold them: two decimals at most, the full stop.
    std::array<std::string, kTopPoint + 1> points;
    // Of the characteristic's 30 entries, those whose bytes a calculation by
    // these points gives exactly.
    int entriesReproduced = 0;
};

// The points of one characteristic whose table best reproduces `table`
// under the sensor and controller fields of `in` (delay, initial advance,
// pulse gap, prescaler): a least-squares fit to the advance the table fires
// at the entry speeds, then a search over the points in steps of 0.01 deg for
// as long as it reproduces more entries. Nothing when the fields give no
// table at all (a prescaler of 0). Without `search` the fit alone, to measure
// what the search adds.
std::optional<TakenCurve> takeCurve(const ControllerTable& table, int characteristic,
                                    const Inputs& in, bool search = true);

// Puts the points into the characteristic's point fields.
void applyTakenCurve(const TakenCurve& curve, Inputs& in, int characteristic);

// "Характеристика 1: 0 7.6 12.3 ... 21.7; совпадают 30 из 30 записей"
std::string takenCurveLine(const TakenCurve& curve, int characteristic);

}  // namespace ign
