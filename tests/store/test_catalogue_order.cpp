// Ordering by use: the worked examples, and the write-only-changed version held against the
// version that writes every compared pair, on random catalogues and files.

#include "store/Store.h"
#include "tests/support/CatalogueFixture.h"
#include "tests/support/ReferenceOrdering.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace qbx {
namespace {

using namespace qbx::testing;

class Ordering : public FolderTest {};

TEST_F(Ordering, ProgramStartedMoreThanThoseAboveClimbsToSlotZero)
{
    file(program("A", 1, 0, 0, 0, 5));
    file(program("B", 2, 0, 0, 1, 4));
    file(program("C", 3, 0, 0, 2, 3));
    file(program("D", 4, 0, 0, 3, 2));
    s.catalogue.at(0, 0, 3).useCounter = 6; // D started four times

    int written = -1;
    ASSERT_TRUE(sortMinorCategory(s, 0, 0, &written).ok());

    const char* order[] = {"D", "A", "B", "C"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(s.catalogue.at(0, 0, k).name, order[k]);
        EXPECT_EQ(s.catalogue.at(0, 0, k).slot, k);
        // Every record moved, so every one is rewritten with its new slot; numbers stay.
        ProgramEntry onDisk = recordAt(s.programFile(), s.catalogue.at(0, 0, k).recordNo);
        EXPECT_EQ(onDisk, s.catalogue.at(0, 0, k));
    }
    EXPECT_EQ(s.catalogue.at(0, 0, 0).recordNo, 4);
    EXPECT_EQ(written, 4);
}

TEST_F(Ordering, EqualCountersAreNotKeptInOrder)
{
    file(program("A", 1, 0, 0, 0, 1));
    file(program("B", 2, 0, 0, 1, 1));
    file(program("C", 3, 0, 0, 2, 2));
    ASSERT_TRUE(sortMinorCategory(s, 0, 0).ok());
    EXPECT_EQ(s.catalogue.at(0, 0, 0).name, "C");
    EXPECT_EQ(s.catalogue.at(0, 0, 1).name, "B");
    EXPECT_EQ(s.catalogue.at(0, 0, 2).name, "A");
}

TEST_F(Ordering, NothingWrittenWhenAlreadyInOrder)
{
    file(program("A", 1, 0, 0, 0, 3));
    file(program("B", 2, 0, 0, 1, 2));
    const std::string before = readFile(s.programFile());
    int written = -1;
    ASSERT_TRUE(sortMinorCategory(s, 0, 0, &written).ok());
    EXPECT_EQ(written, 0);
    EXPECT_EQ(readFile(s.programFile()), before);
}

TEST_F(Ordering, RecordsWhoseFieldsMatchButNotTheirWholeLengthAreWritten)
{
    file(program("A", 1, 0, 0, 0, 3));
    file(program("B", 2, 0, 0, 1, 2));
    // Only the zero tail of record 2 is missing, and record 1 has a stray byte after its
    // fields: writing every pair would restore both.
    std::filesystem::resize_file(s.programFile(), 2 * kProgramRecordLength - 100);
    std::string bytes = readFile(s.programFile());
    bytes[kProgramRecordLength - 1] = 'x';
    writeFile(s.programFile(), bytes);
    int written = -1;
    ASSERT_TRUE(sortMinorCategory(s, 0, 0, &written).ok());
    EXPECT_EQ(written, 2);
    bytes = readFile(s.programFile());
    EXPECT_EQ(bytes.size(), 2u * kProgramRecordLength);
    EXPECT_EQ(bytes[kProgramRecordLength - 1], '\0');
}

TEST_F(Ordering, MinorCategoryOvertakesAnotherAndTheNamesFollow)
{
    file(program("A", 1, 2, 0, 0, 5, "文传"));
    file(program("A2", 2, 2, 0, 1, 2, "文传"));
    file(program("B", 3, 2, 1, 0, 4, "网页"));
    refreshMainWindow(s);
    ASSERT_EQ(s.minorNames.at(2, 0).slotMap, 0);
    ASSERT_EQ(s.minorNames.at(2, 1).slotMap, 1);

    s.catalogue.at(2, 1, 0).useCounter = 6; // B started twice
    ASSERT_TRUE(sortMinorCategory(s, 2, 1).ok());

    EXPECT_EQ(s.catalogue.at(2, 0, 0).name, "B");
    EXPECT_EQ(s.catalogue.at(2, 1, 0).name, "A");
    EXPECT_EQ(s.catalogue.at(2, 1, 1).name, "A2");
    EXPECT_EQ(s.catalogue.at(2, 1, 1).minor, 1);
    EXPECT_EQ(recordAt(s.programFile(), 2).minor, 1);
    EXPECT_EQ(recordAt(s.programFile(), 3).minor, 0);
    // "文传" and "网页" point at their new positions; the empty names take the empty ones.
    EXPECT_EQ(s.minorNames.at(2, 0).slotMap, 1);
    EXPECT_EQ(s.minorNames.at(2, 1).slotMap, 0);
    EXPECT_EQ(s.minorNames.at(2, 2).slotMap, 2);
    EXPECT_EQ(s.minorNames.at(2, 3).slotMap, 3);
    EXPECT_EQ(s.minorNames.at(2, 4).slotMap, 4);
}

TEST_F(Ordering, CombinationsOrderWithinTheGroupThenGroupsByTheirFirst)
{
    fileCombo(combo("x", 1, 0, 0, 2, "甲"));
    fileCombo(combo("y", 2, 0, 1, 1, "甲"));
    fileCombo(combo("z", 3, 0, 2, 3, "甲"));
    fileCombo(combo("p", 4, 1, 0, 4, "乙"));
    fileCombo(combo("q", 5, 1, 1, 1, "乙"));

    int written = -1;
    ASSERT_TRUE(sortComboGroup(s, 0, &written).ok());
    // Group 1 leads (4 > 3) and group 0 is ordered z, x, y.
    EXPECT_EQ(s.combos.at(0, 0).name, "p");
    EXPECT_EQ(s.combos.at(0, 1).name, "q");
    EXPECT_EQ(s.combos.at(1, 0).name, "z");
    EXPECT_EQ(s.combos.at(1, 1).name, "x");
    EXPECT_EQ(s.combos.at(1, 2).name, "y");
    for (int g = 0; g < 2; ++g)
        for (int p = 0; p < 5; ++p) {
            const ComboEntry& c = s.combos.at(g, p);
            EXPECT_EQ(c.group, g);
            if (c.recordNo > 0) {
                EXPECT_EQ(c.position, p);
                EXPECT_EQ(comboRecordAt(s.comboFile(), c.recordNo), c);
            }
        }
    EXPECT_EQ(written, 5);
}

TEST_F(Ordering, FailedWriteIsReportedAndMemoryStillOrdered)
{
    s.catalogue.at(0, 0, 0) = program("A", 1, 0, 0, 0, 1);
    s.catalogue.at(0, 0, 1) = program("B", 2, 0, 0, 1, 3);
    std::filesystem::create_directory(s.programFile()); // the file cannot be opened
    EXPECT_FALSE(sortMinorCategory(s, 0, 0).ok());
    EXPECT_EQ(s.catalogue.at(0, 0, 0).name, "B");

    s.combos.at(0, 0) = combo("x", 1, 0, 0, 1);
    s.combos.at(0, 1) = combo("y", 2, 0, 1, 2);
    std::filesystem::create_directory(s.comboFile());
    EXPECT_FALSE(sortComboGroup(s, 0).ok());
    EXPECT_EQ(s.combos.at(0, 0).name, "y");
}

TEST_F(Ordering, IndicesOutsideTheCatalogueSkipOnlyTheirStep)
{
    file(program("A", 1, 0, 0, 0, 1));
    file(program("B", 2, 0, 1, 0, 3));
    EXPECT_TRUE(sortMinorCategory(s, 0, 9).ok()); // no slot step, the minors are still ordered
    EXPECT_EQ(s.catalogue.at(0, 0, 0).name, "B");
    EXPECT_TRUE(sortMinorCategory(s, -1, 0).ok());
    EXPECT_TRUE(sortMinorCategory(s, 7, 0).ok());
    EXPECT_TRUE(sortComboGroup(s, 5).ok());
}

// ---- equivalence with the write-every-pair version ----------------------------------------

struct World {
    ScratchDir dir;
    AppState s;
};

std::string randomText(std::mt19937& rng)
{
    static const char* pieces[] = {"", "记事本", "calc", "办公", "业务", "其它 ", "其它", "a b", "网页"};
    std::string t;
    int n = std::uniform_int_distribution<int>(0, 3)(rng);
    for (int i = 0; i < n; ++i)
        t += pieces[std::uniform_int_distribution<int>(0, 8)(rng)];
    return t;
}

ProgramEntry randomProgram(std::mt19937& rng, int major, int minor, int slot)
{
    ProgramEntry e;
    int kind = std::uniform_int_distribution<int>(0, 9)(rng);
    if (kind == 0)
        return e; // never filled
    e.name = kind == 1 ? "" : "p" + std::to_string(rng() % 1000);
    e.exePath = e.name.empty() ? "" : "C:\\x\\" + e.name + ".exe";
    // Small numbers so that several entries share one; some never written (< 1).
    e.recordNo = std::uniform_int_distribution<int>(-2, 30)(rng);
    e.major = static_cast<std::int16_t>(major);
    e.minor = static_cast<std::int16_t>(minor);
    e.slot = static_cast<std::int16_t>(slot);
    e.minorName = randomText(rng);
    e.title = randomText(rng);
    e.description = randomText(rng);
    e.useCounter = std::uniform_int_distribution<int>(-1, 6)(rng);
    if (kind == 2)
        e.description = std::string(400, 'x'); // cannot be written
    if (kind == 3)
        e.title = "\xF0\x9F\x98\x80"; // not in GBK
    e.reserved1 = static_cast<std::int32_t>(rng() % 3);
    return e;
}

ComboEntry randomCombo(std::mt19937& rng, int group, int position)
{
    ComboEntry c;
    if (std::uniform_int_distribution<int>(0, 4)(rng) == 0)
        return c;
    c.name = randomText(rng);
    c.groupName = randomText(rng);
    c.recordNo = std::uniform_int_distribution<int>(-2, 12)(rng);
    c.useCounter = std::uniform_int_distribution<int>(0, 5)(rng);
    c.group = static_cast<std::int16_t>(group);
    c.position = static_cast<std::int16_t>(position);
    c.programs = {static_cast<std::int32_t>(rng() % 5), 0, 0, 0, 0};
    if (std::uniform_int_distribution<int>(0, 9)(rng) == 0)
        c.description = std::string(150, 'y'); // cannot be written
    return c;
}

// The same starting file for both: random garbage records, a random length.
std::string randomFile(std::mt19937& rng, int recordLength)
{
    std::string bytes(static_cast<std::size_t>(std::uniform_int_distribution<int>(0, 32)(rng)) *
                              static_cast<std::size_t>(recordLength) +
                          rng() % 3 * (rng() % static_cast<unsigned>(recordLength)),
                      '\0');
    for (auto& b : bytes)
        if (rng() % 4 == 0)
            b = static_cast<char>(rng());
    return bytes;
}

TEST(OrderingEquivalence, ProgramFileEndsAsIfEveryComparedPairWereWritten)
{
    std::mt19937 rng(20261208);
    for (int round = 0; round < 120; ++round) {
        World mine, ref;
        const int major = static_cast<int>(rng() % 5);
        const int minor = static_cast<int>(rng() % 5);
        for (int mi = 0; mi < kMinors; ++mi) {
            const int filled = std::uniform_int_distribution<int>(0, 25)(rng);
            for (int sl = 0; sl < filled; ++sl)
                mine.s.catalogue.at(major, mi, sl) = randomProgram(rng, major, mi, sl);
        }
        if (round % 7 == 0) // a record number beyond any sane file
            mine.s.catalogue.at(major, minor, 0).recordNo = 2'000'000'000;
        ref.s.catalogue = mine.s.catalogue;
        mine.s.minorNames.fillBuiltIn();
        ref.s.minorNames.fillBuiltIn();
        mine.s.appDir = mine.dir.path();
        ref.s.appDir = ref.dir.path();
        if (round % 3 == 1) {
            // A file that already holds the entries, as saving left it, its end cut off inside
            // a record's zero tail now and then: most records must be found unchanged.
            for (const auto& mi : mine.s.catalogue.e[static_cast<std::size_t>(major)])
                for (const ProgramEntry& e : mi)
                    if (e.recordNo >= 1 && e.recordNo < 100 && encodeRecord(e).ok())
                        putRecord(mine.s.programFile(), e.recordNo, e);
            std::string start = readFile(mine.s.programFile());
            if (round % 2 == 0 && !start.empty())
                start.resize(start.size() - rng() % 300);
            writeFile(mine.s.programFile(), start);
            writeFile(ref.s.programFile(), start);
        } else if (round % 5 != 0) { // sometimes no file at all
            const std::string start = randomFile(rng, kProgramRecordLength);
            writeFile(mine.s.programFile(), start);
            writeFile(ref.s.programFile(), start);
        }

        int written = 0, refWrites = 0;
        (void)sortMinorCategory(mine.s, major, minor, &written);
        reference::sortMinorCategory(ref.s, major, minor, &refWrites);

        ASSERT_EQ(readFile(mine.s.programFile()), readFile(ref.s.programFile())) << "round " << round;
        ASSERT_TRUE(mine.s.catalogue.e == ref.s.catalogue.e) << "round " << round;
        for (int m = 0; m < kNamedMajors; ++m)
            for (int n = 0; n < kMinors; ++n)
                ASSERT_EQ(mine.s.minorNames.at(m, n).slotMap, ref.s.minorNames.at(m, n).slotMap);
        EXPECT_LE(written, refWrites);
    }
}

TEST(OrderingEquivalence, ComboFileEndsAsIfEveryComparedPairWereWritten)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 150; ++round) {
        World mine, ref;
        for (int g = 0; g < kGroups; ++g)
            for (int p = 0; p < kUsedPositions; ++p)
                mine.s.combos.at(g, p) = randomCombo(rng, g, p);
        ref.s.combos = mine.s.combos;
        mine.s.appDir = mine.dir.path();
        ref.s.appDir = ref.dir.path();
        if (round % 3 == 1) {
            for (const auto& g : mine.s.combos.e)
                for (const ComboEntry& c : g)
                    if (c.recordNo >= 1 && encodeRecord(c).ok())
                        putRecord(mine.s.comboFile(), c.recordNo, c);
            std::string start = readFile(mine.s.comboFile());
            if (round % 2 == 0 && !start.empty())
                start.resize(start.size() - rng() % 120);
            writeFile(mine.s.comboFile(), start);
            writeFile(ref.s.comboFile(), start);
        } else if (round % 4 != 0) {
            const std::string start = randomFile(rng, kComboRecordLength);
            writeFile(mine.s.comboFile(), start);
            writeFile(ref.s.comboFile(), start);
        }
        const int group = static_cast<int>(rng() % 5);
        (void)sortComboGroup(mine.s, group);
        reference::sortComboGroup(ref.s, group);
        ASSERT_EQ(readFile(mine.s.comboFile()), readFile(ref.s.comboFile())) << "round " << round;
        ASSERT_TRUE(mine.s.combos.e == ref.s.combos.e) << "round " << round;
    }
}

} // namespace
} // namespace qbx
