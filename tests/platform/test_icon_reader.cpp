// The PE / ICO icon reader on executables and icon files assembled here byte by byte: the right
// group is found and rebuilt as an .ico, and files that lie about offsets or sizes give nothing.

#include "platform/icons/PeIconReader.h"
#include "tests/support/PeBuilder.h"

#include <gtest/gtest.h>

using namespace qbx::test;
using qbx::icons::MemoryByteSource;
using qbx::icons::readFirstIcon;

namespace {

std::optional<Bytes> read(const Bytes& b)
{
    return readFirstIcon(MemoryByteSource(b));
}

struct IcoEntry {
    std::uint8_t width;
    std::uint32_t size, offset;
};
std::vector<IcoEntry> entries(const Bytes& ico)
{
    std::vector<IcoEntry> out;
    for (std::size_t i = 0; i < get16(ico, 4); ++i)
        out.push_back({ico[6 + 16 * i], get32(ico, 6 + 16 * i + 8), get32(ico, 6 + 16 * i + 12)});
    return out;
}

const Bytes kRed16 = solidDib(16, 0xFFFF0000);
const Bytes kBlue32 = solidDib(32, 0xFF0000FF);
const Bytes kGreen16 = solidDib(16, 0xFF00FF00);

BuiltPe twoSizePe(bool pe64 = false)
{
    return buildPe({{1, kRed16, 16}, {2, kBlue32, 32}}, {{7, {1, 2}}}, pe64);
}

} // namespace

TEST(PeIconReader, FirstGroupIsRebuiltAsIco)
{
    for (bool pe64 : {false, true}) {
        const auto ico = read(twoSizePe(pe64).bytes);
        ASSERT_TRUE(ico) << "pe64=" << pe64;
        ASSERT_EQ(get16(*ico, 0), 0);
        ASSERT_EQ(get16(*ico, 2), 1);
        const auto e = entries(*ico);
        ASSERT_EQ(e.size(), 2u);
        EXPECT_EQ(e[0].width, 16);
        EXPECT_EQ(e[1].width, 32);
        EXPECT_EQ(e[0].offset, 6u + 32u);
        EXPECT_EQ(e[1].offset, e[0].offset + e[0].size);
        ASSERT_EQ(ico->size(), e[1].offset + e[1].size);
        EXPECT_TRUE(std::equal(kRed16.begin(), kRed16.end(), ico->begin() + e[0].offset));
        EXPECT_TRUE(std::equal(kBlue32.begin(), kBlue32.end(), ico->begin() + e[1].offset));
    }
}

TEST(PeIconReader, OnlyTheFirstGroupCounts)
{
    // Group 3 holds the green icon, group 9 the red one; the first in the directory wins.
    const auto pe = buildPe({{1, kRed16, 16}, {2, kGreen16, 16}}, {{3, {2}}, {9, {1}}});
    const auto ico = read(pe.bytes);
    ASSERT_TRUE(ico);
    ASSERT_EQ(entries(*ico).size(), 1u);
    EXPECT_TRUE(std::equal(kGreen16.begin(), kGreen16.end(), ico->begin() + entries(*ico)[0].offset));
}

TEST(PeIconReader, ProgramsWithoutIconsGiveNothing)
{
    EXPECT_FALSE(read(buildPe({}, {}).bytes));
    EXPECT_FALSE(read(buildPe({{1, kRed16, 16}}, {}).bytes)); // images but no group
    EXPECT_FALSE(read(buildPe({}, {{1, {5}}}).bytes));        // group naming no image
    EXPECT_FALSE(read(Bytes{}));
    EXPECT_FALSE(read(Bytes{'M'}));
    const std::string text = "#!/bin/sh\necho hello\n";
    EXPECT_FALSE(read(Bytes(text.begin(), text.end())));
}

TEST(PeIconReader, MissingOrBrokenImagesAreLeftOut)
{
    Bytes broken = kBlue32;
    put32(broken, 4, 100000); // a width the bytes cannot hold
    const auto pe = buildPe({{1, kRed16, 16}, {2, broken, 32}}, {{1, {1, 2, 44}}});
    const auto ico = read(pe.bytes);
    ASSERT_TRUE(ico);
    ASSERT_EQ(entries(*ico).size(), 1u);
    EXPECT_EQ(entries(*ico)[0].width, 16);
}

TEST(PeIconReader, EveryTruncationIsRefusedWithoutOverrun)
{
    const Bytes full = twoSizePe().bytes;
    // Cutting the file anywhere before the end of the last image must not yield an icon built
    // from bytes outside the file (ASan watches the reads).
    for (std::size_t n = 0; n < full.size(); ++n) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        const auto ico = read(cut);
        if (ico) {
            EXPECT_LE(ico->size(), n) << "cut at " << n;
        }
    }
}

