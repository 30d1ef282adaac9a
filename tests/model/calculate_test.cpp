#include <gtest/gtest.h>

#include "model/calculate.h"

namespace ign {
namespace {

// The worked example: 18 deg initial advance, 72 deg pulse gap, 47 us input
// delay, prescaler 8, a = 45.1, b = 1919, c = 2821.
struct Example {
    Inputs in = initialInputs();
    CalcState state;
    CalculateOutcome outcome;
    Example() { startUp(state, in); }
    void run(char sep = '.') { outcome = calculate(state, in, sep); }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        std::string s = outcome.listing;
        for (std::size_t pos = 0; pos < s.size();) {
            const std::size_t end = s.find("\r\n", pos);
            out.push_back(s.substr(pos, end - pos));
            pos = end + 2;
        }
        return out;
    }
};

TEST(CalculateListing, WorkedExampleRows)
{
    Example ex;
    ex.run();
    const auto lines = ex.lines();
    ASSERT_GE(lines.size(), 32u);
    EXPECT_EQ(lines[0], "************ Характеристика 1 ************");
    EXPECT_EQ(lines[1], " 2)  87    19   14648.4   38.1   -0.35");
    EXPECT_EQ(lines[2], " 3)  92    26   9765.6    34.7   +0.09");
    EXPECT_EQ(lines[4], " 5) 101    46   5859.4    30.4   -0.19");
    EXPECT_EQ(lines[30], "31) 125   198   945.1     10.8   -0.04");
    EXPECT_EQ(lines[31], "");
    EXPECT_TRUE(ex.outcome.messages.empty());
    EXPECT_FALSE(ex.outcome.refused);
}

}  // namespace
}  // namespace ign
