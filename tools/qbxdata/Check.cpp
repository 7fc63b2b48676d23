#include "Check.h"

#include "store/Journal.h"
#include "store/RecordFile.h"
#include "store/Repair.h"
#include "store/Store.h"

#include <initializer_list>
#include <map>
#include <tuple>

namespace qbxdata {

using namespace qbx;

namespace {

std::string at(const char* file, int recordNo)
{
    return std::string(file) + " record " + std::to_string(recordNo);
}

bool inCatalogue(const ProgramEntry& e)
{
    return qbx::inCatalogue(e.major, e.minor, e.slot);
}

bool inComboTable(const ComboEntry& c)
{
    return c.group >= 0 && c.group < kGroups && c.position >= 0 && c.position < kPositions;
}

// Text and length problems of one record that the program uses.
template <typename Entry>
void recordProblems(std::vector<std::string>& out, const char* file, const RawRecord<Entry>& r)
{
    if (r.report.textNotGbk)
        out.push_back(at(file, r.recordNo) + ": text is not valid GBK");
    if (r.report.truncated)
        out.push_back(at(file, r.recordNo) + ": a text runs past the end of the record");
    auto status = checkWritable(r.entry);
    if (!status.ok() && status.error().code == StoreErrorCode::TooLong)
        out.push_back(at(file, r.recordNo) + ": entry too long to be written back");
}

void settingsProblems(std::vector<std::string>& out, const Folder& f)
{
    const Settings& v = f.state.settings;
    for (const auto& [key, value] : f.rawSettings)
        if (!value)
            out.push_back("settings " + key + ": value above 32767, not read");
    if (v.startMode < 1 || v.startMode > 4)
        out.push_back("settings startMode " + std::to_string(v.startMode) + " is not 1-4");
    if (v.mainHideDelayMs <= 0)
        out.push_back("settings mainHideDelayMs " + std::to_string(v.mainHideDelayMs) + " is not positive");
    if (v.categoryHideDelayMs <= 0)
        out.push_back("settings categoryHideDelayMs " + std::to_string(v.categoryHideDelayMs) +
                      " is not positive");
    // A negative count reads as 0 (and then disagrees with the entries, below).
    if (v.wcount > f.unclassifiedRecordsInFile)
        out.push_back("settings wcount " + std::to_string(v.wcount) + " is larger than the " +
                      std::to_string(f.unclassifiedRecordsInFile) + " records of wfrj.dat");
}

// What a killed run leaves beside the data files; the program's next start settles it.
void leftovers(std::vector<std::string>& out, const AppState& s)
{
    for (const RecordFile& file : {RecordFile(s.programFile(), kProgramRecordLength),
                                   RecordFile(s.unclassifiedFile(), kProgramRecordLength),
                                   RecordFile(s.comboFile(), kComboRecordLength)}) {
        const std::u8string name = journalPath(file.path()).filename().u8string();
        const JournalState state = inspectJournal(file);
        if (state == JournalState::Complete)
            out.push_back(std::string(name.begin(), name.end()) +
                          ": a change cut short, to be completed at start-up");
        else if (state == JournalState::Incomplete)
            out.push_back(std::string(name.begin(), name.end()) +
                          ": an incomplete journal, to be dropped at start-up");
    }
    for (const auto& p : staleTemporaryFiles(s.appDir)) {
        const std::u8string name = p.filename().u8string();
        out.push_back(std::string(name.begin(), name.end()) + ": a stale temporary file");
    }
}

template <typename Entry>
void numberProblem(std::vector<std::string>& out, const char* file, const RawRecord<Entry>& r)
{
    if (r.entry.recordNo != r.recordNo)
        out.push_back(at(file, r.recordNo) + ": recordNo " + std::to_string(r.entry.recordNo) +
                      " differs from its position");
}

} // namespace

std::vector<std::string> check(const Folder& f)
{
    std::vector<std::string> out;
    const AppState& s = f.state;
    settingsProblems(out, f);
    leftovers(out, s);

    // Records start-up reads: places claimed twice, indices out of range, damaged text.
    std::map<std::tuple<int, int, int>, int> claimed;
    for (const auto& r : f.programs) {
        const ProgramEntry& e = r.entry;
        if (e.exePath.empty())
            continue;
        if (!inCatalogue(e)) {
            out.push_back(at("yfrj.dat", r.recordNo) + ": indices " + placeText({e.major, e.minor, e.slot}) +
                          " out of range");
        } else {
            auto [it, fresh] = claimed.try_emplace({e.major, e.minor, e.slot}, r.recordNo);
            if (!fresh) {
                out.push_back(at("yfrj.dat", r.recordNo) + " and record " + std::to_string(it->second) +
                              " claim the same place " + placeText({e.major, e.minor, e.slot}));
                it->second = r.recordNo;
            }
        }
        numberProblem(out, "yfrj.dat", r);
        recordProblems(out, "yfrj.dat", r);
    }
    std::map<std::pair<int, int>, int> comboClaimed;
    for (const auto& r : f.combos) {
        const ComboEntry& c = r.entry;
        if (c.groupName.empty())
            continue;
        if (!inComboTable(c)) {
            out.push_back(at("zhrj.dat", r.recordNo) + ": indices " + placeText({c.group, c.position}) +
                          " out of range");
        } else {
            auto [it, fresh] = comboClaimed.try_emplace({c.group, c.position}, r.recordNo);
            if (!fresh) {
                out.push_back(at("zhrj.dat", r.recordNo) + " and record " + std::to_string(it->second) +
                              " claim the same place " + placeText({c.group, c.position}));
                it->second = r.recordNo;
            }
        }
        numberProblem(out, "zhrj.dat", r);
        recordProblems(out, "zhrj.dat", r);
    }
    for (const auto& r : f.unclassified) {
        if (r.recordNo > f.unclassifiedRecordsInFile)
            break; // past the end of the file: reported with wcount above
        if (r.entry.name.empty() && r.entry.recordNo == r.recordNo)
            continue;
        numberProblem(out, "wfrj.dat", r);
        recordProblems(out, "wfrj.dat", r);
    }

    // Live entries as loaded: record numbers held twice, counters that disagree.
    std::map<int, std::string> holders;
    for (int ma = 0; ma < kMajors; ++ma)
        for (int mi = 0; mi < kMinors; ++mi)
            for (int sl = 0; sl < kSlots; ++sl) {
                const ProgramEntry& e = s.catalogue.at(ma, mi, sl);
                if (e.name.empty())
                    continue;
                const std::string where = placeText({ma, mi, sl});
                if (e.recordNo < 1 || e.recordNo > kProgramRecordsRead) {
                    out.push_back("catalogue " + where + " has recordNo " + std::to_string(e.recordNo) +
                                  ", outside the records 1-775 start-up reads");
                    continue;
                }
                auto [it, fresh] = holders.try_emplace(e.recordNo, where);
                if (!fresh)
                    out.push_back("catalogue " + where + " and " + it->second + " share recordNo " +
                                  std::to_string(e.recordNo));
            }
    std::map<int, std::string> comboHolders;
    for (int g = 0; g < kGroups; ++g)
        for (int p = 0; p < kPositions; ++p) {
            const ComboEntry& c = s.combos.at(g, p);
            if (c.groupName.empty())
                continue;
            const std::string where = placeText({g, p});
            if (c.recordNo < 1 || c.recordNo > kComboRecordsRead) {
                out.push_back("combination " + where + " has recordNo " + std::to_string(c.recordNo) +
                              ", outside the records 1-25 start-up reads");
                continue;
            }
            auto [it, fresh] = comboHolders.try_emplace(c.recordNo, where);
            if (!fresh)
                out.push_back("combination " + where + " and " + it->second + " share recordNo " +
                              std::to_string(c.recordNo));
        }
    const int livePrograms = countFiledPrograms(s.catalogue);
    const int liveCombos = countComboRecords(s.combos);
    if (s.settings.ycount != livePrograms)
        out.push_back("settings ycount " + std::to_string(s.settings.ycount) + " but " +
                      std::to_string(livePrograms) + " programs are filed");
    if (s.settings.zhcount != liveCombos)
        out.push_back("settings zhcount " + std::to_string(s.settings.zhcount) + " but " +
                      std::to_string(liveCombos) + " combination records are in use");
    return out;
}

} // namespace qbxdata
