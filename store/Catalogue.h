#pragma once
// The in-memory containers and the built-in category names.

#include "Records.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qbx {

inline constexpr int kMajors = 7; // 0-4 named, 5 combinations, 6 reserved
inline constexpr int kNamedMajors = 5;
inline constexpr int kComboMajor = 5;    // the combinations' tile and category
inline constexpr int kReservedMajor = 6; // the tile kept for a later version
inline constexpr int kMinors = 5;
inline constexpr int kSlots = 25;
inline constexpr int kMaxPrograms = 755;        // programs that may be filed in all
inline constexpr int kProgramRecordsRead = 775; // records of "yfrj.dat" read at start-up
inline constexpr int kGroups = 5;
inline constexpr int kPositions = 25; // array size; only 0-4 are used
inline constexpr int kUsedPositions = 5;
inline constexpr int kComboRecordsRead = 25;

inline constexpr const char* kProgramFile = "yfrj.dat";
inline constexpr const char* kUnclassifiedFile = "wfrj.dat";
inline constexpr const char* kComboFile = "zhrj.dat";

// Whether (major, minor, slot) is one of the catalogue's places, of any major or of majors 0-4.
constexpr bool inCatalogue(int major, int minor, int slot)
{
    return major >= 0 && major < kMajors && minor >= 0 && minor < kMinors && slot >= 0 && slot < kSlots;
}
constexpr bool inNamedCatalogue(int major, int minor, int slot)
{
    return major < kNamedMajors && inCatalogue(major, minor, slot);
}

// "办公", "娱乐", "网络", "学习", "系统".
const std::array<std::string, kNamedMajors>& majorNames();
// Minor names of a named major in minor order; major 1's last one is "其它 " with a blank.
const std::array<std::string, kMinors>& minorNames(int major);

struct Catalogue {
    std::array<std::array<std::array<ProgramEntry, kSlots>, kMinors>, kMajors> e{};
    ProgramEntry& at(int major, int minor, int slot) { return e[major][minor][slot]; }
    const ProgramEntry& at(int major, int minor, int slot) const { return e[major][minor][slot]; }
};

struct ComboTable {
    std::array<std::array<ComboEntry, kPositions>, kGroups> e{};
    ComboEntry& at(int group, int position) { return e[group][position]; }
    const ComboEntry& at(int group, int position) const { return e[group][position]; }
};

struct MinorName {
    std::string name;
    std::int16_t slotMap = 5; // catalogue minor position holding this name's programs; 5 = unknown
};

struct MinorNameTable {
    std::array<std::array<MinorName, kMinors>, kMajors> e{};
    MinorName& at(int major, int nameIndex) { return e[major][nameIndex]; }
    const MinorName& at(int major, int nameIndex) const { return e[major][nameIndex]; }
    // Sets the built-in names and every slotMap of majors 0-4 to 5.
    void fillBuiltIn();
};

// Entries 1..wcount; index 0 is unused so that entry k is record k.
struct UnclassifiedList {
    std::vector<UnclassifiedEntry> e;
    void resize(int wcount) { e.assign(static_cast<std::size_t>(wcount < 0 ? 0 : wcount) + 1, {}); }
    int count() const { return static_cast<int>(e.size()) - 1; }
    UnclassifiedEntry& at(int k) { return e[static_cast<std::size_t>(k)]; }
    const UnclassifiedEntry& at(int k) const { return e[static_cast<std::size_t>(k)]; }
};

} // namespace qbx
