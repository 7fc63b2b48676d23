// The core's changes to the catalogue and the combinations: filing, moving, exchanging,
// retitling and taking out programs, and adding members to combinations. Each change is checked
// for being writable before anything changes, then made in memory and written at once; when a
// write fails, the change is taken back in memory and on disk and the user is told why.

#include "Launcher.h"

#include "CatalogueEdits.h"
#include "platform/Logging.h"
#include "store/Ini.h"
#include "store/Rollback.h"
#include "store/Store.h"
#include "store/Unclassified.h"

#include <utility>

namespace qbx {

namespace {

// A run of writes reports its first failure.
void keepFirstFailure(Status& written, const Status& next)
{
    if (written && !next)
        written = next;
}

// An entry takes the position and the category names of the place it is put in.
void placeEntry(ProgramEntry& e, int major, int minor, int slot, std::string majorName, std::string minorName)
{
    e.major = static_cast<std::int16_t>(major);
    e.minor = static_cast<std::int16_t>(minor);
    e.slot = static_cast<std::int16_t>(slot);
    e.majorName = std::move(majorName);
    e.minorName = std::move(minorName);
}

// The names a program filed under minor name `nameIndex` of `major` carries.
void placeUnderName(ProgramEntry& e, int major, int minor, int slot, int nameIndex)
{
    placeEntry(e, major, minor, slot, majorNames()[static_cast<std::size_t>(major)],
               minorNames(major)[static_cast<std::size_t>(nameIndex)]);
}

bool validNameIndex(int nameIndex)
{
    return nameIndex >= 0 && nameIndex < kMinors;
}

EditOutcome refusedBy(const Status& status)
{
    return EditOutcome::refused(status.error().message);
}

} // namespace

void Launcher::settle(EditOutcome& outcome, int major, int minor, const ProgramEntry& entry)
{
    const auto at = locateEntry(state_, major, entry);
    const int column = at ? at->first : minor;
    state_.sel.curMajor = static_cast<std::int16_t>(major);
    state_.sel.curMinor = static_cast<std::int16_t>(column);
    if (at)
        keepFirstFailure(outcome.written, saveProgramEntry(state_, major, at->first, at->second));
    keepFirstFailure(outcome.written, sortCategory(major, column));
}

EditOutcome Launcher::keptOrTakenBack(const StateSnapshot& before, const EditOutcome& outcome)
{
    if (outcome.written && outcome.countWritten)
        return outcome;
    const std::string why = !outcome.written ? outcome.written.error().message : "无法写入设置文件！";
    qCWarning(lcStore, "a change could not be written and was taken back: %s", why.c_str());
    takeBack(before);
    return EditOutcome::refused(why + "\n这次更改没有保存，已撤销。");
}

void Launcher::takeBack(const StateSnapshot& before)
{
    if (const Status restored = restoreSnapshot(state_, before); !restored)
        qCWarning(lcStore, "the files could not all be put back: %s", restored.error().message.c_str());
    for (int major = 0; major < kNamedMajors; ++major)
        for (int minor = 0; minor < kMinors; ++minor)
            emit categoryChanged(major, minor);
    for (int group = 0; group < kGroups; ++group)
        emit combinationsChanged(group);
    emit tilesChanged();
}

int Launcher::storedProgramCount()
{
    if (auto stored = readIniInt(kSectionBasic, kKeyYcount, 0, state_.settingsFile()))
        state_.settings.ycount = *stored;
    return state_.settings.ycount;
}

EditOutcome Launcher::fileProgram(const ProgramEntry& program, int major, int nameIndex,
                                  const std::string& title, const std::string& description)
{
    if (program.name.empty())
        return EditOutcome::refused();
    if (storedProgramCount() >= kMaxPrograms)
        return EditOutcome::refused("软件分类不能超过755个！");
    const int c = minorColumn(state_, major, nameIndex);
    if (major < 0 || major >= kNamedMajors || c < 0 || !validNameIndex(nameIndex))
        return EditOutcome::refused();
    const int slot = firstFreeSlot(state_, major, c);
    if (slot < 0)
        return EditOutcome::refused("该分类已满25条");

    ProgramEntry entry = program;
    placeUnderName(entry, major, c, slot, nameIndex);
    entry.useCounter = 1;
    entry.title = title;
    entry.description = description;
    auto recordNo = allocateProgramRecordNo(state_, state_.catalogue.at(major, c, slot).recordNo);
    if (!recordNo)
        return EditOutcome::refused(recordNo.error().message);
    entry.recordNo = recordNo.value();
    if (const Status writable = checkWritable(entry); !writable)
        return refusedBy(writable);

    // Nothing refused it: the entry goes in, and from here on every step is taken.
    const StateSnapshot before = takeSnapshot(state_);
    EditOutcome outcome;
    outcome.applied = true;
    select(major, c, slot);
    releaseRecordNo(state_, entry.recordNo);
    state_.catalogue.at(major, c, slot) = entry;
    state_.settings.ycount = static_cast<std::int16_t>(state_.settings.ycount + 1);
    outcome.countWritten =
        writeIniInt(kSectionBasic, kKeyYcount, state_.settings.ycount, state_.settingsFile());

    outcome.written = sortCategory(major, c);
    // Re-sorting may have moved the whole minor category; the entry is written where it is now.
    if (const auto at = locateEntry(state_, major, entry))
        keepFirstFailure(outcome.written, saveProgramEntry(state_, major, at->first, at->second));
    return keptOrTakenBack(before, outcome);
}

EditOutcome Launcher::moveProgram(int major, int minor, int slot, int toMajor, int nameIndex)
{
    if (!inNamedCatalogue(major, minor, slot) || state_.catalogue.at(major, minor, slot).name.empty())
        return EditOutcome::refused();
    state_.sel.curMinor = static_cast<std::int16_t>(minor);
    const int c = minorColumn(state_, toMajor, nameIndex);
    if (toMajor < 0 || toMajor >= kNamedMajors || c < 0 || !validNameIndex(nameIndex))
        return EditOutcome::refused();
    if (!state_.catalogue.at(toMajor, c, kSlots - 1).name.empty())
        return EditOutcome::refused(); // the target minor category is full

    ProgramEntry moved = state_.catalogue.at(major, minor, slot);
    placeUnderName(moved, toMajor, c, kSlots - 1, nameIndex);
    if (const Status writable = checkWritable(moved); !writable)
        return refusedBy(writable);

    const StateSnapshot before = takeSnapshot(state_);
    EditOutcome outcome;
    outcome.applied = true;
    state_.catalogue.at(toMajor, c, kSlots - 1) = moved;
    state_.catalogue.at(major, minor, slot) = ProgramEntry{};
    outcome.written = saveProgramEntry(state_, major, minor, slot);
    keepFirstFailure(outcome.written, sortCategory(major, minor));
    settle(outcome, toMajor, c, moved);
    return keptOrTakenBack(before, outcome);
}

EditOutcome Launcher::exchangePrograms(int major, int minor, int slot, int otherMajor, int otherNameIndex,
                                       int otherSlot)
{
    const int otherMinor = minorColumn(state_, otherMajor, otherNameIndex);
    if (!inNamedCatalogue(major, minor, slot) || !inNamedCatalogue(otherMajor, otherMinor, otherSlot) ||
        !validNameIndex(otherNameIndex))
        return EditOutcome::refused();
    state_.sel.curMinor = static_cast<std::int16_t>(minor);
    const ProgramEntry& atA = state_.catalogue.at(major, minor, slot);
    const ProgramEntry& atB = state_.catalogue.at(otherMajor, otherMinor, otherSlot);
    if (atA.name.empty() || atB.name.empty())
        return EditOutcome::refused();
    ProgramEntry a = atB;
    placeEntry(a, major, minor, slot, atA.majorName, atA.minorName);
    ProgramEntry b = atA;
    placeUnderName(b, otherMajor, otherMinor, otherSlot, otherNameIndex);
    if (const Status writable = checkWritable(a); !writable)
        return refusedBy(writable);
    if (const Status writable = checkWritable(b); !writable)
        return refusedBy(writable);

    const StateSnapshot before = takeSnapshot(state_);
    EditOutcome outcome;
    outcome.applied = true;
    state_.catalogue.at(major, minor, slot) = a;
    state_.catalogue.at(otherMajor, otherMinor, otherSlot) = b;
    outcome.written = saveProgramEntry(state_, major, minor, slot);
    keepFirstFailure(outcome.written, sortCategory(major, minor));
    settle(outcome, otherMajor, otherMinor, b);
    return keptOrTakenBack(before, outcome);
}

EditOutcome Launcher::retitleProgram(int major, int minor, int slot, const std::string& title,
                                     const std::string& description)
{
    if (!inNamedCatalogue(major, minor, slot) || state_.catalogue.at(major, minor, slot).name.empty())
        return EditOutcome::refused();
    ProgramEntry changed = state_.catalogue.at(major, minor, slot);
    changed.title = title;
    changed.description = description;
    if (const Status writable = checkWritable(changed); !writable)
        return refusedBy(writable);
    const StateSnapshot before = takeSnapshot(state_);
    EditOutcome outcome;
    outcome.applied = true;
    state_.catalogue.at(major, minor, slot) = changed;
    outcome.written = saveProgramEntry(state_, major, minor, slot);
    emit categoryChanged(major, minor);
    if (minor == 0 && slot == 0)
        emit tilesChanged(); // the tile shows this program: its name and tooltip change
    return keptOrTakenBack(before, outcome);
}

EditOutcome Launcher::takeOutProgram(int major, int minor, int slot)
{
    if (!inNamedCatalogue(major, minor, slot) || state_.catalogue.at(major, minor, slot).name.empty())
        return EditOutcome::refused();
    // Into the first free record of the taken-out list; when the list has no free record (or
    // there is no list) the program is dropped, as the user asked for it to go.
    // The list is read afresh first, so that what is kept to take the change back is what its
    // file holds.
    if (Result<int> read = firstFreeUnclassified(state_); !read)
        return EditOutcome::refused(read.error().message);
    const StateSnapshot before = takeSnapshot(state_, true);
    bool moved = false;
    if (state_.settings.wcount > 0) {
        auto into = moveToUnclassified(state_, major, minor, slot);
        if (!into)
            return EditOutcome::refused(into.error().message); // nothing changed
        moved = into.value() > 0;
    }
    EditOutcome outcome;
    outcome.applied = true;
    if (!moved)
        clearTakenOutEntry(state_.catalogue.at(major, minor, slot));
    outcome.written = sortCategory(major, minor);
    if (state_.settings.ycount > 0)
        state_.settings.ycount = static_cast<std::int16_t>(state_.settings.ycount - 1);
    outcome.countWritten =
        writeIniInt(kSectionBasic, kKeyYcount, state_.settings.ycount, state_.settingsFile());
    return keptOrTakenBack(before, outcome);
}

Result<bool> Launcher::takeOutKeepsProgram()
{
    Result<int> free = firstFreeUnclassified(state_);
    if (!free)
        return free.error();
    return free.value() > 0;
}

EditOutcome Launcher::addComboMember(int group, int position, int major, int minor, int slot)
{
    if (group < 0 || group >= kGroups || position < 0 || position >= kUsedPositions ||
        !inNamedCatalogue(major, minor, slot))
        return EditOutcome::refused();
    select(major, minor, slot);
    const ProgramEntry& e = state_.catalogue.at(major, minor, slot);
    if (e.name.empty() || e.recordNo < 1)
        return EditOutcome::refused();
    ComboEntry combo = state_.combos.at(group, position);
    if (combo.groupName.empty())
        return EditOutcome::refused(); // no combination there to add to
    int member = 0;
    while (member < 5 && combo.programs[static_cast<std::size_t>(member)] != 0)
        ++member;
    if (member == 5)
        return EditOutcome::refused(); // five members already: nothing happens
    combo.programs[static_cast<std::size_t>(member)] = e.recordNo;
    combo.programCount = static_cast<std::int16_t>(combo.programCount + 1);
    combo.description += e.name + "+";
    if (combo.useCounter == 0)
        combo.useCounter = 1;
    if (const Status writable = checkWritable(combo); !writable)
        return refusedBy(writable);

    const StateSnapshot before = takeSnapshot(state_);
    EditOutcome outcome;
    outcome.applied = true;
    state_.combos.at(group, position) = combo;
    outcome.written = sortGroup(group);
    return keptOrTakenBack(before, outcome);
}

} // namespace qbx
