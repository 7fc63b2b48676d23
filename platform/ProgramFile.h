#pragma once
// What a program's entry file (a desktop entry on Linux: platform/linux/DesktopEntry.cpp) tells
// about the program, for filing it under a name.
//
//   const qbx::ProgramFileInfo info = qbx::programFileInfo("/usr/share/applications/gedit.desktop");

#include <QString>

namespace qbx {

struct ProgramFileInfo {
    QString name; // the name and comment in the interface's language where the file has them
    QString comment;
};

// Empty fields when the file cannot be read or tells nothing.
ProgramFileInfo programFileInfo(const QString& path);

} // namespace qbx
