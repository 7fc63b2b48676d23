#include "Rollback.h"

#include "Ini.h"
#include "Journal.h"
#include "PendingWrites.h"
#include "Settings.h"

#include <algorithm>
#include <map>
#include <system_error>

namespace qbx {

namespace {

using detail::PendingWrites;

std::array<std::filesystem::path, 3> recordFiles(const AppState& state)
{
    return {state.programFile(), state.unclassifiedFile(), state.comboFile()};
}

// The entries of a table by record number. Two entries may carry one number (a free place keeps
// the number of the program taken out of it): the one holding something is what the record holds.
template <typename Entry>
using ByRecordNo = std::map<int, const Entry*>;

template <typename Entry>
void note(ByRecordNo<Entry>& out, const Entry& entry, bool holds)
{
    if (entry.recordNo < 1)
        return;
    auto [at, fresh] = out.emplace(entry.recordNo, &entry);
    if (!fresh && holds)
        at->second = &entry;
}

ByRecordNo<ProgramEntry> byRecordNo(const Catalogue& catalogue)
{
    ByRecordNo<ProgramEntry> out;
    for (const auto& major : catalogue.e)
        for (const auto& minor : major)
            for (const ProgramEntry& p : minor)
                note(out, p, !p.name.empty());
    return out;
}

ByRecordNo<ComboEntry> byRecordNo(const ComboTable& combos)
{
    ByRecordNo<ComboEntry> out;
    for (const auto& group : combos.e)
        for (const ComboEntry& c : group)
            note(out, c, !c.groupName.empty());
    return out;
}

// The writes that put every record back to its kept entry: a record the change wrote for an
// entry that was not kept is emptied again.
template <typename Entry>
void putBack(PendingWrites& writes, const ByRecordNo<Entry>& kept, const ByRecordNo<Entry>& now)
{
    for (const auto& [recordNo, entry] : now) {
        const auto k = kept.find(recordNo);
        if (k == kept.end())
            writes.putEncoded(recordNo, encodeRecord(Entry{}));
        else if (!(*k->second == *entry))
            writes.putEncoded(recordNo, encodeRecord(*k->second));
    }
    for (const auto& [recordNo, entry] : kept)
        if (!now.contains(recordNo))
            writes.putEncoded(recordNo, encodeRecord(*entry));
}

void keepFirst(Status& status, const Status& next)
{
    if (status && !next)
        status = next;
}

} // namespace

StateSnapshot takeSnapshot(const AppState& state, bool withUnclassified)
{
    StateSnapshot kept{state.catalogue, std::nullopt,          state.combos,           state.minorNames,
                       state.sel,       state.settings.ycount, state.settings.zhcount, {}};
    if (withUnclassified)
        kept.unclassified = state.unclassified;
    const auto files = recordFiles(state);
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code ec;
        kept.journalBefore[i] = std::filesystem::exists(journalPath(files[i]), ec);
    }
    return kept;
}

Status restoreSnapshot(AppState& state, const StateSnapshot& kept)
{
    PendingWrites programs;
    putBack(programs, byRecordNo(kept.catalogue), byRecordNo(state.catalogue));
    PendingWrites combos;
    putBack(combos, byRecordNo(kept.combos), byRecordNo(state.combos));
    PendingWrites unclassified;
    if (kept.unclassified) {
        const int count = std::min(kept.unclassified->count(), state.unclassified.count());
        for (int k = 1; k <= count; ++k)
            if (!(kept.unclassified->at(k) == state.unclassified.at(k)))
                unclassified.putEncoded(k, encodeRecord(kept.unclassified->at(k)));
        state.unclassified = *kept.unclassified;
    }
    const bool countChanged = state.settings.ycount != kept.ycount;
    const bool comboCountChanged = state.settings.zhcount != kept.zhcount;

    state.catalogue = kept.catalogue;
    state.combos = kept.combos;
    state.minorNames = kept.minorNames;
    state.sel = kept.sel;
    state.settings.ycount = kept.ycount;
    state.settings.zhcount = kept.zhcount;

    // A journal of the failed change would complete it later: it goes before anything is
    // written back.
    const auto files = recordFiles(state);
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code ec;
        if (!kept.journalBefore[i])
            std::filesystem::remove(journalPath(files[i]), ec);
    }
    Status restored = programs.flush(RecordFile(files[0], kProgramRecordLength));
    keepFirst(restored, unclassified.flush(RecordFile(files[1], kProgramRecordLength)));
    keepFirst(restored, combos.flush(RecordFile(files[2], kComboRecordLength)));
    if (countChanged && !writeIniInt(kSectionBasic, kKeyYcount, kept.ycount, state.settingsFile()))
        keepFirst(restored, StoreError{StoreErrorCode::Io, "无法写入设置文件！"});
    if (comboCountChanged && !writeIniInt(kSectionBasic, kKeyZhcount, kept.zhcount, state.settingsFile()))
        keepFirst(restored, StoreError{StoreErrorCode::Io, "无法写入设置文件！"});
    return restored;
}

} // namespace qbx
