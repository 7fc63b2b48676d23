#pragma once
// The first start's offer: a catalogue without a single program may be filled from the
// applications installed on this machine. Each is filed through the core's filing operation,
// as the classification editor files a chosen desktop entry (its Name, a title and description
// from Name and Comment, use count 1, a record of its own, the program count written), in the
// place its categories give (ApplicationCategories.h). A minor category takes 25 programs; the
// rest of them, and programs filed already, are left out.

#include "platform/Desktop.h"

namespace qbx {

struct AppState;
class Launcher;

// Whether to offer it now: no program is filed and the offer was never answered (the settings
// file's "应用程序导入" key).
bool installedImportOffered(const AppState& state);
// Remembers in the settings file that the offer was answered; false when that could not be
// written.
bool rememberImportAnswered(const AppState& state);

// Files `apps`; returns how many were filed.
int fileInstalledApplications(Launcher& launcher, const QList<InstalledApplication>& apps);

} // namespace qbx
