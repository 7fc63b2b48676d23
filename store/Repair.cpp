// Start-up repairs: journals, stale temporary files, two records on one place, record numbers
// that point elsewhere, counters that disagree with the records.

#include "Repair.h"

#include "Ini.h"
#include "Journal.h"
#include "Loading.h"
#include "PendingWrites.h"
#include "RecordFile.h"
#include "Store.h"
#include "Unclassified.h"

#include <set>
#include <system_error>

namespace qbx {
namespace {

using detail::PendingWrites;

std::string u8(const std::filesystem::path& p)
{
    const std::u8string s = p.filename().u8string();
    return std::string(s.begin(), s.end());
}

std::string record(const char* file, int recordNo)
{
    return std::string(file) + " record " + std::to_string(recordNo);
}

int firstFreeSlot(const Catalogue& catalogue, int major, int minor)
{
    for (int s = 0; s < kSlots; ++s) {
        const ProgramEntry& e = catalogue.at(major, minor, s);
        if (e.name.empty() && e.exePath.empty())
            return s;
    }
    return -1;
}

int firstFreePosition(const ComboTable& combos, int group)
{
    for (int p = 0; p < kUsedPositions; ++p)
        if (combos.at(group, p).groupName.empty())
            return p;
    return -1;
}

void settleJournals(const AppState& state, std::vector<std::string>& log)
{
    for (const RecordFile& file : {RecordFile(state.programFile(), kProgramRecordLength),
                                   RecordFile(state.unclassifiedFile(), kProgramRecordLength),
                                   RecordFile(state.comboFile(), kComboRecordLength)}) {
        const JournalRecovery r = recoverJournal(file);
        if (!r.message.empty())
            log.push_back(r.message);
    }
}

void removeStaleFiles(const AppState& state, std::vector<std::string>& log)
{
    for (const auto& p : staleTemporaryFiles(state.dataFolder())) {
        std::error_code ec;
        std::filesystem::remove(p, ec);
        log.push_back(
            (ec ? "could not remove the stale temporary file " : "removed the stale temporary file ") +
            u8(p));
    }
}

// "wfrj.dat" records 1..wcount whose number points at another record.
void renumberUnclassified(AppState& state, std::vector<std::string>& log)
{
    const int wcount = state.settings.wcount;
    if (wcount <= 0)
        return;
    const RecordFile file(state.unclassifiedFile(), kProgramRecordLength);
    auto records = file.readRange(1, wcount);
    if (!records)
        return;
    PendingWrites writes;
    for (int k = 1; k <= wcount; ++k) {
        UnclassifiedEntry e;
        decodeRecord(records.value()[static_cast<std::size_t>(k - 1)], e);
        if (e.recordNo == 0 || e.recordNo == k)
            continue;
        log.push_back(record("wfrj.dat", k) + " carried record number " + std::to_string(e.recordNo) +
                      "; it now carries its own");
        e.recordNo = k;
        writes.putEncoded(k, encodeRecord(e));
    }
    if (Status s = writes.flush(file); !s)
        log.push_back("could not write the repairs of wfrj.dat: " + s.error().message);
}

void replacePrograms(AppState& state, detail::LoadFindings& found, std::vector<std::string>& log)
{
    std::set<int> changed;
    for (const auto& [position, old] : found.programsRenumbered) {
        log.push_back(record("yfrj.dat", position) + " carried record number " + std::to_string(old) +
                      "; it now carries its position");
        changed.insert(position);
    }
    PendingWrites writes;
    for (ProgramEntry& e : found.displacedPrograms) {
        const int winner = state.catalogue.at(e.major, e.minor, e.slot).recordNo;
        std::string what = record("yfrj.dat", e.recordNo) + " lost its place " +
                           placeText({e.major, e.minor, e.slot}) + " to record " + std::to_string(winner);
        const int slot = firstFreeSlot(state.catalogue, e.major, e.minor);
        if (slot >= 0) {
            e.slot = static_cast<std::int16_t>(slot);
            log.push_back(what + "; moved to slot " + std::to_string(slot));
            changed.insert(e.recordNo);
            state.catalogue.at(e.major, e.minor, slot) = std::move(e);
            continue;
        }
        const Result<int> kept = keepUnclassified(state, e);
        if (!kept || kept.value() == 0) {
            log.push_back(what + "; no free slot nor free wfrj.dat record, so it stays hidden there");
            continue;
        }
        log.push_back(what + "; its minor category is full, so it moved to wfrj.dat record " +
                      std::to_string(kept.value()));
        ProgramEntry emptied = e;
        clearTakenOutEntry(emptied);
        writes.putEncoded(emptied.recordNo, encodeRecord(emptied));
    }
    for (const auto& major : state.catalogue.e)
        for (const auto& minor : major)
            for (const ProgramEntry& p : minor)
                if (!p.exePath.empty() && changed.count(p.recordNo))
                    writes.putEncoded(p.recordNo, encodeRecord(p));
    if (Status s = writes.flush(RecordFile(state.programFile(), kProgramRecordLength)); !s)
        log.push_back("could not write the repairs of yfrj.dat: " + s.error().message);
}

void replaceCombos(AppState& state, detail::LoadFindings& found, std::vector<std::string>& log)
{
    std::set<int> changed;
    for (const auto& [position, old] : found.combosRenumbered) {
        log.push_back(record("zhrj.dat", position) + " carried record number " + std::to_string(old) +
                      "; it now carries its position");
        changed.insert(position);
    }
    for (ComboEntry& c : found.displacedCombos) {
        const int winner = state.combos.at(c.group, c.position).recordNo;
        std::string what = record("zhrj.dat", c.recordNo) + " lost its place " +
                           placeText({c.group, c.position}) + " to record " + std::to_string(winner);
        const int position = firstFreePosition(state.combos, c.group);
        if (position < 0) {
            log.push_back(what + "; its group is full, so it stays hidden there");
            continue;
        }
        c.position = static_cast<std::int16_t>(position);
        log.push_back(what + "; moved to position " + std::to_string(position));
        changed.insert(c.recordNo);
        state.combos.at(c.group, position) = std::move(c);
    }
    PendingWrites writes;
    for (const auto& group : state.combos.e)
        for (const ComboEntry& c : group)
            if (!c.groupName.empty() && changed.count(c.recordNo))
                writes.putEncoded(c.recordNo, encodeRecord(c));
    if (Status s = writes.flush(RecordFile(state.comboFile(), kComboRecordLength)); !s)
        log.push_back("could not write the repairs of zhrj.dat: " + s.error().message);
}

void recount(AppState& state, std::int16_t& counter, int live, const char* key, std::vector<std::string>& log)
{
    if (counter == live)
        return;
    std::string line = std::string("settings ") + key + " was " + std::to_string(counter) + ", set to the " +
                       std::to_string(live) + " entries loaded";
    counter = static_cast<std::int16_t>(live);
    if (!writeIniInt(kSectionBasic, key, counter, state.settingsFile()))
        line += " (the settings file could not be written)";
    log.push_back(line);
}

} // namespace

std::string placeText(std::initializer_list<int> indices)
{
    // Built by appending, which also keeps GCC 12's -Wrestrict false alarm on
    // "literal" + std::string away.
    std::string s = "(";
    for (int i : indices) {
        if (s.size() > 1)
            s += ", ";
        s += std::to_string(i);
    }
    s += ')';
    return s;
}

int countFiledPrograms(const Catalogue& catalogue)
{
    int n = 0;
    for (const auto& major : catalogue.e)
        for (const auto& minor : major)
            for (const ProgramEntry& p : minor)
                n += !p.name.empty();
    return n;
}

int countComboRecords(const ComboTable& combos)
{
    int n = 0;
    for (const auto& group : combos.e)
        for (const ComboEntry& c : group)
            n += !c.groupName.empty();
    return n;
}

std::vector<std::filesystem::path> staleTemporaryFiles(const std::filesystem::path& appDir)
{
    // The settings file is replaced through ".~<name>.XXXXXX"; "wfrj.dat" is first prepared as
    // "wfrj.dat.tmp".
    const std::string settingsTemp = std::string(".~") + kSettingsFileName + ".";
    const std::string unclassifiedTemp = std::string(kUnclassifiedFile) + ".tmp";
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(appDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::u8string raw = it->path().filename().u8string();
        const std::string name(raw.begin(), raw.end());
        const bool settings = name.size() == settingsTemp.size() + 6 && name.starts_with(settingsTemp);
        if ((settings || name == unclassifiedTemp) && it->is_regular_file(ec))
            out.push_back(it->path());
    }
    return out;
}

std::vector<std::string> loadAllRepairing(AppState& state)
{
    std::vector<std::string> log;
    settleJournals(state, log);
    removeStaleFiles(state, log);
    renumberUnclassified(state, log);
    detail::LoadFindings found;
    detail::loadRecords(state, &found);
    replacePrograms(state, found, log);
    replaceCombos(state, found, log);
    recount(state, state.settings.ycount, countFiledPrograms(state.catalogue), kKeyYcount, log);
    recount(state, state.settings.zhcount, countComboRecords(state.combos), kKeyZhcount, log);
    return log;
}

} // namespace qbx
