#include "ComboEdits.h"

#include "store/Ini.h"
#include "store/Store.h"

namespace qbx {

namespace {

bool editedGroup(int group)
{
    return group >= 0 && group < kGroups;
}
bool editedPlace(int group, int position)
{
    return editedGroup(group) && position >= 0 && position < kUsedPositions;
}

ComboEdit refused(std::string message)
{
    ComboEdit r;
    r.message = std::move(message);
    return r;
}

ComboEdit carriedOut(int recordNo, const Status& written)
{
    ComboEdit r;
    r.done = true;
    r.recordNo = recordNo;
    if (!written)
        r.message = written.error().message;
    return r;
}

// A later failure does not hide an earlier one.
void keepFirst(Status& first, const Status& next)
{
    if (first && !next)
        first = next;
}

// A record number for the entry at (group, position) about to be (re)written: its own when it
// already holds one alone within the records start-up reads, else a free one (its former number
// first). Refused when none is left.
Result<int> recordNoFor(const AppState& state, int group, int position)
{
    const ComboEntry& self = state.combos.at(group, position);
    const int own = self.recordNo;
    if (!self.groupName.empty() && own >= 1 && own <= kComboRecordsRead) {
        int holders = 0;
        for (const auto& g : state.combos.e)
            for (const ComboEntry& c : g)
                if (!c.groupName.empty() && c.recordNo == own)
                    ++holders;
        if (holders == 1)
            return own;
    }
    return allocateComboRecordNo(state, own);
}

// Free places that still carry `recordNo` from a deleted entry give it up, so that no re-sort
// writes them over the record the entry at (group, position) now holds.
void releaseRecordNo(AppState& state, int recordNo, int group, int position)
{
    for (int g = 0; g < kGroups; ++g)
        for (int p = 0; p < kPositions; ++p) {
            ComboEntry& c = state.combos.at(g, p);
            if ((g != group || p != position) && c.groupName.empty() && c.recordNo == recordNo)
                c.recordNo = 0;
        }
}

// Puts `entry` at (group, position) under a record number of its own, writes it and the count.
// Nothing changes when the entry cannot be written.
ComboEdit place(AppState& state, int group, int position, ComboEntry entry)
{
    const Result<int> number = recordNoFor(state, group, position);
    if (!number)
        return refused(number.error().message);
    entry.recordNo = number.value();
    if (const Status writable = checkWritable(entry); !writable)
        return refused(writable.error().message);
    releaseRecordNo(state, entry.recordNo, group, position);
    state.combos.at(group, position) = std::move(entry);
    Status written = saveComboEntry(state, group, position);
    state.settings.zhcount = static_cast<std::int16_t>(comboRecordsInUse(state.combos));
    if (!writeIniInt(kSectionBasic, kKeyZhcount, state.settings.zhcount, state.settingsFile()))
        keepFirst(written, StoreError{StoreErrorCode::Io, "无法写入设置文件！"});
    return carriedOut(state.combos.at(group, position).recordNo, written);
}

// An emptied place: no name, description, members or use; the group name is what the caller
// says, the record number and indices stay.
void empty(ComboEntry& c)
{
    c.name.clear();
    c.description.clear();
    c.programCount = 0;
    c.programs = {};
    c.useCounter = 0;
}

} // namespace

std::string trimmedBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

int comboRecordsInUse(const ComboTable& combos)
{
    int n = 0;
    for (const auto& g : combos.e)
        for (const ComboEntry& c : g)
            if (!c.groupName.empty())
                ++n;
    return n;
}

bool findCombo(const ComboTable& combos, int recordNo, int& group, int& position)
{
    if (recordNo < 1)
        return false;
    for (int g = 0; g < kGroups; ++g)
        for (int p = 0; p < kUsedPositions; ++p)
            if (!combos.at(g, p).groupName.empty() && combos.at(g, p).recordNo == recordNo) {
                group = g;
                position = p;
                return true;
            }
    return false;
}

ComboEdit createComboGroup(AppState& state, const std::string& typed)
{
    ComboTable& t = state.combos;
    if (!t.at(kGroups - 1, 0).groupName.empty())
        return refused("类别名额已满! ");
    const std::string name = trimmedBlanks(typed);
    if (name.empty())
        return refused("请打出类别名! ");
    for (int g = 0; g < kGroups; ++g)
        if (t.at(g, 0).groupName == name)
            return refused("该分类名已经有了！请另起一个。");
    int g = 0;
    while (!t.at(g, 0).groupName.empty())
        ++g; // the fifth place is free, so one is found
    ComboEntry header = t.at(g, 0);
    header.groupName = typed;
    header.group = static_cast<std::int16_t>(g);
    header.position = 0;
    return place(state, g, 0, std::move(header));
}

ComboEdit createCombination(AppState& state, int group, const std::string& typedName,
                            const std::string& typedDescription)
{
    ComboTable& t = state.combos;
    const std::string name = trimmedBlanks(typedName);
    if (name.empty())
        return refused("请打出组合名! ");
    for (int g = 0; g < kGroups; ++g)
        for (int p = 0; p < kUsedPositions; ++p)
            if (t.at(g, p).name == name)
                return refused("该组合名已经有了！请另起一个。");
    if (!editedGroup(group))
        return {};
    if (!t.at(group, kUsedPositions - 1).name.empty())
        return refused(" 组合名额已满! ");
    if (t.at(group, 0).groupName.empty())
        return refused(" 请先给该分类起名! ");
    int p = 0;
    while (p < kUsedPositions && t.at(group, p).programCount != 0)
        ++p;
    if (p == kUsedPositions)
        return refused(" 组合名额已满! ");
    // A combination without members is taken over: nothing of it is kept but its record.
    ComboEntry c = t.at(group, p);
    empty(c);
    c.name = name;
    c.groupName = t.at(group, 0).groupName;
    c.group = static_cast<std::int16_t>(group);
    c.position = static_cast<std::int16_t>(p);
    c.description = trimmedBlanks(typedDescription);
    c.useCounter = 1;
    ComboEdit r = place(state, group, p, std::move(c));
    if (r.done) {
        state.sel.curGroup = static_cast<std::int16_t>(group);
        state.sel.curPosition = static_cast<std::int16_t>(p);
    }
    return r;
}

ComboEdit deleteComboGroup(AppState& state, int group)
{
    if (!editedGroup(group) || state.combos.at(group, 0).groupName.empty())
        return {};
    for (int p = 0; p < kUsedPositions; ++p) {
        ComboEntry& c = state.combos.at(group, p);
        empty(c);
        c.groupName.clear();
    }
    state.settings.zhcount = static_cast<std::int16_t>(comboRecordsInUse(state.combos));
    Status written = success();
    if (!writeIniInt(kSectionBasic, kKeyZhcount, state.settings.zhcount, state.settingsFile()))
        written = StoreError{StoreErrorCode::Io, "无法写入设置文件！"};
    // Re-sorting writes the emptied places back, so start-up no longer reads them.
    keepFirst(written, sortComboGroup(state, group));
    return carriedOut(0, written);
}

ComboEdit deleteCombination(AppState& state, int group, int position)
{
    if (!editedPlace(group, position) || state.combos.at(group, position).name.empty())
        return {};
    ComboEntry& c = state.combos.at(group, position);
    const int recordNo = c.recordNo;
    empty(c);
    return carriedOut(recordNo, sortComboGroup(state, group));
}

ComboEdit removeComboMember(AppState& state, int group, int position, int member)
{
    if (!editedPlace(group, position) || member < 0 || member >= kComboMembers)
        return {};
    ComboEntry& c = state.combos.at(group, position);
    if (c.programs[static_cast<std::size_t>(member)] == 0)
        return {};
    c.programs[static_cast<std::size_t>(member)] = 0;
    if (c.programCount > 0)
        --c.programCount;
    const int recordNo = c.recordNo;
    return carriedOut(recordNo, sortComboGroup(state, group));
}

ComboEdit renameComboGroup(AppState& state, int group, const std::string& typed)
{
    if (trimmedBlanks(typed).empty())
        return refused("请先填写更改内容！");
    if (!editedGroup(group) || state.combos.at(group, 0).groupName.empty())
        return {};
    for (int p = 0; p < kUsedPositions; ++p) {
        ComboEntry renamed = state.combos.at(group, p);
        if (renamed.groupName.empty())
            continue;
        renamed.groupName = typed;
        if (const Status writable = checkWritable(renamed); !writable)
            return refused(writable.error().message);
    }
    Status written = success();
    for (int p = 0; p < kUsedPositions; ++p) {
        if (state.combos.at(group, p).groupName.empty())
            continue;
        state.combos.at(group, p).groupName = typed;
        keepFirst(written, saveComboEntry(state, group, p));
    }
    return carriedOut(state.combos.at(group, 0).recordNo, written);
}

ComboEdit renameCombination(AppState& state, int group, int position, const std::string& typedName,
                            const std::string& typedDescription)
{
    const std::string name = trimmedBlanks(typedName);
    if (name.empty())
        return refused("请先填写更改内容！");
    if (!editedPlace(group, position) || state.combos.at(group, position).name.empty())
        return {};
    ComboEntry renamed = state.combos.at(group, position);
    renamed.name = name;
    renamed.description = trimmedBlanks(typedDescription);
    if (const Status writable = checkWritable(renamed); !writable)
        return refused(writable.error().message);
    state.combos.at(group, position) = std::move(renamed);
    return carriedOut(state.combos.at(group, position).recordNo, saveComboEntry(state, group, position));
}

ComboEdit finishComboAdding(AppState& state, int group, int recordNo)
{
    return carriedOut(recordNo, sortComboGroup(state, editedGroup(group) ? group : 0));
}

} // namespace qbx
