// The settings file: reading integer keys as Windows does, writing them without disturbing
// the rest of the file, and the start-up read of all six settings.

#include "store/Gbk.h"
#include "store/Ini.h"
#include "store/Settings.h"

#include <gtest/gtest.h>

#include "tests/support/TempIniTest.h"
#include "tests/support/WriteLimit.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using qbx::readIniInt;
using qbx::writeIniInt;

namespace {

// GBK bytes of the names the program uses, written out by hand.
const std::string kBasic = "\xBB\xF9\xB1\xBE\xC9\xE8\xD6\xC3";                // 基本设置
const std::string kStart = "\xC6\xF4\xB6\xAF";                                // 启动
const std::string kHide = "\xD7\xD4\xB6\xAF\xD2\xFE\xB2\xD8\xCA\xB1\xBC\xE4"; // 自动隐藏时间
const std::string kMain = "\xD6\xF7\xB4\xB0\xBF\xDA";                         // 主窗口

class IniTest : public qbx::testing::TempIniTest {
protected:
    IniTest() : TempIniTest("qbx-ini-", "基本设置.ini") {}

    std::optional<std::int16_t> get(const char* section, const char* key, std::int16_t def = -7) const
    {
        return readIniInt(section, key, def, ini);
    }
};

} // namespace

TEST_F(IniTest, MissingFileSectionOrKeyGivesTheDefaults)
{
    qbx::Settings s;
    s.startMode = 9;
    s.ycount = 9;
    qbx::readSettings(ini, s);
    EXPECT_EQ(s.startMode, 1);
    EXPECT_EQ(s.mainHideDelayMs, 3000);
    EXPECT_EQ(s.categoryHideDelayMs, 1000);
    EXPECT_EQ(s.ycount, 0);
    EXPECT_EQ(s.zhcount, 0);
    EXPECT_EQ(s.wcount, 0);

    // No "自动隐藏时间" section: the delays are 3000 and 1000.
    put("[" + kBasic + "]\r\n" + kStart + "= 3\r\nycount= 12\r\nzhcount=4\r\nwcount= 2\r\n");
    qbx::Settings t;
    t.mainHideDelayMs = 5;
    t.categoryHideDelayMs = 5;
    qbx::readSettings(ini, t);
    EXPECT_EQ(t.startMode, 3);
    EXPECT_EQ(t.ycount, 12);
    EXPECT_EQ(t.zhcount, 4);
    EXPECT_EQ(t.wcount, 2);
    EXPECT_EQ(t.mainHideDelayMs, 3000);
    EXPECT_EQ(t.categoryHideDelayMs, 1000);
    EXPECT_EQ(get("基本设置", "nothing"), -7);
}

TEST_F(IniTest, ValuesReadAsGetPrivateProfileIntReadsThem)
{
    put("[a]\nblank= 5\nsuffix=12abc\nneg=-3\nnegtext=-x\nbig=40000\nedge=32767\nword=abc\nempty=\n"
        "quoted=\" 8\"\nbare\n  spaced   =   9  \n");
    EXPECT_EQ(get("a", "blank"), 5);
    EXPECT_EQ(get("a", "suffix"), 12);
    EXPECT_EQ(get("a", "neg"), 0);
    EXPECT_EQ(get("a", "negtext"), -7);
    EXPECT_EQ(get("a", "big"), std::nullopt);
    EXPECT_EQ(get("a", "edge"), 32767);
    EXPECT_EQ(get("a", "word"), -7);
    EXPECT_EQ(get("a", "empty"), -7);
    EXPECT_EQ(get("a", "quoted"), 8);
    EXPECT_EQ(get("a", "bare"), -7);
    EXPECT_EQ(get("a", "spaced"), 9);

    // A value too big for 16 bits leaves the setting as it was; a start mode reads as 0 (no option).
    put("[" + kHide + "]\r\n" + kMain + "=99999\r\n[" + kBasic + "]\r\n" + kStart + "=40000\r\n");
    qbx::Settings s;
    s.mainHideDelayMs = 1234;
    qbx::readSettings(ini, s);
    EXPECT_EQ(s.mainHideDelayMs, 1234);
    EXPECT_EQ(s.categoryHideDelayMs, 1000);
    EXPECT_EQ(s.startMode, 0);
}

