#include "model/inputs.h"

namespace ign {

Inputs initialInputs()
{
    Inputs in;
    in.text1 = {"", "212", "4", "47", "100", "18", "72"};
    in.text4 = {"45.1", "1919", "2821", "28", "1919", "4511"};
    in.text5.fill("77.7");
    in.text5[30] = "11";
    in.text6[0] = "0";
    for (int k = 1; k <= 10; ++k)
        in.text6[static_cast<std::size_t>(k)] = std::to_string(k);
    in.text6[11] = "0";
    in.text6[12] = "0";
    for (int k = 13; k <= 21; ++k)
        in.text6[static_cast<std::size_t>(k)] = std::to_string(k);
    in.text6[22] = "10";
    in.text6[23] = "10";
    return in;
}

}  // namespace ign
