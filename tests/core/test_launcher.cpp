// The application core without windows: start-up from the program folder, starting programs
// (what is started, counted, re-ordered, written and signalled), what a cell of the category
// window starts, and changes of the catalogue refused before anything changes.

#include "tests/support/CoreFixture.h"

#include <QSignalSpy>
#include <QtTest>

#include <limits>

using namespace qbx;
using namespace qbx::testing;

namespace {

struct Core : CoreFixture {
    bool programFileExists() const { return std::filesystem::exists(state.programFile()); }
};

} // namespace

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void startUpReadsTheFolder();
    void startCountsReordersWritesAndTells();
    void missingProgramIsStillCounted();
    void counterStopsAtLargest();
    void emptyPlacesStartNothing();
    void cellsStartProgramsCombinationsOrTheReservedMessage();
    void refusedChangesLeaveEverythingAsItWas();
    void filingTakesTheFirstFreeSlotAndCounts();
    void retitlingTheFavouriteRedrawsItsTile();
};

void LauncherTest::startUpReadsTheFolder()
{
    Core core;
    core.writeSetting("自动隐藏时间", "主窗口", 1234);
    core.writeRecord(core.file(2, 0, 0, "Ed", "/opt/ed", 3, 7));
    core.state.catalogue = {};
    core.launcher.startUp();
    QCOMPARE(int(core.state.settings.mainHideDelayMs), 1234);
    QCOMPARE(core.state.catalogue.at(2, 0, 0).name, std::string("Ed"));
    // A fresh folder gets its 755 free records for programs taken out, and the names their places.
    QCOMPARE(int(core.state.settings.wcount), 755);
    QCOMPARE(core.state.unclassified.count(), 755);
    QCOMPARE(int(core.state.minorNames.at(2, 0).slotMap), 0);
}

void LauncherTest::startCountsReordersWritesAndTells()
{
    Core core;
    core.file(0, 0, 0, "A", "/opt/a", 5, 1);
    core.file(0, 0, 1, "B", "/opt/b", 5, 2);
    core.file(0, 1, 0, "C", "/opt/c", 5, 3);
    QSignalSpy tiles(&core.launcher, &Launcher::tilesChanged);
    QSignalSpy categories(&core.launcher, &Launcher::categoryChanged);

    QVERIFY(core.launcher.startProgram(0, 0, 1));
    QCOMPARE(core.desktop.started, QStringList{"/opt/b"});
    // B now leads its minor category, and the windows are told.
    QCOMPARE(core.state.catalogue.at(0, 0, 0).name, std::string("B"));
    QCOMPARE(core.state.catalogue.at(0, 0, 0).useCounter, 6);
    QCOMPARE(core.state.catalogue.at(0, 0, 0).slot, std::int16_t(0));
    QCOMPARE(core.state.catalogue.at(0, 0, 1).name, std::string("A"));
    QCOMPARE(tiles.size(), 1);
    QCOMPARE(categories.size(), 1);
    QCOMPARE(categories.first(), (QList<QVariant>{0, 0}));
    // The count is in the data file at B's own record.
    QCOMPARE(core.record(2)->name, std::string("B"));
    QCOMPARE(core.record(2)->useCounter, 6);
    QCOMPARE(core.record(2)->slot, std::int16_t(0));
    QCOMPARE(core.record(1)->slot, std::int16_t(1));

    // A program that stays where it is still has its new count written.
    Core lone;
    lone.file(4, 2, 0, "Lone", "/opt/lone", 1, 9);
    int written = -1;
    QVERIFY(lone.launcher.startProgram(4, 2, 0, &written));
    QVERIFY(written >= 1);
    QCOMPARE(lone.record(9)->useCounter, 2);
    // A tile's favourite is slot 0 of its first minor category, and that place is selected.
    lone.state.sel.curSlot = 7;
    lone.file(3, 0, 0, "Fav", "/opt/fav", 2, 4);
    QVERIFY(lone.launcher.startFavourite(3));
    QCOMPARE(lone.desktop.started.last(), QString("/opt/fav"));
    QCOMPARE(int(lone.state.sel.curSlot), 0);
}

