// The listing of the worked example, as the library and the batch tool must
// both print it: 18 deg initial advance, 72 deg pulse gap, 47 us input delay,
// prescaler 8, a = 45.1, b = 1919, c = 2821.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ign::test {

inline void expectWorkedExampleListing(const std::vector<std::string>& lines)
{
    ASSERT_EQ(lines.size(), 64u);  // per characteristic: heading, 30 rows, empty line
    EXPECT_EQ(lines[0], "************ Характеристика 1 ************");
    EXPECT_EQ(lines[1], " 2)  87    19   14648.4   38.1   -0.35");
    EXPECT_EQ(lines[2], " 3)  92    26   9765.6    34.7   +0.09");
    EXPECT_EQ(lines[4], " 5) 101    46   5859.4    30.4   -0.19");
    EXPECT_EQ(lines[30], "31) 125   198   945.1     10.8   -0.04");
    EXPECT_EQ(lines[31], "");
    EXPECT_EQ(lines[32], "************ Характеристика 2 ************");
    EXPECT_EQ(lines[63], "");
}

}  // namespace ign::test
