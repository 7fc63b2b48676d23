// Ordering by use: the slots of one minor category, then the minor categories of its major
// category (and the same for the combinations). Every compared entry is saved, as far as the
// file is concerned; in fact the writes are collected and only records whose bytes change are
// written (PendingWrites).

#include "PendingWrites.h"
#include "Store.h"

#include <optional>
#include <utility>

namespace qbx {

namespace {

using detail::PendingWrites;

// What saveProgramEntry would write for `entry`.
void saveProgram(PendingWrites& writes, const ProgramEntry& entry)
{
    if (entry.recordNo < 1)
        return;
    writes.putEncoded(entry.recordNo, encodeRecord(entry));
}

// What saveComboEntry would write; like it, a negative recordNo becomes 0 first.
void saveCombo(PendingWrites& writes, ComboEntry& entry)
{
    if (entry.recordNo < 0)
        entry.recordNo = 0;
    if (entry.recordNo == 0)
        return;
    writes.putEncoded(entry.recordNo, encodeRecord(entry));
}

// The first half of sortMinorCategory: every pair i < j, the later one moved ahead when it is used more.
// The comparison is strict but the exchange is not order-preserving for equal counters.
void orderSlots(std::array<ProgramEntry, kSlots>& slots, PendingWrites& writes)
{
    // Most compared entries are saved unchanged many times over: encode each once until it moves.
    std::array<std::optional<Result<Bytes>>, kSlots> encoded;
    auto save = [&](int s) {
        const ProgramEntry& entry = slots[static_cast<std::size_t>(s)];
        if (entry.recordNo < 1)
            return;
        auto& cached = encoded[static_cast<std::size_t>(s)];
        if (!cached)
            cached.emplace(encodeRecord(entry));
        writes.putEncoded(entry.recordNo, *cached);
    };
    for (int i = 0; i < kSlots - 1; ++i) {
        for (int j = i + 1; j < kSlots; ++j) {
            auto& a = slots[static_cast<std::size_t>(i)];
            auto& b = slots[static_cast<std::size_t>(j)];
            if (a.useCounter < b.useCounter) {
                std::swap(a, b);
                a.slot = static_cast<std::int16_t>(i);
                b.slot = static_cast<std::int16_t>(j);
                encoded[static_cast<std::size_t>(i)].reset();
                encoded[static_cast<std::size_t>(j)].reset();
            }
            save(j);
            save(i);
        }
    }
}

// The second half: whole minor categories ranked by the use of their slot-0 program. Only exchanged
// pairs are saved.
void orderMinors(Catalogue& catalogue, int major, PendingWrites& writes)
{
    for (int i = 0; i < kMinors - 1; ++i) {
        for (int j = i + 1; j < kMinors; ++j) {
            if (catalogue.at(major, i, 0).useCounter >= catalogue.at(major, j, 0).useCounter)
                continue;
            for (int k = 0; k < kSlots; ++k) {
                ProgramEntry& a = catalogue.at(major, i, k);
                ProgramEntry& b = catalogue.at(major, j, k);
                std::swap(a, b);
                a.minor = static_cast<std::int16_t>(i);
                b.minor = static_cast<std::int16_t>(j);
                saveProgram(writes, a);
                saveProgram(writes, b);
            }
        }
    }
}

void orderCombos(ComboTable& combos, int group, PendingWrites& writes)
{
    for (int i = 0; i < kUsedPositions - 1; ++i) {
        for (int j = i + 1; j < kUsedPositions; ++j) {
            ComboEntry& a = combos.at(group, i);
            ComboEntry& b = combos.at(group, j);
            if (a.useCounter < b.useCounter) {
                std::swap(a, b);
                a.position = static_cast<std::int16_t>(i);
                b.position = static_cast<std::int16_t>(j);
            }
            saveCombo(writes, b);
            saveCombo(writes, a);
        }
    }
}

void orderGroups(ComboTable& combos, PendingWrites& writes)
{
    for (int i = 0; i < kGroups - 1; ++i) {
        for (int j = i + 1; j < kGroups; ++j) {
            if (combos.at(i, 0).useCounter >= combos.at(j, 0).useCounter)
                continue;
            for (int k = 0; k < kUsedPositions; ++k) {
                ComboEntry& a = combos.at(i, k);
                ComboEntry& b = combos.at(j, k);
                std::swap(a, b);
                a.group = static_cast<std::int16_t>(i);
                b.group = static_cast<std::int16_t>(j);
                saveCombo(writes, a);
                saveCombo(writes, b);
            }
        }
    }
}

} // namespace

Status sortMinorCategory(AppState& state, int major, int minor, int* recordsWritten)
{
    // An index outside the catalogue skips the step that needs it; the rest still runs.
    PendingWrites writes;
    if (major >= 0 && major < kMajors) {
        if (minor >= 0 && minor < kMinors)
            orderSlots(state.catalogue.e[static_cast<std::size_t>(major)][static_cast<std::size_t>(minor)],
                       writes);
        orderMinors(state.catalogue, major, writes);
    }
    Status status = writes.flush(RecordFile(state.programFile(), kProgramRecordLength), recordsWritten);
    refreshMainWindow(state);
    return status;
}

Status sortMinorCategory(AppState& state, int major, int minor)
{
    return sortMinorCategory(state, major, minor, nullptr);
}

// Unlike the catalogue, a combination that cannot be written is reported to the caller. The
// ordering is still completed first, so memory and file never stop half-way through a pass.
Status sortComboGroup(AppState& state, int group, int* recordsWritten)
{
    PendingWrites writes;
    if (group >= 0 && group < kGroups)
        orderCombos(state.combos, group, writes);
    orderGroups(state.combos, writes);
    Status status = writes.flush(RecordFile(state.comboFile(), kComboRecordLength), recordsWritten);
    refreshMainWindow(state);
    return status;
}

Status sortComboGroup(AppState& state, int group)
{
    return sortComboGroup(state, group, nullptr);
}

} // namespace qbx
