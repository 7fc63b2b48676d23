#pragma once
// The applications installed on this machine, as the desktop's menus list them: on Linux the
// desktop entries under the applications/ folders of the XDG data folders
// (platform/linux/InstalledApplications.cpp). An entry is listed once,
// from the first folder that holds its file id (its path below applications/, "/" read as "-");
// entries that are hidden, not shown in menus, not applications or whose TryExec program is
// missing are left out.
//
//   const auto apps = qbx::listInstalledApplications(qbx::ApplicationIndex::folders());
// (A reading of ApplicationIndex, which keeps the entries themselves.)

#include "Desktop.h"

namespace qbx {

// In the order of their Name, then their file id.
QList<InstalledApplication> listInstalledApplications(const QStringList& applicationDirs);

} // namespace qbx
