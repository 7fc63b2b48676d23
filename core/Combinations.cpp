#include "Combinations.h"

#include "store/Store.h"

namespace qbx {

std::string comboIconPath(const AppState& state, const ComboEntry& combo)
{
    if (combo.programs[0] < 1)
        return {};
    const ProgramEntry member = readProgramRecord(state, combo.programs[0]);
    if (!inCatalogue(member.major, member.minor, member.slot))
        return {};
    return state.catalogue.at(member.major, member.minor, member.slot).exePath;
}

} // namespace qbx
