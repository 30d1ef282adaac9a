// The built-in advance curves of three engines.
#pragma once

#include <array>

#include "model/inputs.h"

namespace ign {

struct EnginePreset {
    const char* menuName;  // "ij", "ural", "jawa"
    const char* caption;  // menu text
    std::array<const char*, 3> coefficients;  // a, b, c
    std::array<const char*, 11> points;  // 1000..10000 rpm, then 14000 rpm
};

extern const std::array<EnginePreset, 3> kEnginePresets;

// Fills the coefficient and point fields of one characteristic with the texts.
void applyPreset(const EnginePreset& preset, Inputs& in, int characteristic);

}  // namespace ign
