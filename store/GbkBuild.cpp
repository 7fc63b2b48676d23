// Building the GBK tables from a system converter: the rules that make them Windows' code page
// 936 whatever the converter leaves out.

#include "GbkTables.h"

namespace qbx::gbk {
namespace {

// The user-defined areas of GBK map to the private-use block U+E000-U+E765 in Windows 936; the
// converters of other systems often reject them, so they are filled in by rule.
void addUserDefinedAreas(Tables& t)
{
    char16_t cp = 0xE000;
    auto add = [&](unsigned leadFrom, unsigned leadTo, unsigned trailFrom, unsigned trailTo) {
        for (unsigned lead = leadFrom; lead <= leadTo; ++lead)
            for (unsigned trail = trailFrom; trail <= trailTo; ++trail) {
                if (trail == 0x7F)
                    continue;
                std::size_t i = pairIndex(lead, trail);
                if (t.decode[i] == 0 && t.encode[cp] == 0)
                    t.decode[i] = cp;
                ++cp;
            }
    };
    add(0xAA, 0xAF, 0xA1, 0xFE); // U+E000-U+E233
    add(0xF8, 0xFE, 0xA1, 0xFE); // U+E234-U+E4C5
    add(0xA1, 0xA7, 0x40, 0xA0); // U+E4C6-U+E765

    // Unassigned codes among the symbols, which Windows 936 maps on from U+E766 in this order
    // (U+E766-U+E864); they are filled in by rule for the same reason.
    struct Run {
        std::uint16_t first, last;
    };
    static constexpr Run kRuns[] = {
        {0xA2AB, 0xA2B0}, {0xA2E3, 0xA2E4}, {0xA2EF, 0xA2F0}, {0xA2FD, 0xA2FE}, {0xA4F4, 0xA4FE},
        {0xA5F7, 0xA5FE}, {0xA6B9, 0xA6C0}, {0xA6D9, 0xA6DF}, {0xA6EC, 0xA6ED}, {0xA6F3, 0xA6F3},
        {0xA6F6, 0xA6FE}, {0xA7C2, 0xA7D0}, {0xA7F2, 0xA7FE}, {0xA896, 0xA8A0}, {0xA8BC, 0xA8BC},
        {0xA8BF, 0xA8BF}, {0xA8C1, 0xA8C4}, {0xA8EA, 0xA8FE}, {0xA958, 0xA958}, {0xA95B, 0xA95B},
        {0xA95D, 0xA95F}, {0xA989, 0xA995}, {0xA997, 0xA9A3}, {0xA9F0, 0xA9FE}, {0xD7FA, 0xD7FE},
        {0xFE50, 0xFE7E}, {0xFE80, 0xFEA0},
    };
    for (const Run& r : kRuns)
        add(r.first >> 8, r.last >> 8, r.first & 0xFF, r.last & 0xFF);
}

} // namespace

std::unique_ptr<Tables> buildTables(const PairDecoder& decodePair)
{
    auto t = std::make_unique<Tables>();
    for (unsigned b = 0; b < 0x80; ++b)
        t->encode[b] = static_cast<std::uint16_t>(b);
    t->encode[kEuro] = 0x80;

    for (unsigned lead = kLeadFirst; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const char16_t cp = decodePair(lead, trail);
            // Surrogates and the escape range never stand for a GBK character here.
            if (cp < 0x80 || (cp >= 0xD800 && cp <= 0xDFFF) || (cp >= kEscapeBase && cp < kEscapeBase + 0x80))
                continue;
            t->decode[pairIndex(lead, trail)] = cp;
        }
    addUserDefinedAreas(*t);

    // Encoding: the first code found wins; a code whose character maps elsewhere is not valid
    // for decoding either, so every decoded character encodes back to its own bytes.
    for (unsigned lead = kLeadFirst; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const char16_t cp = t->decode[pairIndex(lead, trail)];
            if (cp != 0 && t->encode[cp] == 0)
                t->encode[cp] = static_cast<std::uint16_t>(lead << 8 | trail);
        }
    for (unsigned lead = kLeadFirst; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            char16_t& cp = t->decode[pairIndex(lead, trail)];
            if (cp != 0 && t->encode[cp] != (lead << 8 | trail))
                cp = 0;
        }
    return t;
}

} // namespace qbx::gbk
