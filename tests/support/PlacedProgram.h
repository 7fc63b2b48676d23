#pragma once
// Test helper: a program put at a place of the catalogue with that place's indices and the
// built-in category names, as filing would leave it. The caller fills in the rest.

#include "store/AppState.h"

#include <string>

namespace qbx::testing {

inline ProgramEntry& placeProgram(AppState& state, int major, int minor, int slot, const std::string& name)
{
    ProgramEntry& e = state.catalogue.at(major, minor, slot);
    e.name = name;
    e.major = static_cast<std::int16_t>(major);
    e.minor = static_cast<std::int16_t>(minor);
    e.slot = static_cast<std::int16_t>(slot);
    e.majorName = majorNames()[static_cast<std::size_t>(major)];
    e.minorName = minorNames(major)[static_cast<std::size_t>(minor)];
    return e;
}

} // namespace qbx::testing
