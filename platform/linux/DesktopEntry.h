#pragma once
// XDG desktop entries (.desktop files): the few keys the program needs and the Exec line.
//
//   auto e = qbx::readDesktopEntry("/usr/share/applications/gedit.desktop");
//   QStringList argv = qbx::execArguments(e->exec);   // argv[0] = program, no shell involved
//
// The Exec line is split by the desktop-entry quoting rules: arguments separated by blanks,
// double-quoted arguments may hold blanks and the escapes \" \` \$ \\. Field codes: %i becomes
// "--icon <Icon>", %c the Name, %k the entry's own path; %f %F %u %U (no files are passed) and the
// old %d %D %n %N %v %m are removed; %% becomes %; any other code makes the line invalid, as
// the desktop's own launcher reads it.

#include <QString>
#include <QStringList>

#include <optional>

namespace qbx {

struct DesktopEntry {
    QString type; // "Application", "Link", ...
    QString exec; // raw Exec value after the general string unescaping
    QString tryExec;
    QString icon;    // a theme icon name or an absolute file
    QString name;    // Name and Comment in the interface's language where the entry has it:
    QString comment; // the [zh_CN] key first, then [zh], then the plain key
    bool hidden = false;
    bool noDisplay = false;     // NoDisplay=true: not shown in menus
    QStringList categories;     // Categories, in the entry's order
    bool terminal = false;      // Terminal=true: runs in the user's terminal
    QString path;               // Path: the working folder
    QString url;                // URL of a Type=Link entry
    bool startupNotify = false; // StartupNotify=true: the program ends its own startup notification
};

// The [Desktop Entry] group of a file; nullopt when the file cannot be read or has no such group.
std::optional<DesktopEntry> readDesktopEntry(const QString& path);

// Splits an Exec value into arguments. nullopt for an unterminated quote or a dangling escape.
std::optional<QStringList> splitExecLine(const QString& exec);

// The arguments to start: split, field codes expanded for `entry` found at `entryPath`.
// nullopt when the line is malformed (an open quote, an unknown field code).
std::optional<QStringList> expandExec(const QString& exec, const DesktopEntry& entry = {},
                                      const QString& entryPath = {});

// The same without an entry; empty when the line is malformed or empty.
QStringList execArguments(const QString& exec);

// Whether a stored program path names a desktop entry (ends in .desktop, any case).
bool isDesktopEntryPath(const QString& path);

} // namespace qbx
