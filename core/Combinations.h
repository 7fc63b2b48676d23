#pragma once
// Looking at combinations.

#include "store/AppState.h"

#include <string>

namespace qbx {

// The program whose icon stands for a combination: its first member, read from its record and
// found at the catalogue place the record names. Empty when the combination has no member or the
// member is no longer filed there.
std::string comboIconPath(const AppState& state, const ComboEntry& combo);

} // namespace qbx
