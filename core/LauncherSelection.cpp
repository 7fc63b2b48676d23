// The core's selection: the place the windows' commands act on, the tile under the pointer and
// the pop-up column in use. Windows change it only through these operations.

#include "Launcher.h"

#include <cstdint>

namespace qbx {

namespace {

std::int16_t stored(int value)
{
    return static_cast<std::int16_t>(value);
}

} // namespace

void Launcher::select(int major, int minor, int slot)
{
    Selection& sel = state_.sel;
    sel.curMajor = stored(major);
    sel.curMinor = stored(minor);
    sel.curSlot = stored(slot);
}

void Launcher::selectMajor(int major)
{
    state_.sel.curMajor = stored(major);
}

void Launcher::selectSlot(int slot)
{
    state_.sel.curSlot = stored(slot);
}

void Launcher::hoverTile(int tile)
{
    state_.sel.hoverTile = stored(tile);
}

void Launcher::openColumn(int column, int minor)
{
    Selection& sel = state_.sel;
    sel.popupColumn = stored(column);
    sel.popupActive = true;
    sel.curMinor = stored(minor);
}

void Launcher::setPopupActive(bool active)
{
    state_.sel.popupActive = active;
}

void Launcher::selectCombination(int group, int position)
{
    state_.sel.curGroup = stored(group);
    state_.sel.curPosition = stored(position);
}

void Launcher::holdPendingProgram(const ProgramEntry& program)
{
    state_.sel.pendingProgram = program;
}

} // namespace qbx
