#include <gtest/gtest.h>

#include "model/exit_plan.h"

namespace ign {
namespace {

TEST(ExitPlan, AutomaticSavingWinsThenUnsavedResultsAsk)
{
    const struct {
        bool automatic, unsaved;
        ExitTable table;
    } rows[] = {
        {true, true, ExitTable::Save},
        {true, false, ExitTable::Save},
        {false, true, ExitTable::Ask},
        {false, false, ExitTable::Leave},
    };
    for (const auto& r : rows) {
        Inputs in;
        in.check1 = r.automatic;
        CalcState state;
        state.resultsUnsaved = r.unsaved;
        EXPECT_EQ(exitTable(in, state), r.table) << r.automatic << r.unsaved;
    }
}

}  // namespace
}  // namespace ign
