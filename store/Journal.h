#pragma once
// The journal of a change of several records. Before such a change touches a data file, the new
// bytes of every record it writes go to "<data file>-journal" beside it, flushed to disk; then
// the records are written and the journal removed. A journal found later was left by a change
// that was cut short: complete, it is written into the data file again; incomplete (the change
// never reached the data file), it is dropped. The data file itself keeps its own format.

#include "RecordCodec.h"
#include "Result.h"

#include <filesystem>
#include <map>
#include <string>

namespace qbx {

class RecordFile;

std::filesystem::path journalPath(const std::filesystem::path& dataFile);

// A journal as it lies beside a data file, without touching anything.
enum class JournalState { None, Complete, Incomplete };
JournalState inspectJournal(const RecordFile& file);

// What was found beside a data file, and what became of it.
struct JournalRecovery {
    enum class Outcome { None, Replayed, Discarded, Failed } outcome = Outcome::None;
    int records = 0;     // records written back (Replayed)
    std::string message; // one line for the log; empty when there was no journal
};

// Settles a journal left beside `file`: replays a complete one (then removes it), removes an
// incomplete one. A journal that cannot be replayed stays for the next attempt.
JournalRecovery recoverJournal(const RecordFile& file);

namespace detail {

// Writes the journal of `records` (record number -> the bytes it receives) and flushes it to
// disk. On failure nothing is left behind.
Status writeJournal(const RecordFile& file, const std::map<int, Bytes>& records);

// Flushes the data file to disk, then removes its journal: the change is complete.
void commitJournal(const RecordFile& file);

// Journaling can be switched off to measure what it costs (benchmarks only).
void setJournaling(bool on);
bool journaling();

} // namespace detail
} // namespace qbx
