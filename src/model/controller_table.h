// The table as the controller holds it: the 124 EEPROM bytes of both
// characteristics' slope and offset bytes and the two speed limits, whether
// they come from a calculation or are read back from a file.
#pragma once

#include <array>
#include <cstdint>

#include "model/calc_state.h"

namespace ign {

// Entries 2..31 of two characteristics, two bytes each, then Tmax and Tmin.
inline constexpr int kTableEntryBytes = 2 * (kLastEntry - kFirstEntry + 1);
inline constexpr int kTmaxHighByte = 2 * kTableEntryBytes;  // 0x78
inline constexpr int kTableBytes = kTmaxHighByte + 4;  // 124

// EEPROM offset of the slope byte k of an entry; its offset byte b follows.
constexpr int slopeByteIndex(int characteristic, int entry)
{
    return characteristic * kTableEntryBytes + 2 * (entry - kFirstEntry);
}

struct ControllerTable {
    // In EEPROM order. A table read from a file holds bytes only; the
    // calculation's may hold values outside 0..255, which no controller can.
    std::array<std::int32_t, kTableBytes> bytes{};

    std::int32_t slope(int characteristic, int entry) const
    {
        return bytes[static_cast<std::size_t>(slopeByteIndex(characteristic, entry))];
    }
    // b, the byte the controller subtracts: the negated segOffset.
    std::int32_t offsetByte(int characteristic, int entry) const
    {
        return bytes[static_cast<std::size_t>(slopeByteIndex(characteristic, entry) + 1)];
    }
    // Both bytes of the entry fit the controller's bytes, so it fires by them.
    bool entryFits(int characteristic, int entry) const;
    // The periods at Nmin and Nmax, in ticks.
    std::int32_t tmaxTicks() const { return word(kTmaxHighByte); }
    std::int32_t tminTicks() const { return word(kTmaxHighByte + 2); }

    friend bool operator==(const ControllerTable&, const ControllerTable&) = default;

private:
    std::int32_t word(int high) const
    {
        return bytes[static_cast<std::size_t>(high)] * 256 +
            bytes[static_cast<std::size_t>(high + 1)];
    }
};

// The bytes the table source writes for the state's last calculation.
ControllerTable calculatedTable(const CalcState& state);

}  // namespace ign
