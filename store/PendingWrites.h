#pragma once
// Private to the store: writing records, and the writes an ordering run collects before it
// touches the file.

#include "RecordFile.h"
#include "Result.h"

#include <filesystem>
#include <map>
#include <optional>

namespace qbx::detail {

// Record numbers come from 16-bit counters. A larger one can only come from a damaged record;
// writing at it would stretch the file to gigabytes, so it is refused.
inline constexpr int kMaxRecordNo = 32767;

StoreError recordNoError(long long recordNo);
StoreError placeError();

// Completes (or drops) a journal a failed change left beside `file` earlier in the run, so that
// nothing newer is written before it; the error when it cannot be completed.
Status settleJournal(const RecordFile& file);

// Encodes `entry` and writes it at `recordNo` of `file`.
template <typename Entry>
Status writeEntry(const std::filesystem::path& file, int recordLength, int recordNo, const Entry& entry)
{
    if (recordNo < 1 || recordNo > kMaxRecordNo)
        return recordNoError(recordNo);
    auto bytes = encodeRecord(entry);
    if (!bytes)
        return bytes.error();
    const RecordFile records(file, recordLength);
    if (Status settled = settleJournal(records); !settled)
        return settled;
    return records.write(recordNo, bytes.value());
}

// The records an ordering run would write, each with the bytes it would receive last. Flushing
// writes only the records whose bytes in the file differ, so the file ends exactly as if every
// write had been made, in order; when more than one differs, through the journal (Journal.h).
class PendingWrites {
public:
    // The write at `recordNo` of `bytes` (or the error that kept it from being made: the record
    // keeps what earlier writes gave it).
    void put(int recordNo, const Bytes& bytes);
    void refuse(const StoreError& error);
    // The write of an encoded record: put when encoding succeeded, refused with its error when not.
    void putEncoded(int recordNo, const Result<Bytes>& encoded);

    // Reads the records once and writes the ones that differ. Returns the first error seen,
    // refused writes included; `written` (when given) receives the number of records written.
    Status flush(const RecordFile& file, int* written = nullptr);

    std::size_t size() const { return last_.size(); }

private:
    std::map<int, Bytes> last_;
    std::optional<StoreError> firstError_;
};

} // namespace qbx::detail
