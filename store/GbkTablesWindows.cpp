// On Windows the GBK tables come from the system's own converter, built once on first use.

#include "GbkTables.h"

#include <windows.h>

namespace qbx::gbk {

const Tables& tables()
{
    static const std::unique_ptr<Tables> t = buildTables([](unsigned lead, unsigned trail) {
        const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        wchar_t out[2] = {};
        const int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, in, 2, out, 2);
        return n == 1 ? static_cast<char16_t>(out[0]) : char16_t{0};
    });
    return *t;
}

} // namespace qbx::gbk
