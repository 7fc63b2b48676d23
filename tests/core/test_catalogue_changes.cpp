// The core's changes of the catalogue on disk, without the editor: taking programs out (dropped
// when there is no list, into records at their own position only), a dropped program's record
// number given to a new one, and a move followed when the categories re-order.

#include "tests/support/CoreFixture.h"

#include <QtTest>

using namespace qbx;
using namespace qbx::testing;

class CatalogueChangesTest : public QObject {
    Q_OBJECT
private slots:
    void takeOutWithoutListDropsTheProgram();
    void takeOutUsesOnlyRecordsAtTheirOwnPosition();
    void fullListIsKnownBeforeTakingOut();
    void removedNumberIsNotWrittenOverItsNewOwner();
    void moveFollowsItsCategoryWhenCategoriesReorder();
};

void CatalogueChangesTest::takeOutWithoutListDropsTheProgram()
{
    CoreFixture f;
    f.put(0, 0, 0, "alpha", 1);
    f.setIni(kKeyYcount, 1);
    const EditOutcome out = f.launcher.takeOutProgram(0, 0, 0);
    QVERIFY(out.applied && out.written.ok() && out.countWritten);
    QCOMPARE(f.iniValue(kKeyYcount), 0);
    QVERIFY(f.reload().catalogue.at(0, 0, 0).name.empty());
    QVERIFY(!std::filesystem::exists(f.state.unclassifiedFile()) ||
            std::filesystem::file_size(f.state.unclassifiedFile()) == 0);
    // The place keeps its record number, marked as removed, and is sorted last.
    QCOMPARE(f.state.catalogue.at(0, 0, 24).useCounter, -1);
    QCOMPARE(f.state.catalogue.at(0, 0, 24).recordNo, 1);
}

void CatalogueChangesTest::takeOutUsesOnlyRecordsAtTheirOwnPosition()
{
    CoreFixture f;
    f.setIni(kKeyWcount, 4);
    f.state.unclassified.resize(4);
    // Record 1 is free but carries number 4: writing it would land on record 4. Record 2 is taken.
    {
        UnclassifiedEntry odd;
        odd.recordNo = 4;
        auto bytes = encodeRecord(odd);
        QVERIFY(RecordFile(f.state.unclassifiedFile(), kProgramRecordLength).write(1, bytes.value()).ok());
    }
    f.putUnclassified(2, "two", 2);
    f.putUnclassified(4, "four", 4);
    // Record 3 was never written (zeros): it is used at its own position.
    f.put(3, 0, 0, "alpha", 7);
    f.setIni(kKeyYcount, 1);
    QVERIFY(f.launcher.takeOutKeepsProgram().value());
    QVERIFY(f.launcher.takeOutProgram(3, 0, 0).applied);
    // Kept in the list, the program has left the catalogue: the count follows.
    QCOMPARE(f.iniValue(kKeyYcount), 0);
    QCOMPARE(f.unclassifiedRecord(3).name, std::string("alpha"));
    QCOMPARE(f.unclassifiedRecord(3).recordNo, 3);
    QCOMPARE(f.unclassifiedRecord(4).name, std::string("four"));
    QVERIFY(f.unclassifiedRecord(1).name.empty());
    QCOMPARE(f.state.unclassified.at(3).name, std::string("alpha"));
}

void CatalogueChangesTest::fullListIsKnownBeforeTakingOut()
{
    CoreFixture f;
    f.setIni(kKeyWcount, 2);
    f.state.unclassified.resize(2);
    f.putUnclassified(1, "one", 1);
    f.putUnclassified(2, "two", 2);
    f.put(0, 0, 0, "alpha", 1);
    f.put(0, 0, 1, "beta", 2);
    f.setIni(kKeyYcount, 2);
    const auto before = std::filesystem::last_write_time(f.state.programFile());
    QVERIFY(!f.launcher.takeOutKeepsProgram().value());
    QCOMPARE(std::filesystem::last_write_time(f.state.programFile()), before);
    QCOMPARE(f.state.catalogue.at(0, 0, 0).name, std::string("alpha"));
    // Taken out anyway, the program is dropped and counted out; the list keeps its records.
    QVERIFY(f.launcher.takeOutProgram(0, 0, 0).applied);
    QCOMPARE(f.iniValue(kKeyYcount), 1);
    QCOMPARE(f.unclassifiedRecord(1).name, std::string("one"));
    QCOMPARE(f.unclassifiedRecord(2).name, std::string("two"));
    QCOMPARE(f.reload().catalogue.at(0, 0, 0).name, std::string("beta"));
}

void CatalogueChangesTest::removedNumberIsNotWrittenOverItsNewOwner()
{
    CoreFixture f;
    f.put(0, 0, 0, "alpha", 1, 3);
    f.put(0, 0, 1, "beta", 2, 2);
    f.setIni(kKeyYcount, 2);
    QVERIFY(f.launcher.takeOutProgram(0, 0, 0).applied); // alpha dropped; its place remembers number 1
    ProgramEntry gamma;
    gamma.name = "gamma";
    gamma.exePath = "/opt/gamma";
    QVERIFY(f.launcher.fileProgram(gamma, 2, 0, "", "").applied);
    QCOMPARE(f.programRecord(1).name, std::string("gamma"));
    // Starting beta later re-sorts (0, 0), which writes every place that has a number.
    QVERIFY(f.launcher.startProgram(0, 0, 0));
    QCOMPARE(f.programRecord(1).name, std::string("gamma"));
    const AppState disk = f.reload();
    QCOMPARE(disk.catalogue.at(2, CoreFixture::column(disk, 2, 0), 0).name, std::string("gamma"));
    QCOMPARE(disk.catalogue.at(0, 0, 0).name, std::string("beta"));
}

void CatalogueChangesTest::moveFollowsItsCategoryWhenCategoriesReorder()
{
    CoreFixture f;
    f.put(0, 0, 0, "a", 1, 5); // 业务
    f.put(0, 1, 0, "b", 2, 3); // 联系
    f.put(0, 1, 1, "c", 3, 1);
    f.put(0, 2, 0, "d", 4, 2); // 数据
    rebuildSlotMap(f.state);
    QVERIFY(f.launcher.moveProgram(0, 1, 0, 0, 2).applied); // b to 数据

    const AppState disk = f.reload();
    const int data = CoreFixture::column(disk, 0, 2);
    const int contact = CoreFixture::column(disk, 0, 1);
    QCOMPARE(disk.catalogue.at(0, data, 0).name, std::string("b"));
    QCOMPARE(disk.catalogue.at(0, data, 1).name, std::string("d"));
    QCOMPARE(disk.catalogue.at(0, data, 0).minorName, std::string("数据"));
    QCOMPARE(disk.catalogue.at(0, contact, 0).name, std::string("c"));
    // Filled slots first in every category, on disk as in memory.
    for (int c = 0; c < kMinors; ++c)
        for (int s = 1; s < kSlots; ++s)
            QVERIFY(disk.catalogue.at(0, c, s).name.empty() || !disk.catalogue.at(0, c, s - 1).name.empty());
    QCOMPARE(disk.catalogue.at(0, data, 0), f.state.catalogue.at(0, data, 0));
    QCOMPARE(int(f.state.sel.curMajor), 0);
    QCOMPARE(int(f.state.sel.curMinor), data);
}

QTEST_MAIN(CatalogueChangesTest)
#include "test_catalogue_changes.moc"
