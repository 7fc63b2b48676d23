#pragma once
// How the Linux desktop's icon theme is found (platform/DesktopIconTheme.h says what the program
// asks of it).
//
// The theme the user chose comes from the desktop's own setting: KDE's kdeglobals ([Icons] Theme)
// on Plasma, gsettings (org.gnome.desktop.interface icon-theme) on GNOME-like desktops, else GTK's
// settings.ini (gtk-4.0, then gtk-3.0), then kdeglobals. Start-up reads the files only; gsettings
// is a program of its own, asked without waiting once the window is up. A chosen theme that is not installed
// is passed over; without one the first installed of Adwaita, breeze and Papirus is used, hicolor last.
// Adwaita stands behind every theme (as it does for GTK), so its legacy icons are found.

#include "platform/DesktopIconTheme.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace qbx {

// One value of an ini-style file ("[group]" lines, "key=value" lines); empty when absent.
QString iniFileValue(const QString& file, const QString& group, const QString& key);

// The theme named by the desktop's setting files, or empty when none names one.
QString chosenIconTheme();

// Whether the desktop keeps its icon theme in gsettings (GNOME and its relatives).
bool themeInGsettings();

// The theme to use: `chosen` when installed, else the first installed of the usual themes,
// else "hicolor".
QString pickIconTheme(const QString& chosen, const std::function<bool(const QString&)>& installed);

// Whether a theme folder with an index.theme exists in Qt's icon search paths.
bool iconThemeInstalled(const QString& name);

} // namespace qbx
