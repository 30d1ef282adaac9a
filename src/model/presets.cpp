#include "model/presets.h"

namespace ign {

// The texts are assigned as they stand, the trailing blanks of two "Ява"
// points included.
const std::array<EnginePreset, 3> kEnginePresets{{
    {"ij",
     "ИЖ",
     {"26.06", "391.8", "2151"},
     {"7.6", "12.3", "15.3", "17.6", "18.2", "19.3", "20.0", "20.5", "21.2", "21.5", "21.7"}},
    {"ural",
     "Урал",
     {"53.31", "42050", "869.9"},
     {"3.3", "19.5", "30.5", "35.1", "38.2", "40.0", "40.7", "40.7", "40.7", "40.7", "40.7"}},
    {"jawa",
     "Ява",
     {"38.96", "141.8", "1641"},
     {"8.3 ", "20.3 ", "25.1", "29.1", "30.0", "30.5", "31.4", "31.8", "32.5", "33.8", "34.1"}},
}};

void applyPreset(const EnginePreset& preset, Inputs& in, int characteristic)
{
    const auto at = [](int index) { return static_cast<std::size_t>(index); };
    for (int i = 0; i < 3; ++i)
        in.text4[at(coefficientBase(characteristic) + i)] = preset.coefficients[at(i)];
    for (int k = 1; k <= 10; ++k)
        in.text6[at(pointField(characteristic, k))] = preset.points[at(k - 1)];
    in.text6[at(topPointField(characteristic))] = preset.points[10];
}

}  // namespace ign