void LauncherTest::missingProgramIsStillCounted()
{
    Core core;
    core.desktop.setStartResult(false);
    core.file(2, 0, 0, "A", "/opt/a", 4, 1);
    core.file(2, 3, 0, "Gone", "/no/such/program", 4, 2);
    QSignalSpy notStarted(&core.launcher, &Launcher::programNotStarted);
    QVERIFY(core.launcher.startProgram(2, 3, 0));
    QCOMPARE(core.desktop.started, QStringList{"/no/such/program"});
    // The user is told which program, once.
    QCOMPARE(notStarted.count(), 1);
    QCOMPARE(notStarted.at(0).at(0).toString(), QString("/no/such/program"));
    // Counted, and its minor category now leads the major category.
    QCOMPARE(core.state.catalogue.at(2, 0, 0).name, std::string("Gone"));
    QCOMPARE(core.state.catalogue.at(2, 0, 0).useCounter, 5);
    QCOMPARE(core.state.catalogue.at(2, 1, 0).name, std::string("A"));
    QCOMPARE(core.record(2)->useCounter, 5);
}

void LauncherTest::counterStopsAtLargest()
{
    Core core;
    const int largest = std::numeric_limits<std::int32_t>::max();
    core.file(1, 0, 0, "A", "/opt/a", largest, 1);
    core.file(1, 0, 1, "B", "/opt/b", largest - 1, 2);
    QVERIFY(core.launcher.startProgram(1, 0, 0));
    QCOMPARE(core.state.catalogue.at(1, 0, 0).useCounter, largest);
    QVERIFY(core.launcher.startProgram(1, 0, 1));
    QCOMPARE(core.state.catalogue.at(1, 0, 0).useCounter, largest);
    QCOMPARE(core.state.catalogue.at(1, 0, 1).useCounter, largest);
    QCOMPARE(core.record(2)->useCounter, largest);
    QCOMPARE(core.desktop.started.size(), 2);
}

void LauncherTest::emptyPlacesStartNothing()
{
    Core core;
    ProgramEntry& e = core.file(0, 0, 0, "NoPath", "", 3, 1);
    QSignalSpy tiles(&core.launcher, &Launcher::tilesChanged);
    QVERIFY(!core.launcher.startProgram(0, 0, 0));
    QVERIFY(!core.launcher.startProgram(4, 4, 24)); // a free slot
    QVERIFY(!core.launcher.startProgram(7, 0, 0));  // outside the catalogue
    QVERIFY(!core.launcher.startProgram(0, -1, 0));
    QVERIFY(!core.launcher.startFavourite(2));
    QVERIFY(core.desktop.started.isEmpty());
    QCOMPARE(e.useCounter, 3);
    QVERIFY(!core.programFileExists());
    QVERIFY(tiles.isEmpty());
}

void LauncherTest::cellsStartProgramsCombinationsOrTheReservedMessage()
{
    Core core;
    core.file(1, 2, 3, "P", "/opt/p", 3, 1);
    QCOMPARE(core.launcher.startEntry(1, 2, 3), StartOutcome::Started);
    QCOMPARE(core.desktop.started, QStringList{"/opt/p"});
    QCOMPARE(core.launcher.startEntry(1, 2, 4), StartOutcome::Nothing);
    QCOMPARE(core.launcher.startEntry(-1, 0, 0), StartOutcome::Nothing);
    QCOMPARE(core.launcher.startEntry(6, 0, 0), StartOutcome::Reserved);
    // A combination needs a name and a first member; its members are started by its own launch.
    ComboEntry& c = core.state.combos.at(1, 2);
    c.name = "早上";
    c.groupName = "日常";
    QCOMPARE(core.launcher.startEntry(5, 1, 2), StartOutcome::Nothing);
    c.programs[1] = 4;
    QCOMPARE(core.launcher.startEntry(5, 1, 2), StartOutcome::Nothing);
    c.programs[0] = 3;
    QCOMPARE(core.launcher.startEntry(5, 1, 2), StartOutcome::Started);
    QCOMPARE(core.launcher.startEntry(5, 5, 0), StartOutcome::Nothing);
    QCOMPARE(core.desktop.started.size(), 1);
}

