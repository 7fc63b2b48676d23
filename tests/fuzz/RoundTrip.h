#pragma once
// The check both record fuzzers make: whatever bytes a record file holds, decoding never reads
// outside them, and the decoded entry writes back as the bytes it was read from.

#include "store/RecordCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qbx::fuzz {

[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "round trip broken: %s\n", what);
    std::abort();
}

template <typename Entry>
void checkRoundTrip(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> in(data, size);
    Entry entry;
    DecodeReport report;
    decodeRecord(in, entry, &report);

    const Result<Bytes> encoded = encodeRecord(entry);
    if (!encoded) {
        // Decoded text always converts back; only the length can be over.
        if (encoded.error().code != StoreErrorCode::TooLong)
            fail("decoded text does not encode");
        return;
    }
    Entry again;
    DecodeReport second;
    decodeRecord(encoded.value(), again, &second);
    if (!(again == entry))
        fail("re-decoding changed the entry");
    if (second.truncated || second.textNotGbk != report.textNotGbk)
        fail("re-decoding reports differ");
    if (report.truncated)
        return; // a cut string writes back with its true length

    // The fields' bytes as they were read (missing bytes are zeros).
    const Bytes& out = encoded.value();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::uint8_t original = i < size ? data[i] : 0;
        if (out[i] != original)
            fail("bytes differ from the record read");
    }
}

} // namespace qbx::fuzz
