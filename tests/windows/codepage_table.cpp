// Prints how every one- and two-byte sequence of code page 936 converts, one line each:
// "<bytes in hex> <code point as U+XXXX, or -> <bytes it encodes back to, or ->".
// The sequences are the 256 single bytes and every lead byte 0x81-0xFE with every trail byte
// 0x40-0xFE except 0x7F. Without an argument the store's table is printed; on Windows the
// argument "system" prints what MultiByteToWideChar and WideCharToMultiByte give instead.

#include "store/Gbk.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

struct Converted {
    std::optional<char32_t> cp;
    std::optional<std::string> back;
};

std::optional<char32_t> onlyCodePoint(const std::string& utf8)
{
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[k])); };
    if (utf8.size() == 1)
        return b(0);
    if (utf8.size() == 2 && (b(0) & 0xE0) == 0xC0)
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    if (utf8.size() == 3 && (b(0) & 0xF0) == 0xE0)
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    return std::nullopt;
}

Converted byStore(const std::string& in)
{
    const qbx::GbkDecoded d = qbx::gbkToUtf8(in);
    Converted c;
    if (!d.valid)
        return c;
    c.cp = onlyCodePoint(d.utf8);
    if (c.cp)
        c.back = qbx::utf8ToGbk(d.utf8);
    return c;
}

#ifdef _WIN32
Converted bySystem(const std::string& in)
{
    Converted c;
    wchar_t wide[4] = {};
    const int n =
        MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), wide, 4);
    if (n != 1)
        return c;
    c.cp = static_cast<char32_t>(wide[0]);
    char out[8] = {};
    BOOL usedDefault = FALSE;
    const int m =
        WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide, 1, out, sizeof out, nullptr, &usedDefault);
    if (m > 0 && !usedDefault)
        c.back = std::string(out, static_cast<std::size_t>(m));
    return c;
}
#endif

void print(const std::string& in, const Converted& c)
{
    for (char ch : in)
        std::printf("%02X", static_cast<unsigned char>(ch));
    if (c.cp)
        std::printf(" U+%04X ", static_cast<unsigned>(*c.cp));
    else
        std::printf(" - ");
    if (c.back) {
        for (char ch : *c.back)
            std::printf("%02X", static_cast<unsigned char>(ch));
        std::printf("\n");
    } else {
        std::printf("-\n");
    }
}

} // namespace

int main(int argc, char** argv)
{
    Converted (*convert)(const std::string&) = byStore;
#ifdef _WIN32
    if (argc > 1 && std::strcmp(argv[1], "system") == 0)
        convert = bySystem;
#else
    if (argc > 1) {
        std::fprintf(stderr, "the system's conversion is printed on Windows only\n");
        return 2;
    }
#endif
    static_cast<void>(argv);
    for (unsigned b = 0; b <= 0xFF; ++b) {
        const std::string in(1, static_cast<char>(b));
        print(in, convert(in));
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string in{static_cast<char>(lead), static_cast<char>(trail)};
            print(in, convert(in));
        }
    return 0;
}
