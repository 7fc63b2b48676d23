// Changes of several records: the journal beside the data file, what a cut-short change leaves
// and how it is completed or dropped.

#include "store/Journal.h"
#include "store/Repair.h"
#include "store/Store.h"
#include "tests/support/CatalogueFixture.h"
#include "tests/support/WriteLimit.h"

#include <gtest/gtest.h>

#include <map>

namespace qbx {
namespace {

using namespace qbx::testing;

class Journaled : public FolderTest {
protected:
    std::filesystem::path journal() const { return journalPath(s.programFile()); }
    RecordFile programs() const { return RecordFile(s.programFile(), kProgramRecordLength); }
};

TEST_F(Journaled, OnlyACompleteJournalIsReplayed)
{
    putRecord(s.programFile(), 2, program("Old2", 2, 0, 0, 0, 1));
    putRecord(s.programFile(), 5, program("Old5", 5, 0, 0, 1, 1));
    const std::string before = readFile(s.programFile());
    std::map<int, Bytes> change{{2, encodeRecord(program("New2", 2, 0, 0, 1, 1)).value()},
                                {5, encodeRecord(program("New5", 5, 0, 0, 0, 2)).value()}};
    ASSERT_TRUE(detail::writeJournal(programs(), change).ok());
    const std::string whole = readFile(journal());
    ASSERT_EQ(whole.size(), 12u + 2 * (4 + 450) + 4);

    // Cut anywhere, or with one byte changed, the journal is dropped and the data file kept.
    for (std::size_t cut : {std::size_t{0}, std::size_t{11}, std::size_t{12 + 454}, whole.size() - 1}) {
        writeFile(journal(), whole.substr(0, cut));
        EXPECT_EQ(inspectJournal(programs()), JournalState::Incomplete) << cut;
        EXPECT_EQ(recoverJournal(programs()).outcome, JournalRecovery::Outcome::Discarded) << cut;
        EXPECT_FALSE(std::filesystem::exists(journal()));
        EXPECT_EQ(readFile(s.programFile()), before) << cut;
    }
    std::string flipped = whole;
    flipped[20] ^= 1;
    writeFile(journal(), flipped);
    EXPECT_EQ(recoverJournal(programs()).outcome, JournalRecovery::Outcome::Discarded);
    // A journal meant for records of another length is never written into this file.
    writeFile(journal(), whole);
    EXPECT_EQ(recoverJournal(RecordFile(s.programFile(), kComboRecordLength)).outcome,
              JournalRecovery::Outcome::Discarded);
    EXPECT_EQ(readFile(s.programFile()), before);

    writeFile(journal(), whole);
    EXPECT_EQ(inspectJournal(programs()), JournalState::Complete);
    const JournalRecovery r = recoverJournal(programs());
    EXPECT_EQ(r.outcome, JournalRecovery::Outcome::Replayed);
    EXPECT_EQ(r.records, 2);
    EXPECT_EQ(recordAt(s.programFile(), 2).name, "New2");
    EXPECT_EQ(recordAt(s.programFile(), 5).name, "New5");
    EXPECT_FALSE(std::filesystem::exists(journal()));
    EXPECT_EQ(recoverJournal(programs()).outcome, JournalRecovery::Outcome::None);
}

// A re-sort writing records 1 and 21, where record 21 lies past the end of the file.
TEST_F(Journaled, ADataWriteFailingHalfWayIsCompletedFromTheJournal)
{
    QBX_NEEDS_WRITE_LIMIT();
    file(program("A", 1, 0, 0, 0, 1));
    file(program("B", 2, 0, 0, 1, 1));
    for (int n = 3; n <= 20; ++n)
        putRecord(s.programFile(), n, program("Far" + std::to_string(n), n, 2, 0, n, 1, "文传"));
    file(program("C", 21, 0, 0, 2, 1));
    std::filesystem::resize_file(s.programFile(), 20 * 450); // C's record was lost: the file is short
    s.catalogue.at(0, 0, 2).useCounter = 5;
    {
        WriteLimit full(20 * 450 + 200);
        EXPECT_FALSE(sortMinorCategory(s, 0, 0).ok());
    }
    EXPECT_TRUE(std::filesystem::exists(journal())) << "the journal outlives a failed change";
    EXPECT_EQ(std::filesystem::file_size(s.programFile()), 20u * 450 + 200);

    AppState next;
    next.appDir = dir.path();
    const auto log = loadAllRepairing(next);
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.front().find("completed a cut-short change of 2 records of yfrj.dat"), std::string::npos)
        << log.front();
    EXPECT_EQ(next.catalogue.at(0, 0, 0).name, "C");
    EXPECT_EQ(next.catalogue.at(0, 0, 1).name, "B");
    EXPECT_EQ(next.catalogue.at(0, 0, 2).name, "A");
    EXPECT_FALSE(std::filesystem::exists(journal()));
}

TEST_F(Journaled, TheNextWriteOfTheRunCompletesAFailedChangeFirst)
{
    QBX_NEEDS_WRITE_LIMIT();
    file(program("A", 1, 0, 0, 0, 1));
    file(program("B", 2, 0, 0, 1, 1));
    file(program("C", 3, 0, 0, 2, 1));
    std::filesystem::resize_file(s.programFile(), 2 * 450);
    s.catalogue.at(0, 0, 2).useCounter = 5;
    {
        WriteLimit full(2 * 450 + 30); // the journal (924 bytes) fits; record 3 gets 30 bytes
        EXPECT_FALSE(sortMinorCategory(s, 0, 0).ok());
    }
    // The title of B changes: the record is written after the cut-short change is completed, so
    // the journal can no longer take the new title back at the next start.
    s.catalogue.at(0, 0, 1).title = "新标题";
    ASSERT_TRUE(saveProgramEntry(s, 0, 0, 1).ok());
    EXPECT_FALSE(std::filesystem::exists(journal()));
    EXPECT_EQ(recordAt(s.programFile(), 3).name, "C");
    EXPECT_EQ(recordAt(s.programFile(), 3).useCounter, 5);
    EXPECT_EQ(recordAt(s.programFile(), 2).title, "新标题");
}

TEST_F(Journaled, AJournalThatCannotBeWrittenStillLetsTheChangeBeWritten)
{
    QBX_NEEDS_WRITE_LIMIT();
    file(program("A", 1, 0, 0, 0, 1));
    file(program("B", 2, 0, 0, 1, 1));
    s.catalogue.at(0, 0, 1).useCounter = 5;
    {
        WriteLimit full(2 * 450 + 20); // the data file fits, its journal (924 bytes) does not
        EXPECT_TRUE(sortMinorCategory(s, 0, 0).ok());
    }
    EXPECT_FALSE(std::filesystem::exists(journal()));
    EXPECT_EQ(recordAt(s.programFile(), 2).slot, 0);
    EXPECT_EQ(recordAt(s.programFile(), 1).slot, 1);
}

} // namespace
} // namespace qbx
