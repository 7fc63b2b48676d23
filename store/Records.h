#pragma once
// The three record types of the data files, as plain values. Texts are UTF-8 in memory and
// GBK on disk; the codec (RecordCodec.h) converts between the two.

#include <array>
#include <cstdint>
#include <string>

namespace qbx {

inline constexpr int kProgramRecordLength = 450; // "yfrj.dat" and "wfrj.dat"
inline constexpr int kComboRecordLength = 180;   // "zhrj.dat"
inline constexpr int kProgramFixedBytes = 62;
inline constexpr int kComboFixedBytes = 40;

struct ProgramEntry {
    std::string name;    // empty = the slot is free
    std::string exePath; // what is started
    std::int32_t reserved1 = 0;
    std::array<std::uint8_t, 8> reserved2{}; // FILETIME, unused
    std::array<std::uint8_t, 8> reserved3{}; // FILETIME, unused
    std::array<std::uint8_t, 8> reserved4{};
    std::int32_t recordNo = 0; // 1-based record in the data file; < 1 = never written
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t slot = 0;
    std::string majorName;
    std::string minorName;
    std::string title;
    std::int32_t useCounter = 0; // starts + 1; -1 removed; 0 never filled
    std::string description;
    std::array<std::uint8_t, 8> reserved5{};

    bool operator==(const ProgramEntry&) const = default;
};

// A program taken out of the catalogue: same fields, same record.
using UnclassifiedEntry = ProgramEntry;

struct ComboEntry {
    std::string name;
    std::int32_t useCounter = 0;
    std::int32_t recordNo = 0;
    std::array<std::int32_t, 5> programs{}; // recordNo of each member, 0 = none
    std::int16_t programCount = 0;
    std::string description;
    std::int16_t group = 0;
    std::int16_t position = 0;
    std::string groupName; // empty = the entry is free

    bool operator==(const ComboEntry&) const = default;
};

} // namespace qbx
