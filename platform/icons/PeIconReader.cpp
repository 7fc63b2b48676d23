#include "PeIconReader.h"

#include <algorithm>
#include <cstring>

namespace qbx::icons {
namespace {

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::uint32_t kSubdirBit = 0x80000000u;
constexpr std::uint32_t kMaxSections = 96;

struct Section {
    std::uint32_t va = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawPtr = 0;
};

// One image of an icon with the directory fields that describe it.
struct IconImage {
    std::uint8_t width = 0, height = 0, colors = 0;
    std::uint16_t planes = 0, bitCount = 0;
    Bytes data;
};

std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t be32(const std::uint8_t* p)
{
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

// Whether the image bytes hold what their own header promises: a PNG with a sane size, or a
// DIB (header, palette, XOR and AND bitmaps) that fits inside the bytes.
bool imageLooksSound(const Bytes& d)
{
    static const std::uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() >= 8 && std::memcmp(d.data(), png, 8) == 0) {
        if (d.size() < 33 || std::memcmp(d.data() + 12, "IHDR", 4) != 0)
            return false;
        const std::uint32_t w = be32(d.data() + 16), h = be32(d.data() + 20);
        return w >= 1 && h >= 1 && w <= 1024 && h <= 1024;
    }
    if (d.size() < 40)
        return false;
    const std::uint32_t hdr = le32(d.data());
    const auto w = static_cast<std::int32_t>(le32(d.data() + 4));
    const auto h2 = static_cast<std::int32_t>(le32(d.data() + 8));
    const std::uint16_t planes = le16(d.data() + 12), bpp = le16(d.data() + 14);
    const std::uint32_t compression = le32(d.data() + 16), used = le32(d.data() + 32);
    if (hdr < 40 || hdr > 124 || w < 1 || w > 256 || h2 < 2 || h2 > 512 || planes != 1)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (compression != 0)
        return false;
    const std::uint64_t uw = static_cast<std::uint64_t>(w), uh = static_cast<std::uint64_t>(h2) / 2;
    std::uint64_t palette = 0;
    if (bpp <= 8) {
        const std::uint64_t maxColors = 1ull << bpp;
        palette = 4 * (used == 0 || used > maxColors ? maxColors : used);
    }
    const std::uint64_t xorRow = ((uw * bpp + 31) / 32) * 4;
    const std::uint64_t andRow = ((uw + 31) / 32) * 4;
    // Some writers leave out the AND mask of 32-bit images; the XOR bitmap must be there.
    const std::uint64_t need = hdr + palette + xorRow * uh + (bpp == 32 ? 0 : andRow * uh);
    return need <= d.size();
}

Bytes assembleIco(const std::vector<IconImage>& images)
{
    Bytes out;
    const std::size_t n = images.size();
    auto put16 = [&out](std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    auto put32 = [&put16](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put16(0);
    put16(1);
    put16(static_cast<std::uint32_t>(n));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * n);
    for (const IconImage& im : images) {
        out.push_back(im.width);
        out.push_back(im.height);
        out.push_back(im.colors);
        out.push_back(0);
        put16(im.planes);
        put16(im.bitCount);
        put32(static_cast<std::uint32_t>(im.data.size()));
        put32(offset);
        offset += static_cast<std::uint32_t>(im.data.size());
    }
    for (const IconImage& im : images)
        out.insert(out.end(), im.data.begin(), im.data.end());
    return out;
}

// The parts of a PE image the resource walk needs.
class PeImage {
public:
    explicit PeImage(const ByteSource& src) : src_(src) {}

    bool parseHeaders()
    {
        std::uint8_t mz[2];
        std::uint32_t lfanew = 0, sig = 0;
        if (!src_.read(0, mz, 2) || mz[0] != 'M' || mz[1] != 'Z' || !src_.u32(0x3C, lfanew))
            return false;
        if (!src_.u32(lfanew, sig) || sig != 0x00004550u)
            return false;
        const std::uint64_t coff = std::uint64_t{lfanew} + 4;
        std::uint16_t nSections = 0, optSize = 0, magic = 0;
        if (!src_.u16(coff + 2, nSections) || !src_.u16(coff + 16, optSize))
            return false;
        const std::uint64_t opt = coff + 20;
        if (!src_.u16(opt, magic))
            return false;
        std::uint64_t countAt = 0, dirsAt = 0;
        if (magic == 0x10B) {
            countAt = 92;
            dirsAt = 96;
        } else if (magic == 0x20B) {
            countAt = 108;
            dirsAt = 112;
        } else {
            return false;
        }
        std::uint32_t nDirs = 0;
        if (dirsAt + 3 * 8 > optSize || !src_.u32(opt + countAt, nDirs) || nDirs < 3)
            return false;
        if (!src_.u32(opt + dirsAt + 16, resRva_) || !src_.u32(opt + dirsAt + 20, resSize_))
            return false;
        if (resRva_ == 0 || resSize_ == 0 || nSections == 0 || nSections > kMaxSections)
            return false;
        const std::uint64_t table = opt + optSize;
        for (std::uint32_t i = 0; i < nSections; ++i) {
            std::uint8_t s[40];
            if (!src_.read(table + 40ull * i, s, sizeof s))
                return false;
            sections_.push_back(Section{le32(s + 12), le32(s + 16), le32(s + 20)});
        }
        return true;
    }

    // Reads n bytes at an RVA; they must lie in one section's raw data and inside the file.
    bool readRva(std::uint64_t rva, void* dst, std::size_t n) const
    {
        for (const Section& s : sections_) {
            if (rva < s.va || rva - s.va >= s.rawSize)
                continue;
            const std::uint64_t into = rva - s.va;
            if (n > s.rawSize - into)
                return false;
            return src_.read(std::uint64_t{s.rawPtr} + into, dst, n);
        }
        return false;
    }
    bool rva32(std::uint64_t rva, std::uint32_t& v) const
    {
        std::uint8_t b[4];
        if (!readRva(rva, b, 4))
            return false;
        v = le32(b);
        return true;
    }

    // Offset (from the resource directory's start) of a directory entry's target. `wanted`
    // picks an integer id; without it the first entry of the directory is taken. `subdir` says
    // whether the target must be a further directory or a data entry.
    std::optional<std::uint32_t> entry(std::uint32_t dirOffset, std::optional<std::uint16_t> wanted,
                                       bool subdir) const
    {
        std::uint8_t head[16];
        if (dirOffset > resSize_ || !readRva(std::uint64_t{resRva_} + dirOffset, head, sizeof head))
            return std::nullopt;
        const std::size_t named = le16(head + 12), ids = le16(head + 14);
        const std::size_t total = std::min<std::size_t>(named + ids, kMaxDirectoryEntries);
        for (std::size_t i = 0; i < total; ++i) {
            std::uint8_t e[8];
            if (!readRva(std::uint64_t{resRva_} + dirOffset + 16 + 8 * i, e, sizeof e))
                return std::nullopt;
            const std::uint32_t name = le32(e), target = le32(e + 4);
            if (wanted && ((name & kSubdirBit) != 0 || (name & 0xFFFF) != *wanted || name > 0xFFFF))
                continue;
            if (((target & kSubdirBit) != 0) != subdir)
                return std::nullopt;
            const std::uint32_t off = target & ~kSubdirBit;
            if (off >= resSize_)
                return std::nullopt;
            return off;
        }
        return std::nullopt;
    }

    // The data of a resource: type, then id (or the first name), then the first language.
    std::optional<Bytes> resource(std::uint16_t type, std::optional<std::uint16_t> id,
                                  std::size_t maxBytes) const
    {
        const auto typeDir = entry(0, type, true);
        if (!typeDir)
            return std::nullopt;
        const auto nameDir = entry(*typeDir, id, true);
        if (!nameDir)
            return std::nullopt;
        const auto dataEntry = entry(*nameDir, std::nullopt, false);
        if (!dataEntry)
            return std::nullopt;
        std::uint32_t dataRva = 0, dataSize = 0;
        const std::uint64_t at = std::uint64_t{resRva_} + *dataEntry;
        if (!rva32(at, dataRva) || !rva32(at + 4, dataSize))
            return std::nullopt;
        if (dataSize == 0 || dataSize > maxBytes)
            return std::nullopt;
        Bytes out(dataSize);
        if (!readRva(dataRva, out.data(), out.size()))
            return std::nullopt;
        return out;
    }

private:
    const ByteSource& src_;
    std::vector<Section> sections_;
    std::uint32_t resRva_ = 0;
    std::uint32_t resSize_ = 0;
};

} // namespace

std::optional<Bytes> extractPeIconGroup(const ByteSource& src)
{
    PeImage pe(src);
    if (!pe.parseHeaders())
        return std::nullopt;
    const auto group = pe.resource(kRtGroupIcon, std::nullopt, 6 + 14 * 0xFFFFu);
    if (!group || group->size() < 6)
        return std::nullopt;
    const Bytes& g = *group;
    if (le16(g.data()) != 0 || le16(g.data() + 2) != 1)
        return std::nullopt;
    const std::size_t declared = le16(g.data() + 4);
    const std::size_t count = std::min({declared, (g.size() - 6) / 14, kMaxGroupEntries});

    std::vector<IconImage> images;
    std::size_t total = 6;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = g.data() + 6 + 14 * i;
        auto data = pe.resource(kRtIcon, le16(e + 12), kMaxIconImageBytes);
        if (!data || !imageLooksSound(*data))
            continue; // a missing or broken image is left out; the others still make an icon
        total += 16 + data->size();
        if (total > kMaxIconFileBytes)
            break;
        images.push_back(IconImage{e[0], e[1], e[2], le16(e + 4), le16(e + 6), std::move(*data)});
    }
    if (images.empty())
        return std::nullopt;
    return assembleIco(images);
}

std::optional<Bytes> checkedIcoFile(const ByteSource& src)
{
    std::uint16_t reserved = 1, type = 0, count = 0;
    if (!src.u16(0, reserved) || !src.u16(2, type) || !src.u16(4, count))
        return std::nullopt;
    if (reserved != 0 || type != 1 || count == 0)
        return std::nullopt;
    std::vector<IconImage> images;
    std::size_t total = 6;
    const std::size_t n = std::min<std::size_t>(count, kMaxGroupEntries);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t e[16];
        if (!src.read(6 + 16 * i, e, sizeof e))
            return std::nullopt; // the directory itself is cut off
        const std::uint32_t size = le32(e + 8), offset = le32(e + 12);
        if (size == 0 || size > kMaxIconImageBytes || offset < 6 + 16ull * count)
            continue;
        IconImage im{e[0], e[1], e[2], le16(e + 4), le16(e + 6), {}};
        if (!src.bytes(offset, size, im.data) || !imageLooksSound(im.data))
            continue;
        total += 16 + size;
        if (total > kMaxIconFileBytes)
            break;
        images.push_back(std::move(im));
    }
    if (images.empty())
        return std::nullopt;
    return assembleIco(images);
}

std::optional<Bytes> readFirstIcon(const ByteSource& src)
{
    std::uint8_t head[2];
    if (!src.read(0, head, 2))
        return std::nullopt;
    if (head[0] == 'M' && head[1] == 'Z')
        return extractPeIconGroup(src);
    return checkedIcoFile(src);
}

std::optional<Bytes> readFirstIcon(const std::string& path)
{
    FileByteSource src(path);
    if (!src.isOpen())
        return std::nullopt;
    return readFirstIcon(src);
}

} // namespace qbx::icons
