// How the Windows backend turns a stored program path into a command line: a path with blanks
// must start that program and never a shorter one (C:\Program.exe), and arguments must reach
// the program unchanged. Expected command lines are written out literally; round trips go
// through the argument rules of the C runtime / CommandLineToArgvW, re-implemented here.

#include "platform/windows/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

using qbx::win::commandLineWithArgument;
using qbx::win::programCommandLine;
using qbx::win::quoteArgument;

namespace {

// The module CreateProcess runs for a command line: a quoted first token up to the next quote,
// otherwise everything up to the first blank (the first attempt Windows makes).
std::wstring firstProgram(const std::wstring& line)
{
    if (!line.empty() && line[0] == L'"') {
        const auto end = line.find(L'"', 1);
        return line.substr(1, end == std::wstring::npos ? std::wstring::npos : end - 1);
    }
    return line.substr(0, line.find_first_of(L" \t"));
}

// CommandLineToArgvW's rules for the arguments after the program name.
std::vector<std::wstring> splitArguments(const std::wstring& s)
{
    std::vector<std::wstring> args;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == L' ' || s[i] == L'\t'))
            ++i;
        if (i >= s.size())
            break;
        std::wstring arg;
        bool quoted = false;
        while (i < s.size() && (quoted || (s[i] != L' ' && s[i] != L'\t'))) {
            std::size_t slashes = 0;
            while (i < s.size() && s[i] == L'\\') {
                ++slashes;
                ++i;
            }
            if (i < s.size() && s[i] == L'"') {
                arg.append(slashes / 2, L'\\');
                if (slashes % 2) {
                    arg += L'"';
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(slashes, L'\\');
                if (i < s.size() && (quoted || (s[i] != L' ' && s[i] != L'\t')))
                    arg += s[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

} // namespace

TEST(CommandLine, StoredPathIsQuotedAsOneProgram)
{
    EXPECT_EQ(programCommandLine(L"C:\\Program Files\\x.exe"), std::wstring(L"\"C:\\Program Files\\x.exe\""));
    EXPECT_EQ(programCommandLine(L"C:\\Tools\\app.exe"), std::wstring(L"\"C:\\Tools\\app.exe\""));
    // A path stored with its quotes already is not quoted twice.
    EXPECT_EQ(programCommandLine(L"\"C:\\Program Files\\x.exe\""),
              std::wstring(L"\"C:\\Program Files\\x.exe\""));
    for (const std::wstring path :
         {L"C:\\Program Files\\x.exe", L"C:\\Program Files (x86)\\A B\\c d.exe", L"D:\\软件 工具\\记事本.exe",
          L"C:\\dir\\", L"x.exe", L"\\\\server\\share name\\y.exe"}) {
        const auto line = programCommandLine(path);
        ASSERT_TRUE(line);
        EXPECT_EQ(firstProgram(*line), path);
    }
}

TEST(CommandLine, PathsThatCannotNameAProgramAreRefused)
{
    EXPECT_FALSE(programCommandLine(L""));
    EXPECT_FALSE(programCommandLine(L"\"\""));
    EXPECT_FALSE(programCommandLine(L"C:\\a\" & calc.exe"));
    EXPECT_FALSE(programCommandLine(L"C:\\a.exe\r\nC:\\b.exe"));
    EXPECT_FALSE(programCommandLine(std::wstring(L"C:\\a.exe\0b", 10)));
    EXPECT_FALSE(commandLineWithArgument(L"", L"x"));
}

TEST(CommandLine, ArgumentsReachTheProgramUnchanged)
{
    EXPECT_EQ(quoteArgument(L"C:\\Tools\\"), L"C:\\Tools\\");
    EXPECT_EQ(quoteArgument(L"C:\\My Tools\\"), L"\"C:\\My Tools\\\\\"");
    EXPECT_EQ(quoteArgument(L"a\"b"), L"\"a\\\"b\"");
    EXPECT_EQ(quoteArgument(L""), L"\"\"");
    EXPECT_EQ(commandLineWithArgument(L"notepad", L"C:\\Quill box\\Quillbox介绍.txt"),
              std::wstring(L"\"notepad\" \"C:\\Quill box\\Quillbox介绍.txt\""));
    for (const std::wstring arg : {L"plain", L"with blank", L"C:\\My Tools\\", L"a\\\\\"b", L"\"", L"\\",
                                   L"tab\there", L"trailing\\\\", L"", L"x \\\" y"}) {
        const auto line = commandLineWithArgument(L"C:\\Windows\\explorer.exe", arg);
        ASSERT_TRUE(line);
        const auto program = firstProgram(*line);
        EXPECT_EQ(program, L"C:\\Windows\\explorer.exe");
        const auto rest = line->substr(program.size() + 2);
        const auto args = splitArguments(rest);
        ASSERT_EQ(args.size(), 1u) << "for argument of length " << arg.size();
        EXPECT_EQ(args[0], arg);
    }
}
