// Inputs spread over what users enter, for the tests that must hold for any
// table: each prescaler, curves by coefficients and by points with two
// decimals, sensor and controller values across their ranges. The same seed
// gives the same inputs on every run.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "model/inputs.h"
#include "model/numbers.h"

namespace ign::test {

inline std::vector<Inputs> generatedInputs(int count, unsigned seed)
{
    std::mt19937 random(seed);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto text = [](double v) { return formatGeneral(roundHalfAway(v * 100) / 100, '.'); };
    std::vector<Inputs> out;
    for (int i = 0; i < count; ++i) {
        Inputs in = initialInputs();
        in.combo1[0] = kPrescalerItems[static_cast<std::size_t>(i % 4)];
        in.combo1[1] = kPulseCountItems[static_cast<std::size_t>(i / 4 % 2)];
        in.combo2[0] = kNminItems[static_cast<std::size_t>(i % 5)];
        in.combo2[1] = kNmaxItems[static_cast<std::size_t>(i % 8)];
        in.text1[kInputDelayField] = text(uniform(30, 200));
        in.text1[kPulseLengthField] = text(uniform(10, 3000));
        in.text1[kInitialAdvanceField] = text(uniform(8, 25));
        in.text1[kPulseGapField] = text(uniform(40, 90));
        const bool byPoints = i / 8 % 2 == 1;
        in.option1 = {!byPoints, byPoints};
        for (int ch = 0; ch < 2; ++ch) {
            const auto base = static_cast<std::size_t>(coefficientBase(ch));
            in.text4[base] = text(uniform(20, 60));
            in.text4[base + 1] = text(uniform(0, 40000));
            in.text4[base + 2] = text(uniform(500, 5000));
            // A rising curve that flattens, as engines want it.
            double angle = uniform(0, 8);
            for (int j = 0; j <= 10; ++j) {
                in.text6[static_cast<std::size_t>(pointField(ch, j))] = text(angle);
                angle += uniform(0, 7) * (1 - j / 12.0);
            }
            in.text6[static_cast<std::size_t>(pointField(ch, kTopPoint))] =
                text(angle + uniform(-2, 3));
        }
        out.push_back(in);
    }
    return out;
}

}  // namespace ign::test