TEST(PeIconReader, LyingOffsetsAndSizesGiveNothing)
{
    const BuiltPe pe = twoSizePe();
    auto lie = [&pe](std::size_t at, std::uint32_t value) {
        Bytes b = pe.bytes;
        put32(b, at, value);
        return read(b);
    };
    EXPECT_FALSE(lie(0x3C, 0xFFFFFFF0u)) << "e_lfanew past the end";
    EXPECT_FALSE(lie(0x3C, static_cast<std::uint32_t>(pe.bytes.size() - 2))) << "PE header cut off";
    EXPECT_FALSE(lie(pe.resourceDirField, 0x7FFFFFFFu)) << "resource RVA in no section";
    EXPECT_FALSE(lie(pe.sectionHeader + 20, 0xFFFFFF00u)) << "section raw data past the end";
    EXPECT_FALSE(lie(pe.firstGroupEntry, 0xFFFFFFF0u)) << "group data RVA wraps";
    EXPECT_FALSE(lie(pe.firstGroupEntry + 4, 0xFFFFFFFFu)) << "group data size huge";
    EXPECT_FALSE(lie(pe.sectionStart + 16 + 4, 0x80FFFFF0u)) << "subdirectory outside the section";
    EXPECT_FALSE(lie(pe.sectionStart + 16 + 12, 0x80000000u)) << "type entry points back at the root";

    // A group claiming 65535 images holds only what its bytes hold.
    Bytes many = pe.bytes;
    put16(many, pe.firstGroupData + 4, 0xFFFF);
    const auto ico = read(many);
    ASSERT_TRUE(ico);
    EXPECT_EQ(entries(*ico).size(), 2u);

    // An icon's data entry promising more bytes than its section has.
    Bytes longIcon = pe.bytes;
    put32(longIcon, pe.firstIconEntry + 4, 0x00300000);
    const auto rest = read(longIcon);
    ASSERT_TRUE(rest);
    ASSERT_EQ(entries(*rest).size(), 1u);
    EXPECT_EQ(entries(*rest)[0].width, 32);

    // Section count beyond what the format allows.
    Bytes sections = pe.bytes;
    put16(sections, 0x44 + 2, 0xFFFF);
    EXPECT_FALSE(read(sections));
}

TEST(IcoFile, SoundFilesKeepEveryImage)
{
    const Bytes ico = buildIco({{16, kRed16}, {32, kBlue32}});
    const auto got = read(ico);
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, ico); // a well-formed file comes back byte for byte
}

TEST(IcoFile, PngImagesAreAccepted)
{
    // Only the PNG header is looked at by the reader; the decoder does the rest.
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0,
                 0,    1,   0,   0,   0,    1,    0,    8,    6, 0, 0, 0,  0,   0,   0,   0};
    EXPECT_TRUE(read(buildIco({{0, png}})));
    png[17] = 1; // big-endian width 0x00010100 = 65792 pixels: refused
    EXPECT_FALSE(read(buildIco({{0, png}})));
}

TEST(IcoFile, BrokenFilesGiveNothingOrOnlyTheirSoundImages)
{
    EXPECT_FALSE(read(buildIco({{16, kRed16}}, 2))) << "cursor file";
    EXPECT_FALSE(read(buildIco({}))) << "no images";

    Bytes past = buildIco({{16, kRed16}, {32, kBlue32}});
    put32(past, 6 + 16 + 12, 0xFFFFFF00u); // second image offset past the end
    const auto one = read(past);
    ASSERT_TRUE(one);
    EXPECT_EQ(entries(*one).size(), 1u);

    Bytes wraps = buildIco({{16, kRed16}});
    put32(wraps, 6 + 8, 0xFFFFFFFFu); // size that would wrap offset + size
    EXPECT_FALSE(read(wraps));

    Bytes intoDir = buildIco({{16, kRed16}});
    put32(intoDir, 6 + 12, 0); // image "inside" the directory
    EXPECT_FALSE(read(intoDir));

    Bytes counted = buildIco({{16, kRed16}});
    put16(counted, 4, 500); // directory longer than the file
    EXPECT_FALSE(read(counted));

    const Bytes full = buildIco({{16, kRed16}, {32, kBlue32}});
    for (std::size_t n = 0; n < full.size(); n += 7) {
        const auto got = read(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)));
        if (got) {
            EXPECT_LE(got->size(), n);
        }
    }
}
