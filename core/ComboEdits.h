#pragma once
// Filing combinations: creating, renaming and deleting combination groups and combinations and
// removing their members. Plain functions over the program-wide state; each change is checked
// for being writable first and then written at once, and the combination-record count in the
// settings file always equals the records in use.
//
// A group g exists when ComboTable(g, 0) carries a group name; position 0 is both the group's
// header and its first combination place. Only positions 0-4 are edited.

#include "store/AppState.h"

#include <string>
#include <string_view>

namespace qbx {

inline constexpr int kComboMembers = 5;
inline constexpr int kComboNameChars = 10;        // what the name box takes
inline constexpr int kComboDescriptionChars = 60; // what the description box takes

// What a command did. A refused command changed nothing and says why in `message`; a command
// that was carried out may still have a message (a write that failed). `recordNo` names the entry
// the command acted on, so the caller can find it again after a re-sort has moved it.
struct ComboEdit {
    bool done = false;
    std::string message;
    int recordNo = 0;
};

// The text without blanks (U+0020) at either end.
std::string trimmedBlanks(std::string_view text);

// Entries that hold a record of "zhrj.dat" (a group name), in every place start-up fills.
int comboRecordsInUse(const ComboTable& combos);

// The place (group, position 0-4) of the live entry with `recordNo`; false when there is none.
bool findCombo(const ComboTable& combos, int recordNo, int& group, int& position);

// A new group named `typed` (stored as typed, compared without its end blanks) in the first free
// group place. Refused when the fifth group place is named, the name is empty or in use.
ComboEdit createComboGroup(AppState& state, const std::string& typed);

// A new combination in group `group`, in its first place without members (a combination that
// has none yet is taken over). Refused when the name is empty or used by any combination, the
// fifth place is named, the group has no name, or every place has members.
ComboEdit createCombination(AppState& state, int group, const std::string& typedName,
                            const std::string& typedDescription);

// Empties all five places of the group, writes them and re-sorts.
ComboEdit deleteComboGroup(AppState& state, int group);
// Empties the combination (its place stays in the group) and re-sorts.
ComboEdit deleteCombination(AppState& state, int group, int position);
// Frees member place `member` of the combination and re-sorts; the description keeps the name.
ComboEdit removeComboMember(AppState& state, int group, int position, int member);

// Every named place of the group takes `typed` as its group name.
ComboEdit renameComboGroup(AppState& state, int group, const std::string& typed);
// A named combination takes the (trimmed) name and description.
ComboEdit renameCombination(AppState& state, int group, int position, const std::string& typedName,
                            const std::string& typedDescription);

// After members were added: re-sorts the combinations (group `group`, then the groups).
ComboEdit finishComboAdding(AppState& state, int group, int recordNo);

} // namespace qbx
