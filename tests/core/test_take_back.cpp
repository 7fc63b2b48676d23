// A change of the catalogue whose write fails is taken back: in memory, on disk (records the
// change did write are put back, its journal dropped) and told to the user. Failures are made on
// real files: a disk that fills up half-way through a re-sort, a settings file that cannot be
// written; the same for the combinations and the count of a combination launch.

#include "store/Journal.h"
#include "tests/support/CoreFixture.h"
#include "tests/support/WriteLimit.h"

#include "store/Gbk.h"

#include <QSignalSpy>
#include <QtTest>

#include <fstream>
#include <iterator>

using namespace qbx;
using namespace qbx::testing;

class TakeBackTest : public QObject {
    Q_OBJECT
private slots:
    void moveCutShortByAFullDiskIsTakenBack();
    void retitleAndStartThatCannotBeWrittenChangeNothing();
    void filingWhoseCountCannotBeWrittenLeavesNoRecord();
    void takeOutWhoseCountCannotBeWrittenKeepsTheProgram();
    void combinationChangesThatCannotBeWrittenAreTakenBack();
};

namespace {

// b (record 2) moves into the category of d, which it overtakes; d's record lies past a limit
// the disk reaches first, so the re-sort writes b's record and then fails on d's.
struct HalfFullDisk : CoreFixture {
    HalfFullDisk()
    {
        put(0, 0, 0, "a", 1, 5); // 业务
        put(0, 1, 0, "b", 2, 3); // 联系
        put(0, 1, 1, "c", 3, 1);
        put(0, 2, 0, "d", 9, 2); // 数据
        setIni(kKeyYcount, 4);
        rebuildSlotMap(state);
    }
    static constexpr unsigned long long kLimit = 8ull * kProgramRecordLength; // records 1-8 fit
};

// The settings file cannot be written (nor read): a folder stands in its place.
void blockSettingsFile(CoreFixture& f)
{
    std::filesystem::remove(f.ini());
    std::filesystem::create_directory(f.ini());
}

bool toldTakenBack(const EditOutcome& out, const char* reason)
{
    return !out.applied && out.refusal && out.refusal->find(reason) != std::string::npos &&
           out.refusal->find("这次更改没有保存，已撤销。") != std::string::npos;
}

} // namespace

void TakeBackTest::moveCutShortByAFullDiskIsTakenBack()
{
    QBX_NEEDS_WRITE_LIMIT();
    HalfFullDisk f;
    const Catalogue before = f.state.catalogue;
    EditOutcome out;
    {
        WriteLimit full(HalfFullDisk::kLimit);
        out = f.launcher.moveProgram(0, 1, 0, 0, 2); // b to 数据
    }
    QVERIFY2(toldTakenBack(out, "yfrj.dat"), out.refusal.value_or("").c_str());
    QCOMPARE(f.state.catalogue.e[0], before.e[0]);
    // The files hold what they held: b back at its record, and no journal left to complete the
    // move at the next start.
    QVERIFY(!std::filesystem::exists(journalPath(f.state.programFile())));
    const AppState disk = f.reload();
    QCOMPARE(disk.catalogue.e[0], before.e[0]);
    QCOMPARE(f.programRecord(2).minorName, std::string("联系"));
}

void TakeBackTest::retitleAndStartThatCannotBeWrittenChangeNothing()
{
    QBX_NEEDS_WRITE_LIMIT();
    HalfFullDisk f;
    QSignalSpy notCounted(&f.launcher, &Launcher::useNotCounted);
    {
        WriteLimit full(HalfFullDisk::kLimit);
        const EditOutcome out = f.launcher.retitleProgram(0, 2, 0, "new", "text");
        QVERIFY(toldTakenBack(out, "yfrj.dat"));
        // The start itself goes ahead; its use is not counted anywhere.
        QVERIFY(f.launcher.startProgram(0, 2, 0));
    }
    QCOMPARE(f.desktop.started, QStringList{QStringLiteral("/opt/d/d")});
    const ProgramEntry& d = f.state.catalogue.at(0, 2, 0);
    QCOMPARE(d.title, std::string("d"));
    QCOMPARE(d.useCounter, 2);
    QCOMPARE(f.programRecord(9).useCounter, 2);
    QCOMPARE(notCounted.count(), 1);
    QVERIFY(notCounted.at(0).at(0).toString().startsWith(QStringLiteral("无法保存使用次数：")));
    // With room again, the next start counts from the stored number.
    QVERIFY(f.launcher.startProgram(0, 2, 0));
    QCOMPARE(f.programRecord(9).useCounter, 3);
}

