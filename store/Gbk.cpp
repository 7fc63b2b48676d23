// GBK as Windows code page 936 has it, read from two tables (GbkTables.h).
//
// Tables keep a converter off the hot path (loading hundreds of records converts thousands of
// short strings) and make the conversion thread-safe without locks: they are only read. A
// double-byte code is in them only when it converts back to the same bytes, so decoding followed
// by encoding is always byte-exact.

#include "Gbk.h"
#include "GbkTables.h"

namespace qbx {
namespace {

using gbk::kEscapeBase;
using gbk::kEuro;
using gbk::pairIndex;
using gbk::Tables;

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
    const Tables& t = gbk::tables();
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
    const Tables& t = gbk::tables();
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

bool isValidGbk(std::string_view gbk)
{
    if (isAscii(gbk))
        return true;
    const Tables& t = gbk::tables();
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
