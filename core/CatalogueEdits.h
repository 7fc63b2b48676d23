#pragma once
// Small catalogue look-ups and book-keeping the classification editor's commands share.

#include "store/AppState.h"

#include <optional>
#include <utility>

namespace qbx {

// The catalogue minor position holding the programs of minor name `nameIndex` of `major`: its
// slotMap, or while that is unknown the lowest position whose slot 0 is free. -1 when neither
// gives a position (the commands then do nothing).
int minorColumn(const AppState& state, int major, int nameIndex);

// The first free slot of (major, minor), -1 when all 25 are taken.
int firstFreeSlot(const AppState& state, int major, int minor);

// Where an entry went after re-sorting (minor categories move as wholes): the (minor, slot) in
// `major` of the filed entry with the same name, path and record number.
std::optional<std::pair<int, int>> locateEntry(const AppState& state, int major, const ProgramEntry& like);

// A free place that still carries `recordNo` from a program taken out would, on the next
// re-sort of its category, be written over the record a new program now holds: it gives the
// number up (0 = never written again).
void releaseRecordNo(AppState& state, int recordNo);

// Whether any catalogue entry, in all 7 x 5 x 25 places, is named exactly `name` (case matters).
bool nameFiled(const AppState& state, const std::string& name);
// Whether a filed program starts exactly `exePath`.
bool pathFiled(const AppState& state, const std::string& exePath);
// The name a program chosen at `exePath` is filed under: `name`, or, when another filed program
// already has that name (two programs may share a Name, "终端"), its desktop entry's `fileId`.
// Empty when the name it would take is filed already (the program itself is).
std::string nameForFiling(const AppState& state, const std::string& name, const std::string& fileId,
                          const std::string& exePath);

} // namespace qbx
