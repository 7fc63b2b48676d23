#pragma once
// Reads the first icon of a Windows program, library or icon file without trusting any of its
// offsets or sizes. Plain C++, no Qt, so it can be fuzzed on its own.
//
//   auto ico = qbx::icons::readFirstIcon("/path/prog.exe");   // .exe/.dll/.ico, told apart by content
//   if (ico) QImageReader-over-QBuffer(*ico, "ICO") ...        // bytes of a complete .ico image
//
// For a program or library (MZ + PE headers) the first RT_GROUP_ICON resource is found, its
// RT_ICON images are fetched and an .ico file is assembled in memory. For an .ico file the file
// itself is returned once its directory has been checked. Anything malformed gives nullopt.

#include "ByteSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qbx::icons {

using Bytes = std::vector<std::uint8_t>;

// Limits that keep a lying file from making us read or allocate without bound.
inline constexpr std::size_t kMaxIconImageBytes = 4u << 20; // one image of a group
inline constexpr std::size_t kMaxIconFileBytes = 16u << 20; // the assembled .ico
inline constexpr std::size_t kMaxGroupEntries = 64;         // images used from one group
inline constexpr std::size_t kMaxDirectoryEntries = 4096;   // entries looked at per directory

// The first icon group of a PE executable or library as .ico bytes.
std::optional<Bytes> extractPeIconGroup(const ByteSource& src);
// The .ico file itself when its directory is sound (every image inside the file).
std::optional<Bytes> checkedIcoFile(const ByteSource& src);
// Either of the above, chosen by the first bytes ("MZ" or an icon directory).
std::optional<Bytes> readFirstIcon(const ByteSource& src);
std::optional<Bytes> readFirstIcon(const std::string& path);

} // namespace qbx::icons
