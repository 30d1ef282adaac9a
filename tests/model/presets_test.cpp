#include "model/presets.h"

#include <gtest/gtest.h>

namespace ign {
namespace {

TEST(EnginePresets, HoldTheThreeCurvesAsTexts)
{
    ASSERT_EQ(kEnginePresets.size(), 3u);
    const auto& [ij, ural, jawa] = kEnginePresets;
    EXPECT_STREQ(ij.menuName, "ij");
    EXPECT_STREQ(ij.caption, "ИЖ");
    EXPECT_STREQ(ural.menuName, "ural");
    EXPECT_STREQ(ural.caption, "Урал");
    EXPECT_STREQ(jawa.menuName, "jawa");
    EXPECT_STREQ(jawa.caption, "Ява");

    const auto texts = [](const auto& array) {
        return std::vector<std::string>(array.begin(), array.end());
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(texts(ij.coefficients), (Texts{"26.06", "391.8", "2151"}));
    EXPECT_EQ(texts(ural.coefficients), (Texts{"53.31", "42050", "869.9"}));
    EXPECT_EQ(texts(jawa.coefficients), (Texts{"38.96", "141.8", "1641"}));
    EXPECT_EQ(texts(ij.points),
              (Texts{"7.6", "12.3", "15.3", "17.6", "18.2", "19.3", "20.0", "20.5", "21.2", "21.5",
                     "21.7"}));
    EXPECT_EQ(texts(ural.points),
              (Texts{"3.3", "19.5", "30.5", "35.1", "38.2", "40.0", "40.7", "40.7", "40.7", "40.7",
                     "40.7"}));
    // The first two "Ява" points end with a blank.
    EXPECT_EQ(texts(jawa.points),
              (Texts{"8.3 ", "20.3 ", "25.1", "29.1", "30.0", "30.5", "31.4", "31.8", "32.5",
                     "33.8", "34.1"}));
}

TEST(EnginePresets, SecondCharacteristicGetsTheCurveAndTheFirstKeepsItsOwn)
{
    Inputs in = initialInputs();
    const Inputs before = in;
    const EnginePreset& ij = kEnginePresets[0];
    applyPreset(ij, in, 1);
    EXPECT_EQ(in.text4[3], "26.06");
    EXPECT_EQ(in.text4[4], "391.8");
    EXPECT_EQ(in.text4[5], "2151");
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(in.text6[static_cast<std::size_t>(11 + k)],
                  ij.points[static_cast<std::size_t>(k - 1)])
            << k;
    EXPECT_EQ(in.text6[23], "21.7");
    for (std::size_t i = 0; i <= 2; ++i)
        EXPECT_EQ(in.text4[i], before.text4[i]) << i;
    for (std::size_t i : {0u, 1u, 5u, 10u, 11u, 22u})
        EXPECT_EQ(in.text6[i], before.text6[i]) << i;
    EXPECT_EQ(in.text5, before.text5);
    EXPECT_EQ(in.text1, before.text1);
}

TEST(EnginePresets, FirstCharacteristicGetsTheCurveAndTheSecondKeepsItsOwn)
{
    Inputs in = initialInputs();
    const Inputs before = in;
    applyPreset(kEnginePresets[2], in, 0);
    EXPECT_EQ(in.text4[0], "38.96");
    EXPECT_EQ(in.text4[2], "1641");
    EXPECT_EQ(in.text6[1], "8.3 ");
    EXPECT_EQ(in.text6[2], "20.3 ");
    EXPECT_EQ(in.text6[10], "33.8");
    EXPECT_EQ(in.text6[22], "34.1");
    EXPECT_EQ(in.text6[0], "0");
    for (std::size_t i = 3; i <= 5; ++i)
        EXPECT_EQ(in.text4[i], before.text4[i]) << i;
    for (std::size_t i = 11; i <= 21; ++i)
        EXPECT_EQ(in.text6[i], before.text6[i]) << i;
    EXPECT_EQ(in.text6[23], before.text6[23]);
}

}  // namespace
}  // namespace ign
