// GBK as Windows code page 936 has it, through two tables built once from the system's converter.
//
// Building the tables up front keeps the converter off the hot path (loading hundreds of records
// converts thousands of short strings) and makes the conversion thread-safe without locks: after
// the one-time build the tables are only read. A double-byte code is taken as valid only when it
// converts back to the same bytes, so decoding followed by encoding is always byte-exact.

#include "Gbk.h"

#include <array>
#include <cstdint>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace qbx {
namespace {

constexpr char32_t kEscapeBase = 0xF780; // U+F780 + (byte - 0x80) keeps a stray byte
constexpr unsigned kLeadFirst = 0x81;
constexpr unsigned kLeadCount = 0xFE - 0x81 + 1;  // 126
constexpr unsigned kTrailCount = 0xFE - 0x40 + 1; // 191 (0x7F is never a trail byte)
constexpr char16_t kEuro = 0x20AC;                // single byte 0x80 in Windows 936

struct Tables {
    // Unicode of each double-byte code (lead 0x81-0xFE, trail 0x40-0xFE); 0 = not a character.
    std::array<char16_t, kLeadCount * kTrailCount> decode{};
    // GBK bytes of each BMP code point (lead << 8 | trail, or a single byte); 0 = none.
    std::array<std::uint16_t, 0x10000> encode{};
};

std::size_t pairIndex(unsigned lead, unsigned trail)
{
    return (lead - kLeadFirst) * kTrailCount + (trail - 0x40);
}

#ifdef _WIN32
char16_t systemDecodePair(unsigned lead, unsigned trail)
{
    const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    wchar_t out[2] = {};
    const int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, in, 2, out, 2);
    return n == 1 ? static_cast<char16_t>(out[0]) : char16_t{0};
}
#else
// One descriptor for the whole build, which runs once under the static-init guard.
class PairDecoder {
public:
    PairDecoder() : cd_(iconv_open("UTF-16LE", "GBK")) {}
    ~PairDecoder()
    {
        if (ok())
            iconv_close(cd_);
    }
    PairDecoder(const PairDecoder&) = delete;
    PairDecoder& operator=(const PairDecoder&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    char16_t operator()(unsigned lead, unsigned trail)
    {
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        unsigned char out[8] = {};
        char* inp = in;
        char* outp = reinterpret_cast<char*>(out);
        std::size_t inLeft = 2;
        std::size_t outLeft = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // reset the shift state
        const std::size_t r = iconv(cd_, &inp, &inLeft, &outp, &outLeft);
        if (r == static_cast<std::size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 2)
            return 0;
        return static_cast<char16_t>(out[0] | (out[1] << 8));
    }

private:
    iconv_t cd_;
};
#endif

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

std::unique_ptr<Tables> buildTables()
{
    auto t = std::make_unique<Tables>();
    for (unsigned b = 0; b < 0x80; ++b)
        t->encode[b] = static_cast<std::uint16_t>(b);
    t->encode[kEuro] = 0x80;

#ifdef _WIN32
    auto decodePair = systemDecodePair;
#else
    PairDecoder decodePair;
    if (decodePair.ok())
#endif
    {
        for (unsigned lead = kLeadFirst; lead <= 0xFE; ++lead)
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                const char16_t cp = decodePair(lead, trail);
                // Surrogates and the escape range never stand for a GBK character here.
                if (cp < 0x80 || (cp >= 0xD800 && cp <= 0xDFFF) ||
                    (cp >= kEscapeBase && cp < kEscapeBase + 0x80))
                    continue;
                t->decode[pairIndex(lead, trail)] = cp;
            }
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

const Tables& tables()
{
    static const std::unique_ptr<Tables> t = buildTables();
    return *t;
}

bool isAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The next code point of strict UTF-8 at `i` (advanced past it); nullopt on malformed input.
std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    std::size_t len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return std::nullopt;
    }
    if (s.size() - i < len)
        return std::nullopt;
    for (std::size_t k = 1; k < len; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    i += len;
    return cp;
}

// Length of the GBK character at `i` (1 or 2), or 0 when its byte has to be escaped.
std::size_t gbkCharAt(const Tables& t, std::string_view s, std::size_t i, char16_t& cp)
{
    const unsigned b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        cp = static_cast<char16_t>(b);
        return 1;
    }
    if (b == 0x80) {
        cp = kEuro;
        return 1;
    }
    if (b == 0xFF || i + 1 >= s.size())
        return 0;
    const unsigned trail = static_cast<unsigned char>(s[i + 1]);
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
        return 0;
    cp = t.decode[pairIndex(b, trail)];
    return cp == 0 ? 0 : 2;
}

} // namespace

GbkDecoded gbkToUtf8(std::string_view gbk)
{
    GbkDecoded result;
    if (isAscii(gbk)) {
        result.utf8.assign(gbk);
        return result;
    }
    const Tables& t = tables();
    result.utf8.reserve(gbk.size() * 3 / 2 + 1);
    for (std::size_t i = 0; i < gbk.size();) {
        char16_t cp = 0;
        const std::size_t n = gbkCharAt(t, gbk, i, cp);
        if (n == 0) {
            appendUtf8(result.utf8, kEscapeBase + (static_cast<unsigned char>(gbk[i]) - 0x80));
            result.valid = false;
            ++i;
        } else {
            appendUtf8(result.utf8, cp);
            i += n;
        }
    }
    return result;
}

std::optional<std::string> utf8ToGbk(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    const Tables& t = tables();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<char32_t> cp = nextUtf8(utf8, i);
        if (!cp)
            return std::nullopt;
        if (*cp >= kEscapeBase && *cp < kEscapeBase + 0x80) {
            out += static_cast<char>(0x80 + (*cp - kEscapeBase));
            continue;
        }
        if (*cp > 0xFFFF)
            return std::nullopt;
        const std::uint16_t code = t.encode[*cp];
        if (code == 0 && *cp != 0)
            return std::nullopt;
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

void prepareGbkTables()
{
    tables();
}

bool isValidGbk(std::string_view gbk)
{
    if (isAscii(gbk))
        return true;
    const Tables& t = tables();
    for (std::size_t i = 0; i < gbk.size();) {
        char16_t cp = 0;
        const std::size_t n = gbkCharAt(t, gbk, i, cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

} // namespace qbx