void TakeBackTest::filingWhoseCountCannotBeWrittenLeavesNoRecord()
{
    HalfFullDisk f;
    blockSettingsFile(f);
    ProgramEntry gamma;
    gamma.name = "gamma";
    gamma.exePath = "/opt/gamma";
    const int counted = f.launcher.storedProgramCount();
    const EditOutcome out = f.launcher.fileProgram(gamma, 2, 0, "g", "");
    QVERIFY(toldTakenBack(out, "无法写入设置文件！"));
    QCOMPARE(f.state.settings.ycount, counted);
    for (const auto& minor : f.state.catalogue.e[2])
        QVERIFY(minor[0].name.empty());
    // The record the filing wrote is empty again.
    for (int r = 1; r <= 10; ++r)
        QVERIFY(f.programRecord(r).name != "gamma");
}

void TakeBackTest::takeOutWhoseCountCannotBeWrittenKeepsTheProgram()
{
    HalfFullDisk f;
    f.setIni(kKeyWcount, 3);
    f.state.unclassified.resize(3);
    f.putUnclassified(1, "old", 1);
    blockSettingsFile(f);
    const EditOutcome out = f.launcher.takeOutProgram(0, 1, 1); // c
    QVERIFY(toldTakenBack(out, "无法写入设置文件！"));
    QCOMPARE(f.state.catalogue.at(0, 1, 1).name, std::string("c"));
    QCOMPARE(f.programRecord(3).name, std::string("c"));
    // The list's record it went into is free again; the one already there is untouched.
    QVERIFY(f.unclassifiedRecord(2).name.empty());
    QVERIFY(f.state.unclassified.at(2).name.empty());
    QCOMPARE(f.unclassifiedRecord(1).name, std::string("old"));
}

void TakeBackTest::combinationChangesThatCannotBeWrittenAreTakenBack()
{
    QBX_NEEDS_WRITE_LIMIT();
    HalfFullDisk f;
    QSignalSpy notCounted(&f.launcher, &Launcher::useNotCounted);
    QVERIFY(f.launcher.createComboGroup("日常").done);
    const ComboEdit made = f.launcher.createCombination(0, "早上", "");
    QVERIFY(made.done && made.message.empty());
    int g = -1, p = -1;
    QVERIFY(findCombo(f.state.combos, made.recordNo, g, p));
    f.state.combos.at(g, p).programs[0] = 1; // a
    QVERIFY(saveComboEntry(f.state, g, p).ok());
    const ComboTable before = f.state.combos;
    {
        WriteLimit full(0);
        // The launch starts its member; its use is counted nowhere.
        QVERIFY(f.launcher.launchCombination(g, p));
        const ComboEdit renamed = f.launcher.renameComboGroup(0, "晚上");
        QVERIFY(!renamed.done);
        QVERIFY(renamed.message.find("这次更改没有保存，已撤销。") != std::string::npos);
    }
    QCOMPARE(f.desktop.started, QStringList{QStringLiteral("/opt/a/a")});
    QCOMPARE(notCounted.count(), 1);
    QVERIFY(f.state.combos.e == before.e);
    QVERIFY(f.reload().combos.e == before.e);

    // A new group whose count cannot be written leaves neither an entry nor a record.
    const std::int16_t zhcount = f.state.settings.zhcount;
    blockSettingsFile(f);
    const ComboEdit second = f.launcher.createComboGroup("工作");
    QVERIFY(!second.done);
    QVERIFY(second.message.find("无法写入设置文件！") != std::string::npos);
    QVERIFY(f.state.combos.e == before.e);
    std::ifstream file(f.state.comboFile(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    QVERIFY(bytes.find(*utf8ToGbk("工作")) == std::string::npos);
    QCOMPARE(f.state.settings.zhcount, zhcount);
}

QTEST_MAIN(TakeBackTest)
#include "test_take_back.moc"
