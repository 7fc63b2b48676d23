// GBK conversion: known bytes of Chinese text, Windows 936 single bytes, lossless escapes.

#include "store/Gbk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

using qbx::gbkToUtf8;
using qbx::isValidGbk;
using qbx::utf8ToGbk;

namespace {

std::string bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s += static_cast<char>(b);
    return s;
}

// Decoding then encoding must give back exactly the bytes that were read.
void expectRoundTrip(const std::string& gbk)
{
    const qbx::GbkDecoded d = gbkToUtf8(gbk);
    const auto back = utf8ToGbk(d.utf8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, gbk);
    EXPECT_EQ(d.valid, isValidGbk(gbk));
}

} // namespace

TEST(Gbk, ChineseTextHasItsCodePage936Bytes)
{
    EXPECT_EQ(utf8ToGbk("程序"), bytes({0xB3, 0xCC, 0xD0, 0xF2}));
    EXPECT_EQ(utf8ToGbk("其它 "), bytes({0xC6, 0xE4, 0xCB, 0xFC, 0x20}));
    EXPECT_EQ(utf8ToGbk("C:\\记事本.exe"), "C:\\" + bytes({0xBC, 0xC7, 0xCA, 0xC2, 0xB1, 0xBE}) + ".exe");

    const auto d = gbkToUtf8(bytes({0xB0, 0xEC, 0xB9, 0xAB, 'x'}));
    EXPECT_EQ(d.utf8, "办公x");
    EXPECT_TRUE(d.valid);
}

TEST(Gbk, WindowsSingleByteEuroAndUserDefinedArea)
{
    // Windows 936 has the euro sign at 0x80 and the user-defined areas in the private-use block.
    EXPECT_EQ(gbkToUtf8(bytes({0x80})).utf8, "\u20AC");
    EXPECT_EQ(utf8ToGbk("\u20AC"), bytes({0x80}));
    EXPECT_EQ(gbkToUtf8(bytes({0xAA, 0xA1})).utf8, "\uE000");
    EXPECT_EQ(utf8ToGbk("\uE234"), bytes({0xF8, 0xA1}));
    EXPECT_EQ(utf8ToGbk("\uE4C6"), bytes({0xA1, 0x40}));
    EXPECT_EQ(utf8ToGbk("\uE765"), bytes({0xA7, 0xA0}));

    // The unassigned symbol codes follow on from U+E766, in code order across their runs.
    const std::pair<std::string, std::string> extra[] = {
        {bytes({0xA2, 0xAB}), "\uE766"}, {bytes({0xA2, 0xE3}), "\uE76C"}, {bytes({0xA6, 0xF3}), "\uE796"},
        {bytes({0xA9, 0x58}), "\uE7E2"}, {bytes({0xD7, 0xFA}), "\uE810"}, {bytes({0xFE, 0x50}), "\uE815"},
        {bytes({0xFE, 0xA0}), "\uE864"},
    };
    for (const auto& [gbk, utf8] : extra) {
        EXPECT_EQ(gbkToUtf8(gbk).utf8, utf8);
        EXPECT_TRUE(isValidGbk(gbk));
        EXPECT_EQ(utf8ToGbk(utf8), gbk);
    }
}

TEST(Gbk, InvalidBytesAreKeptAsEscapesAndWrittenBack)
{
    const auto lone = gbkToUtf8(bytes({'a', 0xB3})); // lead byte cut off at the end
    EXPECT_FALSE(lone.valid);
    EXPECT_EQ(lone.utf8, "a\uF7B3");
    const auto ff = gbkToUtf8(bytes({0xFF}));
    EXPECT_EQ(ff.utf8, "\uF7FF");
    const auto badTrail = gbkToUtf8(bytes({0x81, 0x20})); // a blank cannot be a trail byte
    EXPECT_EQ(badTrail.utf8, "\uF781 ");

    expectRoundTrip(bytes({0x81, 0x7F, 0xFF, 0xB3, 0xCC, 0xB3}));
    for (int b = 0; b < 256; ++b)
        expectRoundTrip(bytes({b}));
}

TEST(Gbk, EveryTwoByteSequenceRoundTrips)
{
    for (int lead = 0x80; lead < 0x100; ++lead)
        for (int trail = 0; trail < 0x100; ++trail) {
            expectRoundTrip(bytes({lead, trail}));
            if (HasFatalFailure()) {
                ADD_FAILURE() << "lead " << lead << " trail " << trail;
                return;
            }
        }
}

TEST(Gbk, TextOutsideGbkOrMalformedUtf8IsRefused)
{
    EXPECT_FALSE(utf8ToGbk("한글").has_value());                    // Hangul is not in GBK
    EXPECT_FALSE(utf8ToGbk("\U0001F600").has_value());              // nor anything beyond the BMP
    EXPECT_FALSE(utf8ToGbk(bytes({0xC0, 0x80})).has_value());       // overlong
    EXPECT_FALSE(utf8ToGbk(bytes({0xED, 0xA0, 0x80})).has_value()); // surrogate
    EXPECT_FALSE(utf8ToGbk(bytes({'a', 0xE7, 0xA8})).has_value());  // cut short
    EXPECT_EQ(utf8ToGbk(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_TRUE(isValidGbk(""));
    EXPECT_FALSE(isValidGbk(bytes({0xB3})));
}
