// Writing a whole small file on Windows (the journal, the new settings file).

#include "WholeFile.h"

#ifdef _WIN32
#include <windows.h>

namespace qbx::detail {

bool writeWholeFile(const std::filesystem::path& path, std::string_view data)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < data.size()) {
        DWORD put = 0;
        ok = WriteFile(h, data.data() + done, static_cast<DWORD>(data.size() - done), &put, nullptr) &&
             put > 0;
        done += put;
    }
    ok = ok && FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    return ok;
}

} // namespace qbx::detail
#endif
