// The core's start-up and starting programs.

#include "Launcher.h"

#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/Repair.h"
#include "store/Rollback.h"
#include "store/Store.h"
#include "store/Unclassified.h"

#include <limits>

namespace qbx {

EditOutcome EditOutcome::refused(std::string why)
{
    EditOutcome outcome;
    if (!why.empty())
        outcome.refusal = std::move(why);
    return outcome;
}

Launcher::Launcher(AppState& state, Desktop& desktop, QObject* parent)
    : QObject(parent), state_(state), desktop_(desktop)
{}

void Launcher::startUp()
{
    readSettings();
    readDataFiles();
}

void Launcher::readSettings()
{
    guarded(lcStore, "reading the settings",
            [this] { qbx::readSettings(state_.settingsFile(), state_.settings); });
}

void Launcher::readDataFiles()
{
    guarded(lcStore, "naming the minor categories", [this] { state_.minorNames.fillBuiltIn(); });
    // A fresh installation gets its list of free records here, so nothing taken out is lost.
    guarded(lcStore, "preparing the taken-out list", [this] {
        if (const Status prepared = prepareUnclassifiedFile(state_); !prepared)
            qCInfo(lcStore, "the taken-out list: %s", prepared.error().message.c_str());
    });
    // Loading mends what a killed or damaged run left behind (a change cut short, two records on
    // one place) and says so in the log.
    guarded(lcStore, "loading the data files", [this] {
        for (const std::string& repair : loadAllRepairing(state_))
            qCWarning(lcRepair, "%s", repair.c_str());
    });
    guarded(lcStore, "mapping the minor names", [this] { rebuildSlotMap(state_); });
}

Status Launcher::sortCategory(int major, int minor, int* recordsWritten)
{
    Status written = sortMinorCategory(state_, major, minor, recordsWritten);
    if (!written)
        qCInfo(lcStore, "re-ordering (%d, %d): %s", major, minor, written.error().message.c_str());
    emit categoryChanged(major, minor);
    emit tilesChanged();
    return written;
}

Status Launcher::sortGroup(int group)
{
    Status written = sortComboGroup(state_, group);
    if (!written)
        qCInfo(lcStore, "re-ordering group %d: %s", group, written.error().message.c_str());
    emit combinationsChanged(group);
    emit tilesChanged();
    return written;
}

bool Launcher::startProgram(int major, int minor, int slot, int* recordsWritten)
{
    if (recordsWritten)
        *recordsWritten = 0;
    if (!inCatalogue(major, minor, slot))
        return false;
    ProgramEntry& e = state_.catalogue.at(major, minor, slot);
    if (e.exePath.empty())
        return false;
    // The start is not waited for: a program that cannot be started is still counted.
    bool started = false;
    guarded(lcStart, "starting a program", [&] { started = desktop_.startProgram(qs(e.exePath)); });
    const QString path = qs(e.exePath);
    const StateSnapshot before = takeSnapshot(state_);
    if (e.useCounter < std::numeric_limits<std::int32_t>::max())
        ++e.useCounter;
    // A use that cannot be written is not counted: what is shown is what the files hold.
    guarded(lcStore, "re-ordering after a start", [&] {
        if (const Status written = sortCategory(major, minor, recordsWritten); !written) {
            takeBack(before);
            emit useNotCounted(QStringLiteral("无法保存使用次数：") + qs(written.error().message));
        }
    });
    if (!started) {
        qCInfo(lcStart) << "could not start" << path;
        emit programNotStarted(path);
    }
    return true;
}

bool Launcher::startApplication(const QString& desktopEntry)
{
    bool started = false;
    guarded(lcStart, "starting an application", [&] { started = desktop_.startProgram(desktopEntry); });
    if (!started) {
        qCInfo(lcStart) << "could not start" << desktopEntry;
        emit programNotStarted(desktopEntry);
    }
    return started;
}

bool Launcher::startFavourite(int major)
{
    Selection& sel = state_.sel;
    sel.curMinor = 0;
    sel.curSlot = 0;
    return startProgram(major, 0, 0);
}

StartOutcome Launcher::startEntry(int major, int minor, int slot)
{
    if (major >= 0 && major < kNamedMajors)
        return startProgram(major, minor, slot) ? StartOutcome::Started : StartOutcome::Nothing;
    if (major == kComboMajor) {
        if (minor < 0 || minor >= kGroups || slot < 0 || slot >= kPositions)
            return StartOutcome::Nothing;
        const ComboEntry& c = state_.combos.at(minor, slot);
        if (c.name.empty() || c.programs[0] == 0)
            return StartOutcome::Nothing;
        launchCombination(minor, slot);
        return StartOutcome::Started;
    }
    if (major == kReservedMajor)
        return StartOutcome::Reserved;
    return StartOutcome::Nothing;
}

} // namespace qbx
