#pragma once
// Launching a combination: its members are started one after another, each read from its own
// record of "yfrj.dat" and started like a single program, and the launch is counted for the
// combination (not for its members). The result says, place by place, what became of each member;
// the report window shows it.

#include "store/Result.h"

#include <array>
#include <optional>
#include <string>

namespace qbx {

struct AppState;
class Desktop;

// What one member place of a launched combination came to.
struct MemberLaunch {
    enum class Outcome { NotAssigned, Started, Failed };
    Outcome outcome = Outcome::NotAssigned; // no member there, or its record holds no path
    std::string name;                       // the member's name as its record holds it
};
using LaunchResult = std::array<MemberLaunch, 5>;

// Launches ComboTable(group, position). A combination without a first member starts, counts and
// reports nothing (nullopt). Otherwise every member whose record names a path is started, the
// combination's use count grows by one (it stays at 2147483647 once there) and the combinations
// are re-sorted and written; the launched combination may move. A write that fails does not keep
// the result from being reported; `countWritten`, when given, receives how the writing went.
std::optional<LaunchResult> LaunchCombination(AppState& state, Desktop& desktop, int group, int position,
                                              Status* countWritten = nullptr);

} // namespace qbx
