#pragma once
// Writing a whole small file on Windows: created or emptied, written, flushed to disk.

#ifdef _WIN32
#include <filesystem>
#include <string_view>

namespace qbx::detail {

// False when any step fails; the file may then hold part of `data`.
bool writeWholeFile(const std::filesystem::path& path, std::string_view data);

} // namespace qbx::detail
#endif