TEST_F(IniTest, NamesMatchWithoutRegardToAsciiCaseAndBlanks)
{
    put("; comment\n[ Basic ]\n  YCount = 4\n[second]\nycount=5\n[basic]\nycount=6\n");
    EXPECT_EQ(get("BASIC", "ycount"), 4); // the first section of a name is the one read
    EXPECT_EQ(get("Second", "YCOUNT"), 5);

    // The second byte of a Chinese character is compared exactly even when it looks like a letter.
    const std::string upper = "\x81\x41"; // two different characters whose second bytes are 'A' and 'a'
    const std::string lower = "\x81\x61";
    put("[s]\n" + upper + "=1\n");
    EXPECT_EQ(get("s", qbx::gbkToUtf8(upper).utf8.c_str()), 1);
    EXPECT_EQ(get("s", qbx::gbkToUtf8(lower).utf8.c_str()), -7);

    // ... and a ']' that is the second byte of a character does not end the section name.
    const std::string bracket = "\x81\x5D";
    put("[" + bracket + "]\nk=3\n");
    EXPECT_EQ(get(qbx::gbkToUtf8(bracket).utf8.c_str(), "k"), 3);
}

TEST_F(IniTest, NewFileSectionAndKeyAreWrittenAsWindowsWritesThem)
{
    ASSERT_TRUE(writeIniInt("基本设置", "ycount", 1, ini));
    EXPECT_EQ(content(), "[" + kBasic + "]\r\nycount= 1\r\n");
    EXPECT_EQ(get("基本设置", "ycount"), 1);

    ASSERT_TRUE(writeIniInt("基本设置", "启动", -3, ini));
    ASSERT_TRUE(writeIniInt("自动隐藏时间", "主窗口", 3000, ini));
    ASSERT_TRUE(writeIniInt("基本设置", "ycount", 12, ini));
    EXPECT_EQ(content(), "[" + kBasic + "]\r\nycount= 12\r\n" + kStart + "=-3\r\n[" + kHide + "]\r\n" +
                             kMain + "= 3000\r\n");
    EXPECT_EQ(get("基本设置", "启动"), 0);
    EXPECT_EQ(get("自动隐藏时间", "主窗口"), 3000);
}

TEST_F(IniTest, OtherLinesAreKeptByteForByte)
{
    // An LF file with comments, odd spacing, a blank line before the next section and no final
    // line break.
    const std::string before =
        "; settings\n[Other]\nx = 1\n\n[" + kBasic + "]\n  YCOUNT =  7 \n" + kStart + "=2\n\n[Last]\ny=2";
    put(before);
    ASSERT_TRUE(writeIniInt("基本设置", "ycount", 8, ini));
    ASSERT_TRUE(writeIniInt("基本设置", "zhcount", 3, ini));
    ASSERT_TRUE(writeIniInt("last", "z", 4, ini));
    ASSERT_TRUE(writeIniInt("自动隐藏时间", "分类窗口", 1000, ini));
    EXPECT_EQ(content(), "; settings\n[Other]\nx = 1\n\n[" + kBasic + "]\nYCOUNT= 8\n" + kStart +
                             "=2\nzhcount= 3\r\n\n[Last]\ny=2\r\nz= 4\r\n[" + kHide + "]\r\n" +
                             "\xB7\xD6\xC0\xE0\xB4\xB0\xBF\xDA= 1000\r\n");
    EXPECT_EQ(get("Other", "x"), 1);
    EXPECT_EQ(get("基本设置", "zhcount"), 3);
    EXPECT_EQ(get("基本设置", "ycount"), 8);
}

TEST_F(IniTest, ALoneCarriageReturnEndsALine)
{
    // Windows reads a file with CR-only line ends line by line: the key is replaced in place.
    put("[" + kBasic + "]\rycount= 3\rzhcount= 1\r");
    ASSERT_TRUE(writeIniInt("基本设置", "ycount", 12, ini));
    ASSERT_TRUE(writeIniInt("基本设置", "wcount", 755, ini));
    EXPECT_EQ(content(), "[" + kBasic + "]\rycount= 12\rzhcount= 1\rwcount= 755\r\n");
    EXPECT_EQ(get("基本设置", "ycount"), 12);
    EXPECT_EQ(get("基本设置", "zhcount"), 1);
}

