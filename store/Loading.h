#pragma once
// Private to the store: start-up loading, optionally noting what a repair has to mend.

#include "AppState.h"

#include <utility>
#include <vector>

namespace qbx::detail {

// What loading found that would hide or overwrite a filed program.
struct LoadFindings {
    // Entries that lost their place to a later record claiming it.
    std::vector<ProgramEntry> displacedPrograms;
    std::vector<ComboEntry> displacedCombos;
    // (position, number it carried) of placed entries whose number was not their position;
    // each entry now carries its position.
    std::vector<std::pair<int, int>> programsRenumbered;
    std::vector<std::pair<int, int>> combosRenumbered;

    template <typename Entry>
    void renumber(Entry& e, int position, std::vector<std::pair<int, int>>& into)
    {
        if (e.recordNo == position)
            return;
        into.emplace_back(position, e.recordNo);
        e.recordNo = position;
    }
};

// Fills the combination table and the catalogue as loadAll describes; with `findings`, each
// entry takes its position in the file as its number and the entries a later record pushed out
// of their place are kept in `findings` instead of being dropped.
void loadRecords(AppState& state, LoadFindings* findings);

} // namespace qbx::detail
