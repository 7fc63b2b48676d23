#include "StartProgram.h"

#include "ClickSound.h"
#include "Desktop.h"
#include "MainWindowLink.h"
#include "Store.h"
#include "Text.h"

#include <QWidget>

#include <limits>

namespace qbx {

namespace {

bool inCatalogue(int major, int minor, int slot) {
    return major >= 0 && major < kMajors && minor >= 0 && minor < kMinors && slot >= 0 && slot < kSlots;
}

} // namespace

bool StartProgram(AppState& state, Desktop& desktop, int major, int minor, int slot, int* recordsWritten) {
    if (recordsWritten)
        *recordsWritten = 0;
    if (!inCatalogue(major, minor, slot))
        return false;
    ProgramEntry& e = state.catalogue.at(major, minor, slot);
    if (e.exePath.empty())
        return false;
    // The start is not waited for and its result not looked at: a program that cannot be started
    // is still counted.
    try {
        desktop.startProgram(qs(e.exePath));
    } catch (...) {
    }
    if (e.useCounter < std::numeric_limits<std::int32_t>::max())
        ++e.useCounter;
    // Re-orders the minor category and the major category, writes the records and redraws the
    // tiles. A write that fails leaves the count in memory; the next save of the record carries it.
    try {
        sortMinorCategory(state, major, minor, recordsWritten);
    } catch (...) {
    }
    return true;
}

TileClicks::TileClicks(AppState& state, Desktop& desktop, ClickSound& sound, Hooks hooks)
    : state_(state), desktop_(desktop), sound_(sound), hooks_(std::move(hooks)) {}

void TileClicks::Picture1_MouseDown(int tile, Qt::MouseButton) {
    sound_.PlayClickSound();
    if (hooks_.showTileSkin)
        hooks_.showTileSkin(tile, kTilePressedSkin);
}

void TileClicks::Picture1_MouseUp(int tile, Qt::MouseButton button) {
    if (tile < 0 || tile >= kMajors)
        return;
    auto& sel = state_.sel;
    if (button == Qt::LeftButton) {
        sel.curMinor = 0;
        sel.curSlot = 0;
        if (tile < kNamedMajors) {
            if (state_.catalogue.at(tile, 0, 0).exePath.empty())
                return; // the tile keeps its pressed picture until the pointer moves
            StartProgram(state_, desktop_, tile, 0, 0);
        } else if (tile == 5) {
            if (hooks_.launchMostUsedCombination)
                hooks_.launchMostUsedCombination();
        } else {
            desktop_.message(hooks_.messageOwner, QString::fromUtf8(kTile6Message));
        }
    } else if (button == Qt::RightButton) {
        sel.curMajor = static_cast<std::int16_t>(tile);
        sel.curMinor = 0;
        sel.curSlot = 0;
        if (hooks_.openTileCommandMenu)
            hooks_.openTileCommandMenu(tile);
    }
    if (hooks_.showTileSkin)
        hooks_.showTileSkin(tile, kTileRestSkin);
}

bool startSelection(AppState& state, Desktop& desktop, MainWindowLink& mainWindow, StartOrigin origin,
                    const SelectionHooks& hooks) {
    const int major = state.sel.curMajor;
    const int minor = state.sel.curMinor;
    const int slot = state.sel.curSlot;
    bool acted = false;
    if (major >= 0 && major < kNamedMajors) {
        if (!inCatalogue(major, minor, slot) || !StartProgram(state, desktop, major, minor, slot))
            return false;
        mainWindow.closePopups();
        acted = true;
    } else if (major == 5) {
        if (minor < 0 || minor >= kGroups || slot < 0 || slot >= kPositions)
            return false;
        const ComboEntry& c = state.combos.at(minor, slot);
        if (c.name.empty() || c.programs[0] == 0)
            return false;
        if (hooks.launchCombination)
            hooks.launchCombination(minor, slot);
        mainWindow.closePopups();
        acted = true;
    } else if (major == 6) {
        desktop.message(hooks.messageOwner, QString::fromUtf8(kReservedCategoryMessage));
        if (origin == StartOrigin::OpenCommand)
            mainWindow.closePopups();
        acted = true;
    }
    if (acted && origin == StartOrigin::IconClick)
        mainWindow.setHideTimers(true);
    return acted;
}

} // namespace qbx
