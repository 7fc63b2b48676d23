#pragma once
// Taking back a change that could not be written in full. What a change may touch is kept
// before it is made; when one of its writes fails, memory is put back and the records the change
// did write are written back, so that nothing is shown (or completed later from a journal) that
// the user was told had failed.

#include "AppState.h"
#include "Result.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qbx {

struct StateSnapshot {
    Catalogue catalogue;
    std::optional<UnclassifiedList> unclassified; // kept only when the change may use the list
    ComboTable combos;
    MinorNameTable minorNames;
    Selection sel;
    std::int16_t ycount = 0;
    std::int16_t zhcount = 0;
    // Whether a journal lay beside "yfrj.dat", "wfrj.dat", "zhrj.dat" before the change: one that
    // was there already belongs to an earlier change and is left alone.
    std::array<bool, 3> journalBefore{};
};

// Keeps the state a change may touch. `withUnclassified`: the list of programs taken out too
// (read afresh from its file by the caller first, so that what is kept is what the file holds).
StateSnapshot takeSnapshot(const AppState& state, bool withUnclassified = false);

// Puts `state` back to `kept`: memory first, always; then the journal the failed change left
// beside a data file is dropped, every record whose entry differs from the kept one is written
// back (a record the change gave to a new program is emptied again), and the program count of
// the settings file too. The status tells whether the files could be put back as well.
Status restoreSnapshot(AppState& state, const StateSnapshot& kept);

} // namespace qbx
