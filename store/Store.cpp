// Loading the data files at start-up, writing single entries back, and the record numbers of
// new entries.

#include "Store.h"

#include "Loading.h"
#include "PendingWrites.h"
#include "RecordFile.h"

#include <vector>

namespace qbx {

namespace {

bool inComboTable(int group, int position)
{
    return group >= 0 && group < kGroups && position >= 0 && position < kPositions;
}

} // namespace

namespace detail {

void loadRecords(AppState& state, LoadFindings* findings)
{
    // Emptied in place: a fresh container would be a large temporary on the stack.
    for (auto& group : state.combos.e)
        for (ComboEntry& c : group)
            c = ComboEntry{};
    for (auto& major : state.catalogue.e)
        for (auto& minor : major)
            for (ProgramEntry& p : minor)
                p = ProgramEntry{};

    // Records are read in ascending order, so of two records naming one place the one with the
    // higher number is placed last and stays.
    auto combos = RecordFile(state.comboFile(), kComboRecordLength).readRange(1, kComboRecordsRead);
    if (combos) {
        int n = 0;
        for (const Bytes& bytes : combos.value()) {
            ++n;
            ComboEntry scratch;
            decodeRecord(bytes, scratch);
            if (scratch.groupName.empty() || !inComboTable(scratch.group, scratch.position))
                continue;
            ComboEntry& place = state.combos.at(scratch.group, scratch.position);
            if (findings) {
                findings->renumber(scratch, n, findings->combosRenumbered);
                if (!place.groupName.empty())
                    findings->displacedCombos.push_back(std::move(place));
            }
            place = std::move(scratch);
        }
    }

    auto programs = RecordFile(state.programFile(), kProgramRecordLength).readRange(1, kProgramRecordsRead);
    if (programs) {
        int n = 0;
        for (const Bytes& bytes : programs.value()) {
            ++n;
            ProgramEntry scratch;
            decodeRecord(bytes, scratch);
            if (scratch.exePath.empty() || !inCatalogue(scratch.major, scratch.minor, scratch.slot))
                continue;
            ProgramEntry& place = state.catalogue.at(scratch.major, scratch.minor, scratch.slot);
            if (findings) {
                findings->renumber(scratch, n, findings->programsRenumbered);
                if (!place.exePath.empty())
                    findings->displacedPrograms.push_back(std::move(place));
            }
            place = std::move(scratch);
        }
    }
}

} // namespace detail

void loadAll(AppState& state)
{
    detail::loadRecords(state, nullptr);
}

Status saveProgramEntry(AppState& state, int major, int minor, int slot)
{
    if (!inCatalogue(major, minor, slot))
        return detail::placeError();
    const ProgramEntry& entry = state.catalogue.at(major, minor, slot);
    if (entry.recordNo < 1)
        return success();
    return detail::writeEntry(state.programFile(), kProgramRecordLength, entry.recordNo, entry);
}

Status saveUnclassifiedEntry(AppState& state, int k)
{
    if (k < 1 || k > state.unclassified.count())
        return detail::placeError();
    const UnclassifiedEntry& entry = state.unclassified.at(k);
    if (entry.recordNo == 0)
        return success();
    return detail::writeEntry(state.unclassifiedFile(), kProgramRecordLength, entry.recordNo, entry);
}

Status saveComboEntry(AppState& state, int group, int position)
{
    if (!inComboTable(group, position))
        return detail::placeError();
    ComboEntry& entry = state.combos.at(group, position);
    if (entry.recordNo < 0)
        entry.recordNo = 0;
    if (entry.recordNo == 0)
        return success();
    return detail::writeEntry(state.comboFile(), kComboRecordLength, entry.recordNo, entry);
}

Status checkWritable(const ProgramEntry& entry)
{
    auto bytes = encodeRecord(entry);
    if (!bytes)
        return bytes.error();
    return success();
}

Status checkWritable(const ComboEntry& entry)
{
    auto bytes = encodeRecord(entry);
    if (!bytes)
        return bytes.error();
    return success();
}

namespace {

// `preferred` when it lies in 1..limit and is not taken, else the lowest number not taken.
Result<int> pickRecordNo(const std::vector<bool>& taken, int limit, int preferred, const char* noneLeft)
{
    if (preferred >= 1 && preferred <= limit && !taken[static_cast<std::size_t>(preferred)])
        return preferred;
    for (int n = 1; n <= limit; ++n) {
        if (!taken[static_cast<std::size_t>(n)])
            return n;
    }
    return StoreError{StoreErrorCode::NoRecordNo, noneLeft};
}

// Marks the numbers whose record in `file` still holds something: a record that start-up skips
// (indices out of range, a second claim on a place) is still a filed program, and a new entry
// given its number would overwrite it.
template <typename Entry, typename Holds>
Status markHeldOnDisk(std::vector<bool>& taken, const std::filesystem::path& file, int recordLength,
                      Holds holds)
{
    const int limit = static_cast<int>(taken.size()) - 1;
    auto records = RecordFile(file, recordLength).readRange(1, limit);
    if (!records)
        return records.error();
    for (int n = 1; n <= limit; ++n) {
        Entry e;
        decodeRecord(records.value()[static_cast<std::size_t>(n - 1)], e);
        if (holds(e))
            taken[static_cast<std::size_t>(n)] = true;
    }
    return success();
}

} // namespace

Result<int> allocateProgramRecordNo(const AppState& state, int preferred)
{
    std::vector<bool> taken(kProgramRecordsRead + 1, false);
    for (const auto& major : state.catalogue.e)
        for (const auto& minor : major)
            for (const ProgramEntry& p : minor)
                if (!p.name.empty() && p.recordNo >= 1 && p.recordNo <= kProgramRecordsRead)
                    taken[static_cast<std::size_t>(p.recordNo)] = true;
    Status read = markHeldOnDisk<ProgramEntry>(
        taken, state.programFile(), kProgramRecordLength,
        [](const ProgramEntry& e) { return !e.name.empty() || !e.exePath.empty(); });
    if (!read)
        return read.error();
    return pickRecordNo(taken, kProgramRecordsRead, preferred, "分类程序的记录已满，不能再添加！");
}

Result<int> allocateComboRecordNo(const AppState& state, int preferred)
{
    std::vector<bool> taken(kComboRecordsRead + 1, false);
    for (const auto& group : state.combos.e)
        for (const ComboEntry& c : group)
            if (!c.groupName.empty() && c.recordNo >= 1 && c.recordNo <= kComboRecordsRead)
                taken[static_cast<std::size_t>(c.recordNo)] = true;
    Status read = markHeldOnDisk<ComboEntry>(taken, state.comboFile(), kComboRecordLength,
                                             [](const ComboEntry& c) { return !c.groupName.empty(); });
    if (!read)
        return read.error();
    return pickRecordNo(taken, kComboRecordsRead, preferred, "组合的记录已满，不能再添加！");
}

ProgramEntry readProgramRecord(const AppState& state, int recordNo)
{
    ProgramEntry entry;
    if (recordNo < 1 || recordNo > detail::kMaxRecordNo)
        return entry;
    auto bytes = RecordFile(state.programFile(), kProgramRecordLength).read(recordNo);
    if (bytes)
        decodeRecord(bytes.value(), entry);
    return entry;
}

} // namespace qbx
