#pragma once
#include "Folder.h"

#include <ostream>

namespace qbxdata {

// Everything start-up loads from the folder, as JSON.
void dump(const Folder& folder, std::ostream& out);

} // namespace qbxdata
