#include "PendingWrites.h"

#include "Journal.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace qbx::detail {

StoreError recordNoError(long long recordNo)
{
    return {StoreErrorCode::Io, "记录号 " + std::to_string(recordNo) + " 无效，记录未写入。"};
}

StoreError placeError()
{
    return {StoreErrorCode::Io, "位置超出范围，记录未写入。"};
}

void PendingWrites::put(int recordNo, const Bytes& bytes)
{
    if (recordNo < 1 || recordNo > kMaxRecordNo) {
        refuse(recordNoError(recordNo));
        return;
    }
    last_[recordNo] = bytes;
}

void PendingWrites::refuse(const StoreError& error)
{
    if (!firstError_)
        firstError_ = error;
}

void PendingWrites::putEncoded(int recordNo, const Result<Bytes>& encoded)
{
    if (encoded)
        put(recordNo, encoded.value());
    else
        refuse(encoded.error());
}

namespace {

// Whether the file already holds exactly what writing `bytes` at `recordNo` would leave there.
bool alreadyHolds(const Bytes& stored, const Bytes& bytes, int recordNo, int length, std::uintmax_t fileSize)
{
    // A record that ends past the end of the file must be written: the write lengthens the file.
    if (static_cast<std::uintmax_t>(recordNo) * static_cast<std::uintmax_t>(length) > fileSize)
        return false;
    if (stored.size() != static_cast<std::size_t>(length) || bytes.size() > stored.size())
        return false;
    if (!std::equal(bytes.begin(), bytes.end(), stored.begin()))
        return false;
    // A write fills the rest of the record with zeros.
    return std::all_of(stored.begin() + static_cast<std::ptrdiff_t>(bytes.size()), stored.end(),
                       [](std::uint8_t b) { return b == 0; });
}

} // namespace

Status settleJournal(const RecordFile& file)
{
    const JournalRecovery r = recoverJournal(file);
    if (r.outcome == JournalRecovery::Outcome::Failed)
        return StoreError{StoreErrorCode::Io, r.message};
    return success();
}

Status PendingWrites::flush(const RecordFile& file, int* written)
{
    int count = 0;
    std::optional<StoreError> error = firstError_;
    // A change cut short by a failed write earlier in this run is completed before anything
    // newer is written over it.
    const Status settled = last_.empty() ? success() : settleJournal(file);
    if (!settled)
        error = settled.error();
    else if (!last_.empty()) {
        const int first = last_.begin()->first;
        const int last = last_.rbegin()->first;
        auto stored = file.readRange(first, last);
        std::error_code ec;
        std::uintmax_t size = std::filesystem::file_size(file.path(), ec);
        const bool compare =
            stored.ok() && !ec && stored.value().size() == static_cast<std::size_t>(last - first + 1);
        std::map<int, Bytes> changed;
        for (const auto& [recordNo, bytes] : last_) {
            if (compare && alreadyHolds(stored.value()[static_cast<std::size_t>(recordNo - first)], bytes,
                                        recordNo, file.recordLength(), size))
                continue;
            changed.emplace(recordNo, bytes);
        }
        // Several records change together or not at all: they go to the journal first. Should
        // the journal itself fail, the records are still written, as they would be without one.
        const bool journaled = changed.size() > 1 && journaling() && writeJournal(file, changed).ok();
        bool allWritten = true;
        for (const auto& [recordNo, bytes] : changed) {
            Status s = file.write(recordNo, bytes);
            if (s.ok()) {
                ++count;
            } else {
                allWritten = false;
                if (!error)
                    error = s.error();
            }
        }
        // A write that failed leaves the journal, which completes the change later.
        if (journaled && allWritten)
            commitJournal(file);
    }
    last_.clear();
    firstError_.reset();
    if (written)
        *written = count;
    if (error)
        return *error;
    return success();
}

} // namespace qbx::detail
