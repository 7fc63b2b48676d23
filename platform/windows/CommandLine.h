#pragma once
// Command lines for starting programs on Windows (CreateProcessW).
//
// A filed program is stored as its bare path, e.g. C:\Program Files\Tool\x.exe. Handed to
// CreateProcess unquoted, the blank splits it and Windows tries C:\Program.exe first, so any file
// of that name would run instead. The stored path is therefore always quoted as one program name.
// Plain C++ so the rules are unit-tested on every platform.

#include <optional>
#include <string>
#include <string_view>

namespace qbx::win {

// The command line that starts exactly the stored program, with no arguments: the path in double
// quotes. A path wrapped in quotes already is taken without them. nullopt when the path cannot
// name a program: empty, or holding a double quote (no Windows file name can), a NUL or a line break.
std::optional<std::wstring> programCommandLine(std::wstring_view storedPath);

// One argument quoted so that CommandLineToArgvW and the C runtime read it back unchanged
// (blanks, tabs, quotes and the backslashes before them).
std::wstring quoteArgument(std::wstring_view arg);

// A program followed by one argument, e.g. the text editor with a file or the file explorer
// with a folder. nullopt when the program is refused by programCommandLine.
std::optional<std::wstring> commandLineWithArgument(std::wstring_view program, std::wstring_view arg);

} // namespace qbx::win
