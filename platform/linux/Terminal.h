#pragma once
// The user's terminal, for desktop entries that say Terminal=true.

#include <QStringList>

namespace qbx {

// The command that runs `argv` in a terminal window: x-terminal-emulator when the desktop names
// one, else $TERMINAL, else a known terminal found on PATH, each with -e. Empty when there is no
// terminal.
QStringList inTerminal(const QStringList& argv);

} // namespace qbx
