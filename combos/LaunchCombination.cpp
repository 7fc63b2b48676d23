#include "LaunchCombination.h"

#include "ComboLog.h"
#include "Desktop.h"
#include "Store.h"
#include "Text.h"

#include <limits>

namespace qbx {

std::optional<LaunchResult> LaunchCombination(AppState& state, Desktop& desktop, int group, int position)
{
    if (group < 0 || group >= kGroups || position < 0 || position >= kPositions)
        return std::nullopt;
    ComboEntry& o = state.combos.at(group, position);
    if (o.programs[0] < 1)
        return std::nullopt;

    LaunchResult result;
    for (std::size_t k = 0; k < result.size(); ++k) {
        const int r = o.programs[k];
        if (r < 1)
            continue;
        // The member as its own record holds it; the catalogue's copy is not consulted.
        const ProgramEntry member = readProgramRecord(state, r);
        if (member.exePath.empty())
            continue;
        bool started = false;
        try {
            started = desktop.startProgram(qs(member.exePath));
        } catch (...) {
        }
        result[k].outcome = started ? MemberLaunch::Outcome::Started : MemberLaunch::Outcome::Failed;
        result[k].name = member.name;
        if (!started)
            qCInfo(lcCombos) << "member" << k + 1 << "of" << qs(o.name) << "did not start:" << qs(member.exePath);
    }

    if (o.useCounter < std::numeric_limits<std::int32_t>::max())
        ++o.useCounter;
    if (const Status written = sortComboGroup(state, group); !written)
        qCWarning(lcCombos) << "combination use not written:" << qs(written.error().message);
    return result;
}

} // namespace qbx
