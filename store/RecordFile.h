#pragma once
// A random-access file of fixed-length records. No file stays open: every access opens the
// file, does its one read or write and closes it again. Record n starts at (n - 1) * length.

#include "RecordCodec.h"
#include "Result.h"

#include <filesystem>

namespace qbx {

class RecordFile {
public:
    RecordFile(std::filesystem::path path, int recordLength);

    const std::filesystem::path& path() const { return path_; }
    int recordLength() const { return length_; }

    // Record `recordNo` (>= 1); bytes past the end of the file read as zeros. A missing file is
    // created empty first. Fails only when the file cannot be opened or read.
    Result<Bytes> read(int recordNo) const;

    // Records first..last in one open; missing ones read as zeros.
    Result<std::vector<Bytes>> readRange(int first, int last) const;

    // Writes the record with one positioned write of the whole record length (the bytes after
    // `bytes` are zeros), so a crash cannot leave half a record behind.
    Status write(int recordNo, std::span<const std::uint8_t> bytes) const;

private:
    std::filesystem::path path_;
    int length_;
};

} // namespace qbx
