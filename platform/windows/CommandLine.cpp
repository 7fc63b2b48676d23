#include "CommandLine.h"

namespace qbx::win {

std::optional<std::wstring> programCommandLine(std::wstring_view storedPath)
{
    std::wstring_view path = storedPath;
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    if (path.empty())
        return std::nullopt;
    for (const wchar_t c : path) {
        if (c == L'"' || c == L'\0' || c == L'\r' || c == L'\n')
            return std::nullopt;
    }
    // CreateProcess takes the program name up to the closing quote; backslashes inside the quotes
    // are plain path separators there, so the path goes in unchanged.
    std::wstring line;
    line.reserve(path.size() + 2);
    line += L'"';
    line += path;
    line += L'"';
    return line;
}

std::wstring quoteArgument(std::wstring_view arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(arg);
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            // Backslashes before a quote are doubled and the quote itself escaped.
            out.append(backslashes * 2 + 1, L'\\');
            out += L'"';
        } else {
            out.append(backslashes, L'\\');
            out += c;
        }
        backslashes = 0;
    }
    // Backslashes before the closing quote are doubled so that they do not escape it.
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

std::optional<std::wstring> commandLineWithArgument(std::wstring_view program, std::wstring_view arg)
{
    auto line = programCommandLine(program);
    if (!line)
        return std::nullopt;
    *line += L' ';
    *line += quoteArgument(arg);
    return line;
}

} // namespace qbx::win
