#include "LaunchCombination.h"

#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/Store.h"

#include <limits>

namespace qbx {

std::optional<LaunchResult> LaunchCombination(AppState& state, Desktop& desktop, int group, int position,
                                              Status* countWritten)
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
        guarded(lcStart, "starting a member", [&] { started = desktop.startProgram(qs(member.exePath)); });
        result[k].outcome = started ? MemberLaunch::Outcome::Started : MemberLaunch::Outcome::Failed;
        result[k].name = member.name;
        if (!started)
            qCInfo(lcStart, "member %d of %s did not start: %s", static_cast<int>(k) + 1, o.name.c_str(),
                   member.exePath.c_str());
    }

    if (o.useCounter < std::numeric_limits<std::int32_t>::max())
        ++o.useCounter;
    const std::string name = o.name; // the re-sort may move another entry into this place
    const Status written = sortComboGroup(state, group);
    if (!written)
        qCInfo(lcStore, "the use of combination %s not written: %s", name.c_str(),
               written.error().message.c_str());
    if (countWritten)
        *countWritten = written;
    return result;
}

} // namespace qbx
