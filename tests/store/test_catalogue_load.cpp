// Start-up loading, single writes, record numbers for new entries, the minor-name map.

#include "store/Store.h"
#include "tests/support/CatalogueFixture.h"

#include <gtest/gtest.h>

#include <random>

namespace qbx {
namespace {

using namespace qbx::testing;

class Catalog : public FolderTest {};

TEST(BuiltInNames, MajorOneKeepsTheBlankOfItsLastName)
{
    MinorNameTable t;
    t.fillBuiltIn();
    EXPECT_EQ(majorNames()[2], "网络");
    EXPECT_EQ(t.at(0, 0).name, "业务");
    EXPECT_EQ(t.at(1, 4).name, "其它 ");
    EXPECT_EQ(t.at(2, 4).name, "其它");
    EXPECT_EQ(t.at(4, 3).name, "测试");
    EXPECT_EQ(t.at(3, 2).slotMap, 5);
    EXPECT_TRUE(t.at(5, 0).name.empty());
    EXPECT_TRUE(minorNames(6)[0].empty());
}

TEST_F(Catalog, LoadPlacesRecordsAtTheirStoredIndicesWithTheirStoredNumbers)
{
    putRecord(s.programFile(), 1, program("A", 1, 0, 0, 0, 3));
    putRecord(s.programFile(), 2, program("B", 17, 4, 3, 24, 2)); // stored number differs
    putRecord(s.programFile(), 775, program("Last", 775, 6, 4, 0, 1));
    putRecord(s.programFile(), 776, program("Beyond", 776, 1, 1, 1, 1));
    ProgramEntry noPath = program("NoPath", 5, 1, 0, 0, 1);
    noPath.exePath.clear();
    putRecord(s.programFile(), 5, noPath);
    putRecord(s.programFile(), 6, program("BadMajor", 6, 7, 0, 0, 1));
    putRecord(s.programFile(), 7, program("BadMinor", 7, 0, 5, 0, 1));
    putRecord(s.programFile(), 8, program("BadSlot", 8, 0, 0, 25, 1));
    putRecord(s.programFile(), 9, program("Negative", 9, -1, 0, 0, 1));

    loadAll(s);

    EXPECT_EQ(s.catalogue.at(0, 0, 0).name, "A");
    EXPECT_EQ(s.catalogue.at(4, 3, 24).name, "B");
    EXPECT_EQ(s.catalogue.at(4, 3, 24).recordNo, 17);
    EXPECT_EQ(s.catalogue.at(6, 4, 0).name, "Last");
    EXPECT_TRUE(s.catalogue.at(1, 1, 1).name.empty()) << "record 776 is never read";
    EXPECT_TRUE(s.catalogue.at(1, 0, 0).name.empty()) << "an empty exePath is ignored";
    int placed = 0;
    for (const auto& ma : s.catalogue.e)
        for (const auto& mi : ma)
            for (const auto& e : mi)
                placed += !e.name.empty();
    EXPECT_EQ(placed, 3);
}

TEST_F(Catalog, HigherRecordWinsASharedPlace)
{
    putRecord(s.programFile(), 9, program("Later", 42, 2, 2, 2, 1));
    putRecord(s.programFile(), 3, program("Earlier", 3, 2, 2, 2, 9));
    putRecord(s.comboFile(), 4, combo("late", 4, 1, 3, 1));
    putRecord(s.comboFile(), 2, combo("early", 2, 1, 3, 5));
    loadAll(s);
    EXPECT_EQ(s.catalogue.at(2, 2, 2).name, "Later");
    EXPECT_EQ(s.catalogue.at(2, 2, 2).recordNo, 42);
    EXPECT_EQ(s.combos.at(1, 3).name, "late");
}

TEST_F(Catalog, LoadReadsTwentyFiveCombinationsWithAGroupName)
{
    putRecord(s.comboFile(), 1, combo("a", 1, 0, 0, 2));
    putRecord(s.comboFile(), 25, combo("edge", 25, 4, 24, 1)); // position 24 is inside the table
    putRecord(s.comboFile(), 26, combo("beyond", 26, 3, 0, 1));
    putRecord(s.comboFile(), 3, combo("noGroup", 3, 2, 0, 1, ""));
    putRecord(s.comboFile(), 5, combo("badGroup", 5, 5, 0, 1));
    putRecord(s.comboFile(), 6, combo("badPos", 6, 0, 25, 1));
    loadAll(s);
    EXPECT_EQ(s.combos.at(0, 0).name, "a");
    EXPECT_EQ(s.combos.at(4, 24).name, "edge");
    EXPECT_TRUE(s.combos.at(3, 0).groupName.empty());
    EXPECT_TRUE(s.combos.at(2, 0).groupName.empty());
}

TEST_F(Catalog, DamagedFilesLoadTheirSoundRecords)
{
    putRecord(s.programFile(), 1, program("A", 1, 1, 0, 0, 3));
    putRecord(s.programFile(), 2, program("B", 2, 1, 0, 1, 2));
    putRecord(s.programFile(), 3, program("Cut", 3, 1, 0, 2, 1));
    std::filesystem::resize_file(s.programFile(), 2 * kProgramRecordLength + 20);
    std::string combos = std::string(kComboRecordLength, '\xff') + std::string(17, '\x7f');
    writeFile(s.comboFile(), combos);
    loadAll(s);
    EXPECT_EQ(s.catalogue.at(1, 0, 0).name, "A");
    EXPECT_EQ(s.catalogue.at(1, 0, 1).name, "B");
    EXPECT_TRUE(s.catalogue.at(1, 0, 2).name.empty()) << "the cut record lost its indices";

    // Random garbage: whatever is placed sits where its own indices say.
    std::mt19937 rng(3);
    for (int round = 0; round < 20; ++round) {
        std::string junk(static_cast<std::size_t>(rng() % (800 * kProgramRecordLength)), '\0');
        for (auto& b : junk)
            b = static_cast<char>(rng() % 7 == 0 ? rng() : rng() % 3);
        writeFile(s.programFile(), junk);
        writeFile(s.comboFile(), junk.substr(0, junk.size() / 10));
        loadAll(s);
        for (int ma = 0; ma < kMajors; ++ma)
            for (int mi = 0; mi < kMinors; ++mi)
                for (int sl = 0; sl < kSlots; ++sl) {
                    const ProgramEntry& e = s.catalogue.at(ma, mi, sl);
                    if (e.exePath.empty())
                        continue;
                    ASSERT_EQ(e.major, ma);
                    ASSERT_EQ(e.minor, mi);
                    ASSERT_EQ(e.slot, sl);
                }
    }
}

TEST_F(Catalog, MissingFilesGiveAnEmptyCatalogue)
{
    s.catalogue.at(0, 0, 0) = program("stale", 1, 0, 0, 0, 1);
    loadAll(s);
    EXPECT_TRUE(s.catalogue.at(0, 0, 0).name.empty());
    refreshMainWindow(s);
    for (int m = 0; m < kNamedMajors; ++m)
        for (int n = 0; n < kMinors; ++n)
            EXPECT_EQ(s.minorNames.at(m, n).slotMap, n) << "a major with no programs maps 0..4";
}

TEST_F(Catalog, SaveWritesAtTheEntrysOwnNumberOnly)
{
    s.catalogue.at(1, 2, 3) = program("A", 7, 1, 2, 3, 1);
    ASSERT_TRUE(saveProgramEntry(s, 1, 2, 3).ok());
    EXPECT_EQ(readFile(s.programFile()).size(), 7u * kProgramRecordLength);
    EXPECT_EQ(recordAt(s.programFile(), 7), s.catalogue.at(1, 2, 3));

    s.catalogue.at(1, 2, 4) = program("Unwritten", 0, 1, 2, 4, 1);
    EXPECT_TRUE(saveProgramEntry(s, 1, 2, 4).ok());
    s.catalogue.at(1, 2, 4).recordNo = 2'000'000'000; // from a damaged record
    EXPECT_FALSE(saveProgramEntry(s, 1, 2, 4).ok());
    EXPECT_EQ(readFile(s.programFile()).size(), 7u * kProgramRecordLength);
    EXPECT_FALSE(saveProgramEntry(s, 7, 0, 0).ok());

    s.catalogue.at(1, 2, 3).description = std::string(389, 'x');
    EXPECT_EQ(saveProgramEntry(s, 1, 2, 3).error().code, StoreErrorCode::TooLong);
    EXPECT_EQ(recordAt(s.programFile(), 7).name, "A") << "the record keeps what it had";

    s.unclassified.resize(3);
    s.unclassified.at(2) = program("U", 3, 0, 0, 0, -1);
    ASSERT_TRUE(saveUnclassifiedEntry(s, 2).ok());
    EXPECT_EQ(recordAt(s.unclassifiedFile(), 3).name, "U");
    s.unclassified.at(1).recordNo = 0;
    EXPECT_TRUE(saveUnclassifiedEntry(s, 1).ok());
    EXPECT_FALSE(saveUnclassifiedEntry(s, 4).ok());

    s.combos.at(0, 1) = combo("c", -3, 0, 1, 1);
    EXPECT_TRUE(saveComboEntry(s, 0, 1).ok());
    EXPECT_EQ(s.combos.at(0, 1).recordNo, 0);
    EXPECT_FALSE(std::filesystem::exists(s.comboFile()));
}

TEST_F(Catalog, CheckWritableRefusesTooLongAndNonGbkEntries)
{
    ProgramEntry p = program("A", 1, 0, 0, 0, 1);
    EXPECT_TRUE(checkWritable(p).ok());
    p.exePath = std::string(200, 'p');
    EXPECT_TRUE(checkWritable(p).ok());
    p.description = std::string(388, 'd');
    EXPECT_EQ(checkWritable(p).error().code, StoreErrorCode::TooLong);
    p = program("A", 1, 0, 0, 0, 1);
    p.title = "\xF0\x9F\x98\x80";
    EXPECT_EQ(checkWritable(p).error().code, StoreErrorCode::NotGbk);
    EXPECT_FALSE(checkWritable(p).error().message.empty());

    ComboEntry c = combo("c", 1, 0, 0, 1);
    EXPECT_TRUE(checkWritable(c).ok());
    c.description = std::string(141, 'd');
    EXPECT_EQ(checkWritable(c).error().code, StoreErrorCode::TooLong);
    c.description = "한국";
    EXPECT_EQ(checkWritable(c).error().code, StoreErrorCode::NotGbk);
}

TEST_F(Catalog, NewProgramsGetANumberNoLiveEntryHolds)
{
    s.catalogue.at(0, 0, 0) = program("A", 1, 0, 0, 0, 1);
    s.catalogue.at(0, 0, 1) = program("B", 2, 0, 0, 1, 1);
    s.catalogue.at(0, 0, 2) = program("", 4, 0, 0, 2, -1); // removed: its number is free again
    s.catalogue.at(6, 4, 24) = program("C", 3, 6, 4, 24, 1);
    EXPECT_EQ(allocateProgramRecordNo(s, 4).value(), 4);
    EXPECT_EQ(allocateProgramRecordNo(s, 2).value(), 4);
    EXPECT_EQ(allocateProgramRecordNo(s, 0).value(), 4);
    EXPECT_EQ(allocateProgramRecordNo(s, 776).value(), 4);
    EXPECT_EQ(allocateProgramRecordNo(s, 775).value(), 775);

    int n = 1;
    for (auto& ma : s.catalogue.e)
        for (auto& mi : ma)
            for (auto& e : mi)
                if (n <= kProgramRecordsRead)
                    e = program("x", n++, 0, 0, 0, 1);
    auto full = allocateProgramRecordNo(s, 5);
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.error().code, StoreErrorCode::NoRecordNo);
}

// Records that start-up does not place still hold programs: their numbers are not free.
TEST_F(Catalog, NewNumbersNeverOverwriteARecordOnDisk)
{
    putRecord(s.programFile(), 1, program("OutOfRange", 1, 9, 0, 0, 1));
    putRecord(s.programFile(), 2, program("Shadowed", 2, 0, 0, 0, 1));
    putRecord(s.programFile(), 3, program("Winner", 3, 0, 0, 0, 1));
    ProgramEntry removed = program("", 4, 0, 0, 1, -1); // taken out: its record may be reused
    removed.exePath.clear();
    putRecord(s.programFile(), 4, removed);
    putRecord(s.comboFile(), 1, combo("hidden", 1, 7, 0, 1));
    loadAll(s);
    EXPECT_EQ(allocateProgramRecordNo(s, 1).value(), 4);
    EXPECT_EQ(allocateProgramRecordNo(s, 2).value(), 4);
    EXPECT_EQ(allocateProgramRecordNo(s, 0).value(), 4);
    EXPECT_EQ(allocateComboRecordNo(s, 1).value(), 2);

    std::filesystem::remove(s.programFile());
    std::filesystem::create_directory(s.programFile()); // cannot be read: no number is safe
    EXPECT_EQ(allocateProgramRecordNo(s, 1).error().code, StoreErrorCode::Io);
}

TEST_F(Catalog, NewCombinationsGetANumberNoLiveEntryHolds)
{
    s.combos.at(0, 0) = combo("a", 1, 0, 0, 1);
    s.combos.at(3, 20) = combo("b", 2, 3, 20, 1);
    s.combos.at(1, 0) = combo("deleted", 3, 1, 0, 0, "");
    EXPECT_EQ(allocateComboRecordNo(s, 3).value(), 3);
    EXPECT_EQ(allocateComboRecordNo(s, 2).value(), 3);
    EXPECT_EQ(allocateComboRecordNo(s, 26).value(), 3);
    for (int k = 0; k < kComboRecordsRead; ++k)
        s.combos.at(k / 5, k % 5) = combo("c", k + 1, k / 5, k % 5, 1);
    EXPECT_EQ(allocateComboRecordNo(s, 1).error().code, StoreErrorCode::NoRecordNo);
}

TEST_F(Catalog, ReadProgramRecordGivesAnEmptyEntryWhenThereIsNone)
{
    putRecord(s.programFile(), 3, program("A", 3, 0, 0, 0, 1));
    EXPECT_EQ(readProgramRecord(s, 3).name, "A");
    EXPECT_TRUE(readProgramRecord(s, 9).name.empty());
    EXPECT_TRUE(readProgramRecord(s, 0).name.empty());
    EXPECT_TRUE(readProgramRecord(s, -5).name.empty());
}

// Names without programs take the empty positions from the first empty one on, even where a
// position before it holds no name's programs (a name from elsewhere, or one a later position won).
TEST_F(Catalog, NamesWithoutProgramsTakePositionsFromTheFirstEmptyOneOn)
{
    s.catalogue.at(0, 0, 0) = program("A", 1, 0, 0, 0, 5, "旧名");
    rebuildSlotMap(s);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(s.minorNames.at(0, n).slotMap, n + 1) << n;
    EXPECT_EQ(s.minorNames.at(0, 4).slotMap, 0);

    s.catalogue.at(2, 0, 0) = program("B", 2, 2, 0, 0, 5, "网页");
    s.catalogue.at(2, 1, 0) = program("C", 3, 2, 1, 0, 4, "网页");
    rebuildSlotMap(s);
    EXPECT_EQ(s.minorNames.at(2, 1).slotMap, 1);
    EXPECT_EQ(s.minorNames.at(2, 0).slotMap, 2);
    EXPECT_EQ(s.minorNames.at(2, 2).slotMap, 3);
    EXPECT_EQ(s.minorNames.at(2, 3).slotMap, 4);
    EXPECT_EQ(s.minorNames.at(2, 4).slotMap, 0);
}

TEST_F(Catalog, SlotMapNeverGivesTwoNamesOnePositionNorOneOutsideTheCatalogue)
{
    // Two positions carrying the same name, one carrying a name of another major.
    s.catalogue.at(1, 0, 0) = program("A", 1, 1, 0, 0, 5, "游戏");
    s.catalogue.at(1, 1, 0) = program("B", 2, 1, 1, 0, 4, "游戏");
    s.catalogue.at(1, 2, 0) = program("C", 3, 1, 2, 0, 3, "其它"); // major 1's is "其它 "
    s.catalogue.at(1, 3, 0) = program("D", 4, 1, 3, 0, 2, "音乐");
    s.catalogue.at(1, 4, 0) = program("E", 5, 1, 4, 0, 1, "图形");
    rebuildSlotMap(s);
    EXPECT_EQ(s.minorNames.at(1, 0).slotMap, 1); // the later position wins the name
    EXPECT_EQ(s.minorNames.at(1, 1).slotMap, 3);
    EXPECT_EQ(s.minorNames.at(1, 2).slotMap, 4);
    std::array<bool, 5> seen{};
    for (int n = 0; n < kMinors; ++n) {
        int k = s.minorNames.at(1, n).slotMap;
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 4);
        EXPECT_FALSE(seen[static_cast<std::size_t>(k)]);
        seen[static_cast<std::size_t>(k)] = true;
    }
}

} // namespace
} // namespace qbx
