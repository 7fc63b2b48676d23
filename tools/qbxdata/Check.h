#pragma once
#include "Folder.h"

#include <string>
#include <vector>

namespace qbxdata {

// One line per problem found in the folder; empty when it is clean.
std::vector<std::string> check(const Folder& folder);

} // namespace qbxdata
