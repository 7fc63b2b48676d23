#pragma once
// Start at login on freedesktop desktops: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/quillbox.desktop (~/.config when the variable is unset or relative).
//
//   qbx::autostart::write("/opt/My Apps/qbx", "/opt/My Apps/exe13.ico", true);
//
// The entry is always rewritten whole with the program's current path. Switching it off keeps the
// entry and marks it Hidden=true, which the session treats as not there.

#include "platform/Desktop.h"

#include <QString>

namespace qbx::autostart {

// The entry's file.
QString entryFile();

// `argument` quoted for an Exec line: in double quotes, with \" \` \$ \\ escaped and % doubled,
// so blanks, quotes and shell characters in a path reach the program as they are.
QString quoteExecArgument(const QString& argument);

// The general escapes of a desktop-entry value (\\ \n \t \r), applied after the Exec quoting.
QString escapeValue(const QString& value);

// The entry's text.
QString entryText(const QString& program, const QString& icon, bool enabled);

// Writes the entry (creating the folder); a failed write leaves the old entry as it was.
StartAtLoginResult write(const QString& program, const QString& icon, bool enabled);

} // namespace qbx::autostart
