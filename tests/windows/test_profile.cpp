// The settings file as Windows reads it after the store wrote it: every value is read back with
// GetPrivateProfileIntA, whatever line ends the file had before.

#include "store/Ini.h"
#include "tests/support/TempIniTest.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const std::string kBasic = "\xBB\xF9\xB1\xBE\xC9\xE8\xD6\xC3"; // 基本设置 in GBK

class Profile : public qbx::testing::TempIniTest {
protected:
    Profile() : TempIniTest("qbx-profile-", "settings.ini") {}

    // What Windows reads; -7 when the key is missing.
    int windowsReads(const std::string& section, const char* key) const
    {
        return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key, -7, ini.string().c_str()));
    }
};

} // namespace

TEST_F(Profile, AKeyIsReplacedInPlaceWhateverTheLineEnds)
{
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE("line end " + std::to_string(eol.size()) + (eol == "\n" ? " LF" : " CR"));
        put("[a]" + eol + "ycount= 3" + eol + "zhcount= 1" + eol + "[b]" + eol + "ycount= 9" + eol);
        ASSERT_EQ(windowsReads("a", "ycount"), 3);

        ASSERT_TRUE(qbx::writeIniInt("a", "ycount", 12, ini));
        EXPECT_EQ(content(),
                  "[a]" + eol + "ycount= 12" + eol + "zhcount= 1" + eol + "[b]" + eol + "ycount= 9" + eol);
        EXPECT_EQ(windowsReads("a", "ycount"), 12);
        EXPECT_EQ(qbx::readIniInt("a", "ycount", -7, ini), 12);
        EXPECT_EQ(windowsReads("a", "zhcount"), 1);
        EXPECT_EQ(windowsReads("b", "ycount"), 9);

        ASSERT_TRUE(qbx::writeIniInt("a", "wcount", 755, ini)); // a new key in the section
        EXPECT_EQ(windowsReads("a", "wcount"), 755);
        EXPECT_EQ(windowsReads("a", "ycount"), 12);
        EXPECT_EQ(windowsReads("b", "ycount"), 9);
    }
}

TEST_F(Profile, WhatTheStoreWritesIsWhatWindowsReads)
{
    ASSERT_TRUE(qbx::writeIniInt("基本设置", "ycount", 25, ini)); // a new file
    ASSERT_TRUE(qbx::writeIniInt("自动隐藏时间", "主窗口", 2500, ini));
    ASSERT_TRUE(qbx::writeIniInt("基本设置", "zhcount", -3, ini));
    ASSERT_TRUE(qbx::writeIniInt("基本设置", "YCOUNT", 30, ini)); // names match without regard to case
    EXPECT_EQ(windowsReads(kBasic, "ycount"), 30);
    EXPECT_EQ(windowsReads(kBasic, "zhcount"), -3);
    EXPECT_EQ(windowsReads("\xD7\xD4\xB6\xAF\xD2\xFE\xB2\xD8\xCA\xB1\xBC\xE4", "\xD6\xF7\xB4\xB0\xBF\xDA"),
              2500);

    // And the other way round: what Windows writes, the store reads.
    ASSERT_TRUE(WritePrivateProfileStringA(kBasic.c_str(), "wcount", "755", ini.string().c_str()));
    EXPECT_EQ(qbx::readIniInt("基本设置", "wcount", -7, ini), 755);
    EXPECT_EQ(qbx::readIniInt("基本设置", "ycount", -7, ini), 30);
}
