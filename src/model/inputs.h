// The window's input controls as plain data: field texts and control states,
// exactly what the settings file stores. The inputs model (inputs_model.h)
// holds the one live set; commands compute from its values, files and
// commands hand it new ones, and the rules below say what a control takes.
#pragma once

#include <algorithm>
#include <array>
#include <string>

#include "model/geometry.h"

namespace ign {

struct Inputs {
    // Combo1(0): TMR1 prescaler, one of "1", "2", "4", "8".
    // Combo1(1): negative sensor pulses per revolution, "1" or "2".
    std::array<std::string, 2> combo1{"8", "2"};
    // Combo2(0): Nmin, the speed from which the advance regulation works.
    // Combo2(1): Nmax, the maximum speed with the break-in function on.
    std::array<std::string, 2> combo2{"1000", "3000"};
    bool check1 = false;  // save automatically on exit
    std::array<bool, 2> option1{true, false};  // by coefficients / by points
    std::array<std::string, 7> text1{};  // elements 1..6 are used, see below
    std::array<std::string, 6> text4{};  // coefficients a, b, c of both characteristics
    std::array<std::string, 60> text5{};  // the never-shown table panel
    std::array<std::string, 24> text6{};  // points of both characteristics

    bool byCoefficients() const { return option1[0]; }
    friend bool operator==(const Inputs&, const Inputs&) = default;
};

// The texts the window shows before any settings file is read.
Inputs initialInputs();

// Items of the two drop-down lists; a text that is no item cannot be selected.
inline constexpr std::array<const char*, 4> kPrescalerItems{"1", "2", "4", "8"};
inline constexpr std::array<const char*, 2> kPulseCountItems{"1", "2"};
inline constexpr std::array<const char*, 5> kNminItems{"950", "1000", "1500", "2000", "2500"};
inline constexpr std::array<const char*, 8> kNmaxItems{"2000", "3000", "4000", "5000",
                                                       "6000", "7000", "8000", "9000"};

// A drop-down list takes a text only when it is one of its items, and keeps
// its selection otherwise.
template <std::size_t N>
void selectItem(std::string& selected, const std::array<const char*, N>& items,
                const std::string& text)
{
    if (std::find(items.begin(), items.end(), text) != items.end())
        selected = text;
}

// The two option buttons are one group: selecting one clears the other,
// clearing one selects nothing, so both may end up clear.
inline void setOptionState(std::array<bool, 2>& options, std::size_t which, bool on)
{
    options.at(which) = on;
    if (on)
        options[1 - which] = false;
}

// The Text1 elements the calculation reads; 1 and 2 are shown for
// information only.
inline constexpr std::size_t kInputDelayField = 3;  // us from the sensor edge to the program
inline constexpr std::size_t kPulseLengthField = 4;  // control pulse, us
inline constexpr std::size_t kInitialAdvanceField = 5;  // degrees, the sensor's own advance
inline constexpr std::size_t kPulseGapField = 6;  // degrees between the two sensor pulses

// Field indices of one characteristic (0 or 1).
inline int coefficientBase(int characteristic)
{
    return characteristic == 0 ? 0 : 3;
}
// The Text6 element of point j (0..kTopPoint, see pointRpm): characteristic
// 1 owns elements 0..10 and 22, characteristic 2 owns 11..21 and 23.
inline int pointField(int characteristic, int j)
{
    if (j == kTopPoint)
        return characteristic == 0 ? 22 : 23;
    return (characteristic == 0 ? 0 : 11) + j;
}

}  // namespace ign
