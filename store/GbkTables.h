#pragma once
// The two tables GBK conversion reads: code page 936 as Windows has it.
//
// On Windows they are built once from the system's converter. Elsewhere they are made when the
// program is built (tools/gbktables asks the build machine's converter), so a start builds
// nothing and the tables cost only the pages a conversion reads.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace qbx::gbk {

constexpr char32_t kEscapeBase = 0xF780; // U+F780 + (byte - 0x80) keeps a stray byte
constexpr unsigned kLeadFirst = 0x81;
constexpr unsigned kLeadCount = 0xFE - 0x81 + 1;  // 126
constexpr unsigned kTrailCount = 0xFE - 0x40 + 1; // 191 (0x7F is never a trail byte)
constexpr char16_t kEuro = 0x20AC;                // single byte 0x80 in Windows 936

struct Tables {
    // Unicode of each double-byte code (lead 0x81-0xFE, trail 0x40-0xFE); 0 = not a character.
    std::array<char16_t, kLeadCount * kTrailCount> decode;
    // GBK bytes of each BMP code point (lead << 8 | trail, or a single byte); 0 = none.
    std::array<std::uint16_t, 0x10000> encode;
};

constexpr std::size_t pairIndex(unsigned lead, unsigned trail)
{
    return (lead - kLeadFirst) * kTrailCount + (trail - 0x40);
}

// The tables every conversion reads; safe on any thread.
const Tables& tables();

// What a system converter makes of one double-byte code: its UTF-16 unit, 0 when it is none.
using PairDecoder = std::function<char16_t(unsigned lead, unsigned trail)>;

// Tables from a system converter, with Windows' user-defined areas filled in by rule and every
// code kept only when it encodes back to its own bytes.
std::unique_ptr<Tables> buildTables(const PairDecoder& decodePair);

} // namespace qbx::gbk
