// Compares two sets of window fields control by control, so a failure names
// the group that differs.
#pragma once

#include <gtest/gtest.h>

#include "model/inputs.h"

namespace ign::test {

inline void expectSameFields(const Inputs& actual, const Inputs& expected)
{
    EXPECT_EQ(actual.combo1, expected.combo1);
    EXPECT_EQ(actual.combo2, expected.combo2);
    EXPECT_EQ(actual.check1, expected.check1);
    EXPECT_EQ(actual.option1, expected.option1);
    EXPECT_EQ(actual.text1, expected.text1);
    EXPECT_EQ(actual.text4, expected.text4);
    EXPECT_EQ(actual.text5, expected.text5);
    EXPECT_EQ(actual.text6, expected.text6);
}

}  // namespace ign::test
