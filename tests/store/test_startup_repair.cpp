// Start-up on folders a killed or damaged run left behind: nothing filed may be hidden, and no
// later write may overwrite it.

#include "store/Ini.h"
#include "store/Repair.h"
#include "store/Store.h"
#include "store/Unclassified.h"
#include "tests/support/CatalogueFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qbx {
namespace {

using namespace qbx::testing;

class Repair : public ::testing::Test {
protected:
    void SetUp() override { s.appDir = dir.path(); }
    // Starts the program on the folder: settings, the taken-out list, then loading.
    std::vector<std::string> start()
    {
        s = AppState{};
        s.appDir = dir.path();
        readSettings(s.settingsFile(), s.settings);
        EXPECT_TRUE(prepareUnclassifiedFile(s).ok());
        return loadAllRepairing(s);
    }
    static bool mentions(const std::vector<std::string>& log, const std::string& text)
    {
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& l) { return l.find(text) != std::string::npos; });
    }
    ScratchDir dir;
    AppState s;
};

TEST_F(Repair, ACleanFolderIsLeftAsItIs)
{
    putRecord(s.programFile(), 1, program("A", 1, 0, 0, 0, 3));
    putRecord(s.comboFile(), 1, combo("x", 1, 0, 0, 1));
    writeIniInt(kSectionBasic, kKeyYcount, 1, s.settingsFile());
    writeIniInt(kSectionBasic, kKeyZhcount, 1, s.settingsFile());
    start(); // the first start prepares the taken-out list
    const std::string programs = readFile(s.programFile()), settings = readFile(s.settingsFile());
    EXPECT_TRUE(start().empty());
    EXPECT_EQ(readFile(s.programFile()), programs);
    EXPECT_EQ(readFile(s.settingsFile()), settings);
    EXPECT_EQ(s.catalogue.at(0, 0, 0).name, "A");
}

// A re-sort killed half-way: A (record 1) and B (record 2) both claim (0,1,0).
TEST_F(Repair, TwoRecordsOnOnePlaceKeepBothPrograms)
{
    putRecord(s.programFile(), 1, program("A", 1, 0, 1, 0, 5, "业务"));
    putRecord(s.programFile(), 2, program("B", 2, 0, 1, 0, 6, "联系"));
    putRecord(s.comboFile(), 1, combo("x", 1, 1, 3, 1));
    putRecord(s.comboFile(), 2, combo("y", 2, 1, 3, 2));
    writeIniInt(kSectionBasic, kKeyYcount, 2, s.settingsFile());
    writeIniInt(kSectionBasic, kKeyZhcount, 2, s.settingsFile());
    const auto log = start();
    EXPECT_TRUE(mentions(log, "yfrj.dat record 1 lost its place (0, 1, 0) to record 2; moved to slot 1"));
    EXPECT_TRUE(mentions(log, "zhrj.dat record 1 lost its place (1, 3) to record 2; moved to position 0"));
    EXPECT_EQ(s.catalogue.at(0, 1, 0).name, "B");
    EXPECT_EQ(s.catalogue.at(0, 1, 1).name, "A");
    EXPECT_EQ(s.combos.at(1, 0).name, "x");
    EXPECT_EQ(s.combos.at(1, 3).name, "y");
    // Written back: the next start finds nothing to mend, and filing C cannot take A's record.
    EXPECT_EQ(recordAt(s.programFile(), 1).slot, 1);
    EXPECT_EQ(comboRecordAt(s.comboFile(), 1).position, 0);
    EXPECT_TRUE(start().empty());
    EXPECT_EQ(allocateProgramRecordNo(s, 0).value(), 3);
}

