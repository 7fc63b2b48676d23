#pragma once
// Narrowing the list of installed applications to what the user typed into the picker.

#include "platform/Desktop.h"

namespace qbx {

// Whether `app` matches `typed`: the text, without white space at either end, is found in its
// Name, Comment or file id, ignoring case. Nothing typed matches every application.
bool applicationMatches(const InstalledApplication& app, const QString& typed);

} // namespace qbx