TEST_F(IniTest, AFailedWriteLeavesTheOldFile)
{
    const std::string before = "[a]\nk=1\n";
    put(before);

    QBX_NEEDS_WRITE_LIMIT();
    // The disk "fills up" after 10 bytes: the new file cannot be written.
    bool written = true;
    {
        qbx::testing::WriteLimit full(10);
        written = writeIniInt("a", "longer_key_name", 1234, ini);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(content(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1); // no temp file left

    EXPECT_FALSE(writeIniInt("a", "k", 1, dir / "missing" / "x.ini"));
    EXPECT_FALSE(fs::exists(dir / "missing"));
    fs::create_directories(dir / "folder.ini");
    EXPECT_FALSE(writeIniInt("a", "k", 1, dir / "folder.ini"));
    EXPECT_EQ(readIniInt("a", "k", 6, dir / "folder.ini"), 6);
    EXPECT_FALSE(writeIniInt("한", "k", 1, ini)); // a name GBK cannot hold
    EXPECT_EQ(content(), before);

    // A settings file that is a link: the file it points at is replaced, the link stays.
    fs::create_symlink("基本设置.ini", dir / "link.ini");
    ASSERT_TRUE(writeIniInt("a", "k", 2, dir / "link.ini"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(get("a", "k"), 2);
}

TEST_F(IniTest, AFileSavedInUtf8KeepsWorking)
{
    // Marked as UTF-8 by a byte-order mark: names are UTF-8, new ones too.
    put("\xEF\xBB\xBF[基本设置]\r\nycount= 3\r\n");
    EXPECT_EQ(get("基本设置", "ycount"), 3);
    ASSERT_TRUE(writeIniInt("基本设置", "启动", 2, ini));
    ASSERT_TRUE(writeIniInt("自动隐藏时间", "主窗口", 900, ini));
    EXPECT_EQ(content(),
              "\xEF\xBB\xBF[基本设置]\r\nycount= 3\r\n启动= 2\r\n[自动隐藏时间]\r\n主窗口= 900\r\n");
    put("\xEF\xBB\xBF");
    ASSERT_TRUE(writeIniInt("a", "k", 1, ini));
    EXPECT_EQ(content(), "\xEF\xBB\xBF[a]\r\nk= 1\r\n");

    // Saved in UTF-8 without a mark: the section is found under its UTF-8 name.
    put("[自动隐藏时间]\n分类窗口=700\n");
    EXPECT_EQ(get("自动隐藏时间", "分类窗口"), 700);
    ASSERT_TRUE(writeIniInt("自动隐藏时间", "主窗口", 800, ini));
    EXPECT_EQ(content(), "[自动隐藏时间]\n分类窗口=700\n主窗口= 800\r\n");
    // A section the file does not have yet is written in GBK, as Windows writes it.
    ASSERT_TRUE(writeIniInt("基本设置", "ycount", 1, ini));
    EXPECT_EQ(content(), "[自动隐藏时间]\n分类窗口=700\n主窗口= 800\r\n[" + kBasic + "]\r\nycount= 1\r\n");
}

TEST_F(IniTest, TheShortcutIsTextDefaultWhenMissingAndEmptyMeansNone)
{
    const std::string kShortcut = "\xBF\xEC\xBD\xDD\xBC\xFC"; // 快捷键
    qbx::Settings s;
    qbx::readSettings(ini, s);
    EXPECT_EQ(s.shortcut, "Ctrl+Alt+Space");
    ASSERT_TRUE(qbx::writeIniText("基本设置", "快捷键", "Ctrl+Shift+F", ini));
    ASSERT_TRUE(qbx::writeIniText("基本设置", "快捷键", "", ini));
    EXPECT_EQ(content(), "[" + kBasic + "]\r\n" + kShortcut + "=\r\n");
    qbx::readSettings(ini, s);
    EXPECT_EQ(s.shortcut, "");
    // Text is kept in GBK; a value cannot break its line.
    ASSERT_TRUE(qbx::writeIniText("基本设置", "快捷键", "键", ini));
    EXPECT_EQ(content(), "[" + kBasic + "]\r\n" + kShortcut + "=\xBC\xFC\r\n");
    EXPECT_EQ(qbx::readIniText("基本设置", "快捷键", ini), "键");
    EXPECT_FALSE(qbx::writeIniText("基本设置", "快捷键", "a\nb", ini));
}
