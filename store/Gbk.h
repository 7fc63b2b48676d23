#pragma once
// GBK (code page 936) conversion for the data and settings files.
//
// Decoding never fails: a byte that does not start a valid GBK character is kept as the
// private-use code point U+F780 + (byte - 0x80) (bytes below 0x80 are always valid), and
// encoding turns such a code point back into its byte, so a record with damaged text
// reads and writes back byte for byte.

#include <optional>
#include <string>
#include <string_view>

namespace qbx {

struct GbkDecoded {
    std::string utf8;
    bool valid = true; // false when a byte had to be kept as an escape
};

GbkDecoded gbkToUtf8(std::string_view gbk);

// nullopt when the text holds a character GBK cannot represent (or is not valid UTF-8).
std::optional<std::string> utf8ToGbk(std::string_view utf8);

// True when every byte sequence of `gbk` is a GBK character.
bool isValidGbk(std::string_view gbk);

} // namespace qbx
