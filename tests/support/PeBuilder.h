#pragma once
// Assembles small Windows executables and icon files byte by byte for the icon-reader tests:
// DOS header, PE headers, one .rsrc section with RT_ICON and RT_GROUP_ICON resources.

#include <cstdint>
#include <cstring>
#include <vector>

namespace qbx::test {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}
inline void put32(Bytes& b, std::size_t at, std::uint32_t v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
inline std::uint32_t get32(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline std::uint16_t get16(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// A size × size 32-bit icon image (DIB with AND mask) filled with one colour (0xAARRGGBB).
inline Bytes solidDib(int size, std::uint32_t argb)
{
    const std::size_t pixels = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    const std::size_t maskRow = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
    Bytes d(40 + pixels * 4 + maskRow * static_cast<std::size_t>(size), 0);
    put32(d, 0, 40);
    put32(d, 4, static_cast<std::uint32_t>(size));
    put32(d, 8, static_cast<std::uint32_t>(size * 2));
    put16(d, 12, 1);
    put16(d, 14, 32);
    for (std::size_t i = 0; i < pixels; ++i)
        put32(d, 40 + 4 * i, argb); // little-endian ARGB is B, G, R, A in memory
    return d;
}

struct IconRes {
    std::uint16_t id;
    Bytes image;
    std::uint8_t size; // width = height in the group entry
};
struct GroupRes {
    std::uint16_t id;
    std::vector<std::uint16_t> iconIds;
};
struct BuiltPe {
    Bytes bytes;
    std::size_t sectionStart = 0;     // file offset of the .rsrc section (= resource root)
    std::size_t firstGroupEntry = 0;  // file offset of the first group's IMAGE_RESOURCE_DATA_ENTRY
    std::size_t firstGroupData = 0;   // file offset of the first group's GRPICONDIR
    std::size_t firstIconEntry = 0;   // file offset of the first icon's data entry
    std::size_t resourceDirField = 0; // file offset of the optional header's resource RVA
    std::size_t sectionHeader = 0;    // file offset of the section header
};

inline BuiltPe buildPe(const std::vector<IconRes>& icons, const std::vector<GroupRes>& groups,
                       bool pe64 = false)
{
    constexpr std::uint32_t kVa = 0x1000, kRaw = 0x200;
    BuiltPe out;
    Bytes r; // the resource section
    auto dir = [&r](std::size_t n) {
        const std::size_t at = r.size();
        r.resize(at + 16 + 8 * n, 0);
        put16(r, at + 14, static_cast<std::uint32_t>(n));
        return at;
    };
    auto setEntry = [&r](std::size_t d, std::size_t i, std::uint32_t id, std::size_t target, bool sub) {
        put32(r, d + 16 + 8 * i, id);
        put32(r, d + 16 + 8 * i + 4, static_cast<std::uint32_t>(target) | (sub ? 0x80000000u : 0));
    };
    const std::size_t root = dir(2);
    const std::size_t iconsDir = dir(icons.size());
    const std::size_t groupsDir = dir(groups.size());
    setEntry(root, 0, 3, iconsDir, true);
    setEntry(root, 1, 14, groupsDir, true);

    std::vector<std::size_t> dataEntries;
    std::vector<Bytes> blobs;
    auto leaf = [&](std::size_t parent, std::size_t i, std::uint32_t id, Bytes blob) {
        const std::size_t lang = dir(1);
        setEntry(parent, i, id, lang, true);
        const std::size_t de = r.size();
        r.resize(de + 16, 0);
        setEntry(lang, 0, 0x409, de, false);
        dataEntries.push_back(de);
        blobs.push_back(std::move(blob));
        return de;
    };
    for (std::size_t i = 0; i < icons.size(); ++i)
        leaf(iconsDir, i, icons[i].id, icons[i].image);
    for (std::size_t gi = 0; gi < groups.size(); ++gi) {
        const GroupRes& g = groups[gi];
        Bytes grp(6 + 14 * g.iconIds.size(), 0);
        put16(grp, 2, 1);
        put16(grp, 4, static_cast<std::uint32_t>(g.iconIds.size()));
        for (std::size_t k = 0; k < g.iconIds.size(); ++k) {
            std::uint8_t sz = 0;
            std::uint32_t len = 0;
            for (const IconRes& ic : icons)
                if (ic.id == g.iconIds[k]) {
                    sz = ic.size;
                    len = static_cast<std::uint32_t>(ic.image.size());
                }
            const std::size_t e = 6 + 14 * k;
            grp[e] = sz;
            grp[e + 1] = sz;
            put16(grp, e + 4, 1);
            put16(grp, e + 6, 32);
            put32(grp, e + 8, len);
            put16(grp, e + 12, g.iconIds[k]);
        }
        leaf(groupsDir, gi, g.id, grp);
    }
    std::vector<std::size_t> blobAt;
    for (std::size_t i = 0; i < blobs.size(); ++i) {
        r.resize((r.size() + 3) & ~std::size_t{3}, 0);
        blobAt.push_back(r.size());
        put32(r, dataEntries[i], kVa + static_cast<std::uint32_t>(r.size()));
        put32(r, dataEntries[i] + 4, static_cast<std::uint32_t>(blobs[i].size()));
        r.insert(r.end(), blobs[i].begin(), blobs[i].end());
    }
    r.resize((r.size() + 0x1FF) & ~std::size_t{0x1FF}, 0);

    Bytes& b = out.bytes;
    b.assign(kRaw, 0);
    b[0] = 'M';
    b[1] = 'Z';
    put32(b, 0x3C, 0x40);
    std::memcpy(&b[0x40], "PE\0\0", 4);
    const std::size_t coff = 0x44, opt = coff + 20;
    const std::uint16_t optSize = pe64 ? 240 : 224;
    put16(b, coff, pe64 ? 0x8664 : 0x14C);
    put16(b, coff + 2, 1);
    put16(b, coff + 16, optSize);
    put16(b, opt, pe64 ? 0x20B : 0x10B);
    const std::size_t countAt = opt + (pe64 ? 108 : 92), dirsAt = opt + (pe64 ? 112 : 96);
    put32(b, countAt, 16);
    out.resourceDirField = dirsAt + 16;
    put32(b, dirsAt + 16, kVa);
    put32(b, dirsAt + 20, static_cast<std::uint32_t>(r.size()));
    const std::size_t sec = opt + optSize;
    out.sectionHeader = sec;
    std::memcpy(&b[sec], ".rsrc\0\0\0", 8);
    put32(b, sec + 8, static_cast<std::uint32_t>(r.size()));
    put32(b, sec + 12, kVa);
    put32(b, sec + 16, static_cast<std::uint32_t>(r.size()));
    put32(b, sec + 20, kRaw);
    b.insert(b.end(), r.begin(), r.end());

    out.sectionStart = kRaw;
    if (!icons.empty())
        out.firstIconEntry = kRaw + dataEntries[0];
    if (!groups.empty()) {
        out.firstGroupEntry = kRaw + dataEntries[icons.size()];
        out.firstGroupData = kRaw + blobAt[icons.size()];
    }
    return out;
}

// An .ico file holding the given images (each a DIB or PNG) in that order.
inline Bytes buildIco(const std::vector<std::pair<std::uint8_t, Bytes>>& images, std::uint16_t type = 1)
{
    Bytes b(6 + 16 * images.size(), 0);
    put16(b, 2, type);
    put16(b, 4, static_cast<std::uint32_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::size_t e = 6 + 16 * i;
        b[e] = images[i].first;
        b[e + 1] = images[i].first;
        put16(b, e + 4, 1);
        put16(b, e + 6, 32);
        put32(b, e + 8, static_cast<std::uint32_t>(images[i].second.size()));
        put32(b, e + 12, static_cast<std::uint32_t>(b.size()));
        b.insert(b.end(), images[i].second.begin(), images[i].second.end());
    }
    return b;
}

} // namespace qbx::test