TEST_F(Repair, AProgramPushedOutOfAFullMinorCategoryIsKeptInTheTakenOutList)
{
    for (int k = 0; k < kSlots; ++k)
        putRecord(s.programFile(), k + 2, program("P" + std::to_string(k), k + 2, 3, 2, k, 30 - k));
    putRecord(s.programFile(), 1, program("Hidden", 1, 3, 2, 4, 9));
    writeIniInt(kSectionBasic, kKeyYcount, 26, s.settingsFile());
    const auto log = start();
    EXPECT_TRUE(mentions(log, "yfrj.dat record 1 lost its place (3, 2, 4) to record 6; its minor category is "
                              "full, so it moved to wfrj.dat record 1"));
    EXPECT_EQ(s.catalogue.at(3, 2, 4).name, "P4");
    const ProgramEntry kept = entryAt<ProgramEntry>(s.unclassifiedFile(), 1);
    EXPECT_EQ(kept.name, "Hidden");
    EXPECT_EQ(kept.exePath, program("Hidden", 1, 3, 2, 4, 9).exePath);
    EXPECT_TRUE(recordAt(s.programFile(), 1).exePath.empty()) << "the catalogue record is emptied";
    EXPECT_TRUE(mentions(log, "settings ycount was 26, set to the 25 entries loaded"));
    EXPECT_TRUE(start().empty());
}

// Record 3 says it is record 1: starting it would have overwritten B.
TEST_F(Repair, ARecordNumberPointingElsewhereBecomesTheRecordsPosition)
{
    putRecord(s.programFile(), 1, program("B", 1, 0, 0, 0, 7));
    putRecord(s.programFile(), 3, program("A", 1, 0, 0, 1, 2));
    ProgramEntry stray;
    stray.recordNo = 9;
    putRecord(s.unclassifiedFile(), 2, stray);
    writeIniInt(kSectionBasic, kKeyWcount, 4, s.settingsFile());
    writeIniInt(kSectionBasic, kKeyYcount, 2, s.settingsFile());
    const auto log = start();
    EXPECT_TRUE(mentions(log, "yfrj.dat record 3 carried record number 1; it now carries its position"));
    EXPECT_TRUE(mentions(log, "wfrj.dat record 2 carried record number 9; it now carries its own"));
    EXPECT_EQ(s.catalogue.at(0, 0, 1).recordNo, 3);
    EXPECT_EQ(recordAt(s.programFile(), 3).recordNo, 3);
    EXPECT_EQ(entryAt<ProgramEntry>(s.unclassifiedFile(), 2).recordNo, 2);

    s.catalogue.at(0, 0, 1).useCounter += 10; // A is started and climbs over B
    ASSERT_TRUE(sortMinorCategory(s, 0, 0).ok());
    EXPECT_EQ(recordAt(s.programFile(), 1).name, "B");
    EXPECT_EQ(recordAt(s.programFile(), 3).name, "A");
}

TEST_F(Repair, CountsFollowTheRecordsAndStaleTemporaryFilesGo)
{
    putRecord(s.programFile(), 1, program("A", 1, 0, 0, 0, 3));
    putRecord(s.programFile(), 2, program("B", 2, 1, 0, 0, 3));
    writeIniInt(kSectionBasic, kKeyYcount, 3, s.settingsFile()); // a kill between count and record
    writeIniInt(kSectionBasic, kKeyZhcount, 4, s.settingsFile());
    writeFile(dir.path() / std::filesystem::u8path(".~基本设置.ini.aB3xYz"), "[基本设置]\r\n");
    writeFile(dir.path() / "wfrj.dat.tmp", "half");
    writeFile(dir.path() / std::filesystem::u8path(".~基本设置.ini.keep-me"), "not ours");
    const auto log = start();
    EXPECT_TRUE(mentions(log, "settings ycount was 3, set to the 2 entries loaded"));
    EXPECT_TRUE(mentions(log, "settings zhcount was 4, set to the 0 entries loaded"));
    EXPECT_TRUE(mentions(log, "removed the stale temporary file .~基本设置.ini.aB3xYz"));
    EXPECT_EQ(s.settings.ycount, 2);
    EXPECT_EQ(readIniInt(kSectionBasic, kKeyYcount, -1, s.settingsFile()), 2);
    EXPECT_EQ(readIniInt(kSectionBasic, kKeyZhcount, -1, s.settingsFile()), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / std::filesystem::u8path(".~基本设置.ini.aB3xYz")));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "wfrj.dat.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / std::filesystem::u8path(".~基本设置.ini.keep-me")));
}

} // namespace
} // namespace qbx
