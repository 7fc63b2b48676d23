#include "Json.h"

#include <cstdio>

namespace qbxdata {

namespace {

// Length of the valid UTF-8 sequence at `s[i]`, or 0.
std::size_t utf8Length(std::string_view s, std::size_t i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        n = 2;
        cp = c & 0x1Fu;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        cp = c & 0x0Fu;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        cp = c & 0x07u;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

std::string Json::quote(std::string_view text)
{
    std::string r = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        char buf[8];
        if (c == '"' || c == '\\') {
            r += '\\';
            r += static_cast<char>(c);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            r += buf;
            ++i;
        } else if (std::size_t n = utf8Length(text, i)) {
            r.append(text.substr(i, n));
            i += n;
        } else {
            r += "\\ufffd"; // not UTF-8: cannot come from the store, but never emit bad JSON
            ++i;
        }
    }
    return r + "\"";
}

void Json::separate(std::string_view key)
{
    if (!first_.back())
        out_ << ',';
    first_.back() = false;
    out_ << '\n' << std::string(2 * (first_.size() - 1), ' ');
    if (!key.empty())
        out_ << quote(key) << ": ";
}

void Json::beginObject(std::string_view key)
{
    if (first_.size() > 1 || !first_.back())
        separate(key);
    out_ << '{';
    first_.push_back(true);
}

void Json::endObject()
{
    first_.pop_back();
    out_ << '\n' << std::string(2 * (first_.size() - 1), ' ') << '}';
    if (first_.size() == 1)
        out_ << '\n';
}

void Json::beginArray(std::string_view key)
{
    separate(key);
    out_ << '[';
    first_.push_back(true);
}

void Json::endArray()
{
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty)
        out_ << '\n' << std::string(2 * (first_.size() - 1), ' ');
    out_ << ']';
}

void Json::field(std::string_view key, std::string_view text)
{
    separate(key);
    out_ << quote(text);
}

void Json::field(std::string_view key, long long number)
{
    separate(key);
    out_ << number;
}

void Json::value(long long number)
{
    separate({});
    out_ << number;
}

} // namespace qbxdata
