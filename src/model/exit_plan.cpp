#include "model/exit_plan.h"

namespace ign {

ExitTable exitTable(const Inputs& in, const CalcState& state)
{
    // Automatic saving writes even results already saved: the file then
    // matches the fields as they are left.
    if (in.check1)
        return ExitTable::Save;
    return state.resultsUnsaved ? ExitTable::Ask : ExitTable::Leave;
}

}  // namespace ign
