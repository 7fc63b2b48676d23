#pragma once
// Integer and text keys of a Windows INI file kept in GBK. Section and key names are passed as UTF-8.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qbx {

// The key's value: leading decimal digits are taken (blanks before them skipped), anything
// after them ignored; a negative value reads as 0. `def` when the file, the section or the key
// is missing or the value does not begin with a digit. nullopt when the value is above 32767:
// the caller keeps the value it had.
std::optional<std::int16_t> readIniInt(std::string_view section, std::string_view key, std::int16_t def,
                                       const std::filesystem::path& path);

// Writes " 12" for 12 and "-3" for -3. Creates the file, the section and the key when missing;
// every other line of the file is kept byte for byte. False when the file cannot be written.
bool writeIniInt(std::string_view section, std::string_view key, std::int16_t value,
                 const std::filesystem::path& path);

// The key's text as UTF-8, one pair of enclosing quotes removed; nullopt when the file, the
// section or the key is missing.
std::optional<std::string> readIniText(std::string_view section, std::string_view key,
                                       const std::filesystem::path& path);

// Writes `value` (UTF-8, written in GBK) as the key's text, as writeIniInt does. False when the
// file cannot be written or the text cannot be a value (a line break, a character GBK lacks).
bool writeIniText(std::string_view section, std::string_view key, std::string_view value,
                  const std::filesystem::path& path);

} // namespace qbx
