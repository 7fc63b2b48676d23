#pragma once
// Loading, ordering and saving of the catalogue and the combinations.

#include "AppState.h"
#include "RecordCodec.h"
#include "Result.h"

namespace qbx {

// Start-up: reads records 1-25 of "zhrj.dat" into the combination table and records 1-775 of
// "yfrj.dat" into the catalogue at the indices stored in each record (records with an empty
// exePath / groupName or indices out of range are skipped; the higher record number wins a
// shared place). Expects settings read and the unclassified list sized.
void loadAll(AppState& state);

// Write one entry at its own recordNo. Nothing is written (and success returned) when the entry
// was never given a record number. An entry that cannot be encoded is refused with its error.
Status saveProgramEntry(AppState& state, int major, int minor, int slot);
Status saveUnclassifiedEntry(AppState& state, int k);
Status saveComboEntry(AppState& state, int group, int position);

// Order the slots of (major, minor) by useCounter, then the minor categories of `major`, write
// what changed and call refreshMainWindow (the caller tells the windows). The files end exactly as if every
// compared record had been written.
Status sortMinorCategory(AppState& state, int major, int minor);
Status sortComboGroup(AppState& state, int group);
// The same, telling how many records were actually written (for benchmarks and tests).
Status sortMinorCategory(AppState& state, int major, int minor, int* recordsWritten);
Status sortComboGroup(AppState& state, int group, int* recordsWritten);

// Rebuilds MinorNameTable slotMaps of majors 0-4 after the catalogue's order changed.
void refreshMainWindow(AppState& state);
void rebuildSlotMap(AppState& state);

// Whether an entry can be written: it encodes within its record length and its texts fit GBK.
Status checkWritable(const ProgramEntry& entry);
Status checkWritable(const ComboEntry& entry);

// A record number for a newly filed program: `preferred` (the number the chosen free place still
// carries) when it is 1-775, no live catalogue entry holds it and its record in "yfrj.dat" is
// empty, else the lowest such number. NoRecordNo when none is left; the read error when the
// file cannot be read.
Result<int> allocateProgramRecordNo(const AppState& state, int preferred);
// The same for combinations, within 1-25 of "zhrj.dat" (a record is empty without a group name).
Result<int> allocateComboRecordNo(const AppState& state, int preferred);

// Reads record `recordNo` of "yfrj.dat" (a member of a combination); an empty entry on failure.
ProgramEntry readProgramRecord(const AppState& state, int recordNo);

} // namespace qbx
