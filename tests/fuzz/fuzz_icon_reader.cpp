// libFuzzer target: the icon reader on arbitrary bytes, as a program or library (PE) and as an
// icon file. Whatever it returns must be a complete, self-consistent .ico image.

#include "platform/icons/PeIconReader.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void checkIco(const std::optional<qbx::icons::Bytes>& ico)
{
    if (!ico)
        return;
    const auto& b = *ico;
    if (b.size() < 6 || b[0] != 0 || b[1] != 0 || b[2] != 1 || b[3] != 0)
        std::abort();
    const std::size_t count = static_cast<std::size_t>(b[4] | (b[5] << 8));
    if (count == 0 || count > qbx::icons::kMaxGroupEntries || b.size() < 6 + 16 * count ||
        b.size() > qbx::icons::kMaxIconFileBytes)
        std::abort();
    std::uint64_t expected = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t size = le32(&b[6 + 16 * i + 8]), offset = le32(&b[6 + 16 * i + 12]);
        if (offset != expected || size == 0)
            std::abort();
        expected += size;
    }
    if (expected != b.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qbx::icons::MemoryByteSource src(data, size);
    checkIco(qbx::icons::extractPeIconGroup(src));
    checkIco(qbx::icons::checkedIcoFile(src));
    checkIco(qbx::icons::readFirstIcon(src));
    return 0;
}
