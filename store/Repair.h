#pragma once
// Start-up loading that mends what would hide a filed program or let a new one overwrite it.

#include "AppState.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace qbx {

// Live entries as the settings counters count them: filed programs (a name) and combination
// records in use (a group name).
int countFiledPrograms(const Catalogue& catalogue);
int countComboRecords(const ComboTable& combos);

// "(a, b, c)": a place in the catalogue or the combination table, as repairs and checks name it.
std::string placeText(std::initializer_list<int> indices);

// Temporary files that a write of the settings file or the first preparation of "wfrj.dat"
// leaves behind when it is cut short.
std::vector<std::filesystem::path> staleTemporaryFiles(const std::filesystem::path& appDir);

// Start-up in place of loadAll, after the settings are read and the unclassified list prepared:
//  - a journal beside a data file is settled (a complete one replayed, an incomplete one dropped)
//    and stale temporary files are removed;
//  - the records are loaded as loadAll loads them, except that an entry whose record number is not
//    its position in the file takes its position as its number, and an entry pushed out of its
//    place by a later record claiming it moves to the first free slot of its minor category (a
//    combination: the first free position 0-4 of its group) or, with none free, a program into
//    the list of programs taken out (its record in "yfrj.dat" is then emptied);
//  - "wfrj.dat" records carrying another record's number take their own;
//  - ycount and zhcount are set to what was loaded and written when they differed.
// Every changed record is written back. Returns one line per repair, for the log.
std::vector<std::string> loadAllRepairing(AppState& state);

} // namespace qbx
