#pragma once
// The list of programs taken out of the catalogue ("wfrj.dat"): its first preparation, reading
// its records, and moving a catalogue entry into its first free record.

#include "AppState.h"
#include "Result.h"

namespace qbx {

// Records a fresh installation gets: as many as programs can be filed at once, so that every
// program of a full catalogue can be taken out and kept.
inline constexpr int kPreparedUnclassifiedRecords = kMaxPrograms;

// Called at start-up right after the settings are read and before loadAll. When the settings file
// has no "wcount" key:
//  - "wfrj.dat" missing or empty: writes kPreparedUnclassifiedRecords free records whose
//    recordNo equals their position and writes wcount = that number;
//  - "wfrj.dat" holding records already: adopts them, wcount = the number of records in the file
//    (at most 32767); the file is left as it is.
// A "wcount" key that is present is never changed. In every case the unclassified list is sized
// to state.settings.wcount. On failure nothing is changed on disk and wcount stays as it was.
Status prepareUnclassifiedFile(AppState& state);

// Reads record k (1..wcount) of "wfrj.dat" into state.unclassified.at(k).
Status readUnclassifiedEntry(AppState& state, int k);

// What taking a catalogue entry out leaves of it: name, exePath, majorName, minorName and
// description empty, useCounter -1; recordNo, title and the indices stay, so re-sorting puts it
// last and writes it back as a record that no longer loads.
void clearTakenOutEntry(ProgramEntry& entry);

// Moves the catalogue entry (major, minor, slot) into the first usable free record of
// "wfrj.dat" (records 1..wcount, read afresh) with all its fields and under that record's own
// recordNo, then clears the catalogue entry (the caller re-sorts its minor category). A free record whose
// recordNo is 0 (never written, e.g. past the end of a short file) is used at its own position; a
// free record carrying another position's number is passed over, since writing it would overwrite
// that other record. The unclassified record is written first: if that fails, nothing changes.
// Returns the list index used, or 0 when no record is free; on 0 or an error nothing changed.
Result<int> moveToUnclassified(AppState& state, int major, int minor, int slot);

// The first usable free record of "wfrj.dat" (records 1..wcount, read afresh into
// state.unclassified), as moveToUnclassified would choose it; 0 when none is free.
Result<int> firstFreeUnclassified(AppState& state);

// The same without a catalogue place: writes a copy of `entry` into the first usable free record
// of "wfrj.dat". Returns the list index used, or 0 when no record is free.
Result<int> keepUnclassified(AppState& state, const ProgramEntry& entry);

} // namespace qbx
