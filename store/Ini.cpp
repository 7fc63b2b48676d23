// Integer and text keys of a Windows INI file, read and written as the Windows profile functions do.
//
// The file is handled as GBK bytes: names are converted to GBK before they are looked up, lines
// are found by their byte offsets, and a write replaces or inserts one line and leaves every
// other byte of the file as it was. The new file is written beside the old one and renamed over
// it, so a crash in the middle of a write cannot lose the settings. A file an editor has saved
// in UTF-8 keeps working: see locate().

#include "Ini.h"

#include "Gbk.h"
#include "WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qbx {
namespace {

constexpr std::size_t kMaxIniBytes = 16u << 20; // a settings file is a few hundred bytes

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// How the names in a file are spelled. GBK files (those Windows writes) pair a lead byte with
// the byte after it; in UTF-8 no byte of a multi-byte character looks like ASCII.
enum class Text { Gbk, Utf8 };

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isLeadByte(Text enc, unsigned char c)
{
    return enc == Text::Gbk && c >= 0x81 && c <= 0xFE;
}

bool isAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Names compare as Windows compares them: ASCII letters without regard to case, the two bytes
// of a double-byte character exactly (its second byte may look like an ASCII letter).
bool sameName(Text enc, std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (isLeadByte(enc, x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

// Offset of the first ']' that is a character of its own (not the second byte of one), or npos.
std::size_t findClosingBracket(Text enc, std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (isLeadByte(enc, c) && i + 1 < s.size()) {
            ++i;
            continue;
        }
        if (c == ']')
            return i;
    }
    return std::string_view::npos;
}

struct Line {
    std::size_t begin = 0; // offset of the first byte
    std::size_t end = 0;   // offset after the text, before the line break
    std::size_t next = 0;  // offset of the next line (after the line break)
};

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key value, trimmed
};

Parsed parseLine(Text enc, std::string_view text)
{
    const std::string_view t = trim(text);
    if (t.empty() || t.front() == ';')
        return {};
    if (t.front() == '[') {
        const std::string_view inner = t.substr(1);
        const std::size_t close = findClosingBracket(enc, inner);
        return {Kind::Section, trim(inner.substr(0, close)), {}};
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return {Kind::Key, t, {}};
    return {Kind::Key, trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
}

std::vector<Line> splitLines(std::string_view data)
{
    std::vector<Line> lines;
    std::size_t pos = data.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    // A line ends at CR LF, LF or a lone CR, as Windows reads the file.
    while (pos < data.size()) {
        const std::size_t br = data.find_first_of("\r\n", pos);
        Line l;
        l.begin = pos;
        if (br == std::string_view::npos) {
            l.end = l.next = data.size();
        } else {
            l.end = br;
            l.next = (data[br] == '\r' && br + 1 < data.size() && data[br + 1] == '\n') ? br + 2 : br + 1;
        }
        lines.push_back(l);
        pos = l.next;
    }
    return lines;
}

// Where a key lives in the file.
struct Lookup {
    bool sectionFound = false;
    std::size_t sectionEnd = 0; // offset after the last non-empty line of the section
    bool sectionEndHasBreak = true;
    bool keyFound = false;
    Line keyLine;
    std::string_view keyName;
    std::string_view value;
};

Lookup find(Text enc, std::string_view data, std::string_view section, std::string_view key)
{
    Lookup r;
    bool inSection = false;
    for (const Line& l : splitLines(data)) {
        const std::string_view text = data.substr(l.begin, l.end - l.begin);
        const Parsed p = parseLine(enc, text);
        if (p.kind == Kind::Section) {
            if (inSection)
                break; // the first section of that name is the one used
            inSection = sameName(enc, p.name, section);
            if (inSection) {
                r.sectionFound = true;
                r.sectionEnd = l.next;
                r.sectionEndHasBreak = l.next != l.end;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!trim(text).empty()) {
            r.sectionEnd = l.next;
            r.sectionEndHasBreak = l.next != l.end;
        }
        if (p.kind == Kind::Key && !r.keyFound && sameName(enc, p.name, key)) {
            r.keyFound = true;
            r.keyLine = l;
            r.keyName = p.name;
            r.value = p.value;
        }
    }
    return r;
}

// A key found in the file with the names as the file spells them.
struct Located {
    Lookup at;
    std::string section;
    std::string key;
};

// Windows files spell names in GBK. A file marked as UTF-8 (it starts with a byte-order mark),
// or one an editor saved in UTF-8 so that its section is found only under the UTF-8 name, is
// read and written in UTF-8. nullopt when the names cannot be spelled in the file at all.
std::optional<Located> locate(std::string_view data, std::string_view section, std::string_view key)
{
    if (data.starts_with(kUtf8Bom))
        return Located{find(Text::Utf8, data, section, key), std::string(section), std::string(key)};
    std::optional<Located> gbk;
    const std::optional<std::string> gbkSection = utf8ToGbk(section);
    const std::optional<std::string> gbkKey = utf8ToGbk(key);
    if (gbkSection && gbkKey) {
        gbk = Located{find(Text::Gbk, data, *gbkSection, *gbkKey), *gbkSection, *gbkKey};
        if (gbk->at.sectionFound || (isAscii(section) && isAscii(key)))
            return gbk;
    }
    Lookup utf8 = find(Text::Utf8, data, section, key);
    if (utf8.sectionFound)
        return Located{utf8, std::string(section), std::string(key)};
    return gbk;
}

std::optional<std::string> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string data;
    char buf[4096];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        data.append(buf, static_cast<std::size_t>(in.gcount()));
        if (data.size() > kMaxIniBytes)
            return std::nullopt;
    }
    if (in.bad())
        return std::nullopt;
    return data;
}

// Value text as GetPrivateProfileString returns it: one pair of enclosing quotes removed.
std::string_view unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

#ifndef _WIN32
bool writeAll(int fd, const std::string& data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes `data` to a new file beside `path`, flushes it to disk and renames it over `path`.
bool replaceFile(const std::filesystem::path& path, const std::string& data)
{
    std::filesystem::path target = path;
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) { // keep the link, replace what it points at
        const std::filesystem::path link = std::filesystem::read_symlink(path, ec);
        if (ec)
            return false;
        target = link.is_absolute() ? link : path.parent_path() / link;
    }
    std::string tmpl = (target.parent_path() / (".~" + target.filename().string() + ".XXXXXX")).string();
    if (target.parent_path().empty())
        tmpl = ".~" + target.filename().string() + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(target.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    static_cast<void>(::fchmod(fd, mode)); // a file only its owner can read is still a good file
    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(name.data(), target.c_str()) == 0) {
        const int dirFd = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
        return true;
    }
    ::unlink(name.data());
    return false;
}
#else
// Writes `data` to a new file beside `path`, flushes it to disk and moves it over `path`.
bool replaceFile(const std::filesystem::path& path, const std::string& data)
{
    std::filesystem::path tmp = path.parent_path() / (L".~" + path.filename().wstring() + L".new");
    if (detail::writeWholeFile(tmp, data) &&
        MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(tmp.c_str());
    return false;
}
#endif

} // namespace

std::optional<std::int16_t> readIniInt(std::string_view section, std::string_view key, std::int16_t def,
                                       const std::filesystem::path& path)
{
    const std::optional<std::string> data = readFile(path);
    if (!data)
        return def;
    const std::optional<Located> l = locate(*data, section, key);
    if (!l || !l->at.keyFound)
        return def;

    std::string_view v = unquote(l->at.value);
    while (!v.empty() && isBlank(v.front()))
        v.remove_prefix(1);
    bool negative = false;
    if (!v.empty() && (v.front() == '-' || v.front() == '+')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    if (v.empty() || v.front() < '0' || v.front() > '9')
        return def;
    long value = 0;
    for (char c : v) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > 32767)
            break; // too big either way; no need to read on
    }
    if (negative)
        return std::int16_t{0};
    if (value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

namespace {

// Writes `valueText` (bytes as they go into the file) as the key's value.
bool writeIniValue(std::string_view section, std::string_view key, const std::string& valueText,
                   const std::filesystem::path& path)
{
    if (section.empty() || key.empty())
        return false;
    std::string data;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        std::optional<std::string> old = readFile(path);
        if (!old)
            return false;
        data = std::move(*old);
    } else if (ec) {
        return false;
    }

    const std::optional<Located> found = locate(data, section, key);
    if (!found)
        return false; // names GBK cannot hold
    const Lookup& l = found->at;
    std::string out;
    if (l.keyFound) {
        // The line keeps its own break and the key the spelling it had.
        out.append(data, 0, l.keyLine.begin);
        out.append(l.keyName);
        out += '=';
        out += valueText;
        out.append(data, l.keyLine.end, std::string::npos);
    } else if (l.sectionFound) {
        out.append(data, 0, l.sectionEnd);
        if (!l.sectionEndHasBreak)
            out += "\r\n";
        out.append(found->key).append("=").append(valueText).append("\r\n");
        out.append(data, l.sectionEnd, std::string::npos);
    } else {
        out = data;
        if (!out.empty() && out.back() != '\n' && out != kUtf8Bom)
            out += "\r\n";
        out.append("[").append(found->section).append("]\r\n");
        out.append(found->key).append("=").append(valueText).append("\r\n");
    }
    return replaceFile(path, out);
}

} // namespace

bool writeIniInt(std::string_view section, std::string_view key, std::int16_t value,
                 const std::filesystem::path& path)
{
    std::string valueText = value < 0 ? "" : " ";
    valueText += std::to_string(value);
    return writeIniValue(section, key, valueText, path);
}

std::optional<std::string> readIniText(std::string_view section, std::string_view key,
                                       const std::filesystem::path& path)
{
    const std::optional<std::string> data = readFile(path);
    if (!data)
        return std::nullopt;
    const std::optional<Located> l = locate(*data, section, key);
    if (!l || !l->at.keyFound)
        return std::nullopt;
    const std::string_view v = unquote(l->at.value);
    // A file an editor saved in UTF-8 (found by its mark or its section's UTF-8 name) is read as such.
    const bool utf8 = data->starts_with(kUtf8Bom) || (!isAscii(section) && l->section == section);
    return utf8 ? std::string(v) : gbkToUtf8(v).utf8;
}

bool writeIniText(std::string_view section, std::string_view key, std::string_view value,
                  const std::filesystem::path& path)
{
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return false;
    const std::optional<std::string> gbk = utf8ToGbk(value);
    if (!gbk)
        return false;
    return writeIniValue(section, key, *gbk, path);
}

} // namespace qbx