void LauncherTest::refusedChangesLeaveEverythingAsItWas()
{
    Core core;
    core.file(0, 0, 0, "A", "/opt/a", 3, 1);
    core.writeRecord(core.state.catalogue.at(0, 0, 0));
    const Catalogue before = core.state.catalogue;
    const auto same = [&] {
        for (int m = 0; m < kMajors; ++m)
            for (int c = 0; c < kMinors; ++c)
                for (int s = 0; s < kSlots; ++s)
                    if (core.state.catalogue.at(m, c, s).name != before.at(m, c, s).name)
                        return false;
        return true;
    };
    // A title GBK cannot hold is refused with the store's message.
    EditOutcome retitled = core.launcher.retitleProgram(0, 0, 0, "😀", "");
    QVERIFY(!retitled.applied);
    QVERIFY(retitled.refusal && !retitled.refusal->empty());
    QCOMPARE(core.state.catalogue.at(0, 0, 0).title, std::string("A"));
    // Places outside the catalogue or without a program do nothing and say nothing.
    for (const EditOutcome& o :
         {core.launcher.moveProgram(0, 0, 1, 1, 0), core.launcher.moveProgram(0, 0, 0, 5, 0),
          core.launcher.takeOutProgram(3, 3, 3), core.launcher.exchangePrograms(0, 0, 0, 9, 0, 0),
          core.launcher.addComboMember(0, 0, 0, 0, 0), core.launcher.retitleProgram(0, 9, 0, "", "")}) {
        QVERIFY(!o.applied);
        QVERIFY(!o.refusal);
    }
    // A full catalogue refuses a new program before anything is looked at.
    core.writeSetting("基本设置", "ycount", 755);
    ProgramEntry fresh;
    fresh.name = "New";
    fresh.exePath = "/opt/new";
    const EditOutcome full = core.launcher.fileProgram(fresh, 1, 0, "", "");
    QVERIFY(!full.applied);
    QCOMPARE(full.refusal.value_or(""), std::string("软件分类不能超过755个！"));
    QVERIFY(same());
    QCOMPARE(core.record(1)->title, std::string("A"));
}

void LauncherTest::filingTakesTheFirstFreeSlotAndCounts()
{
    Core core;
    core.writeSetting("基本设置", "ycount", 4);
    QSignalSpy categories(&core.launcher, &Launcher::categoryChanged);
    ProgramEntry fresh;
    fresh.name = "Gimp";
    fresh.exePath = "/usr/bin/gimp";
    const EditOutcome filed = core.launcher.fileProgram(fresh, 1, 2, "画图", "图片");
    QVERIFY(filed.applied);
    QVERIFY(filed.written.ok());
    QVERIFY(filed.countWritten);
    // Minor name 2 of major 1 stands at the first empty position; the program at its slot 0.
    const int c = core.state.minorNames.at(1, 2).slotMap;
    const ProgramEntry& e = core.state.catalogue.at(1, c, 0);
    QCOMPARE(e.name, std::string("Gimp"));
    QCOMPARE(e.minorName, minorNames(1)[2]);
    QCOMPARE(e.useCounter, 1);
    QCOMPARE(core.record(e.recordNo)->title, std::string("画图"));
    QCOMPARE(int(core.state.settings.ycount), 5);
    QCOMPARE(readIniInt("基本设置", "ycount", 0, core.state.settingsFile()).value_or(0), 5);
    QVERIFY(!categories.isEmpty());
    // The second program of that category follows it; the count grows again.
    fresh.name = "Krita";
    QVERIFY(core.launcher.fileProgram(fresh, 1, 2, "", "").applied);
    QCOMPARE(core.state.catalogue.at(1, c, 1).name, std::string("Krita"));
    QCOMPARE(int(core.state.settings.ycount), 6);
}

void LauncherTest::retitlingTheFavouriteRedrawsItsTile()
{
    Core core;
    core.writeRecord(core.file(0, 0, 0, "A", "/opt/a", 5, 1));
    core.writeRecord(core.file(0, 0, 1, "B", "/opt/b", 3, 2));
    QSignalSpy tiles(&core.launcher, &Launcher::tilesChanged);
    QVERIFY(core.launcher.retitleProgram(0, 0, 1, "乙", "").applied);
    QVERIFY(tiles.isEmpty());
    QVERIFY(core.launcher.retitleProgram(0, 0, 0, "甲", "").applied);
    QCOMPARE(tiles.size(), 1);
    QCOMPARE(core.record(1)->title, std::string("甲"));
}

QTEST_MAIN(LauncherTest)
#include "test_launcher.moc"
