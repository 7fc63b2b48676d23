#pragma once
// Byte layout of the records: fields in declaration order, no padding, little-endian
// integers, strings as a 16-bit byte count followed by GBK text.

#include "Records.h"
#include "Result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qbx {

using Bytes = std::vector<std::uint8_t>;

// What decoding found wrong, for `qbx-data check`; loading ignores it.
struct DecodeReport {
    bool textNotGbk = false; // some text was not valid GBK (kept as escapes)
    bool truncated = false;  // a string ran past the end of the record (cut there)
};

// Bytes missing at the end read as zeros; decoding never reads past `bytes`.
void decodeRecord(std::span<const std::uint8_t> bytes, ProgramEntry& out, DecodeReport* report = nullptr);
void decodeRecord(std::span<const std::uint8_t> bytes, ComboEntry& out, DecodeReport* report = nullptr);

// The record's bytes (at most the record length), or TooLong / NotGbk.
Result<Bytes> encodeRecord(const ProgramEntry& entry);
Result<Bytes> encodeRecord(const ComboEntry& entry);

} // namespace qbx
