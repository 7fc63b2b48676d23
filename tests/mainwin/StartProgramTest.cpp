// Starting a program: what is started, counted, re-ordered and written, what each mouse button
// does on each tile, and the category window's start of a combination or from its menu (its
// icon clicks with the real windows: MainWindowActionsTest).

#include "ClickSound.h"
#include "FakeDesktop.h"
#include "StartProgram.h"
#include "StartTestSupport.h"
#include "Store.h"

#include <QtTest>

#include <limits>

using namespace qbx;
using namespace qbx::testing;

class StartProgramTest : public QObject {
    Q_OBJECT
private slots:
    void startCountsReordersAndWrites();
    void missingProgramIsStillCounted();
    void counterStopsAtLargest();
    void emptyPathStartsAndWritesNothing();

    void pressPlaysAndShowsPressedPicture();
    void leftReleaseOnEmptyTileStopsEarly();
    void leftReleaseStartsTileFavourite();
    void tile6MessageOnlyOnTile6();
    void middleReleaseOnlyRestoresPicture();
    void rightReleaseSelectsAndOpensMenu();

    void combinationNeedsNameAndFirstMember();
    void openCommandLeavesTimers();
};

void StartProgramTest::startCountsReordersAndWrites() {
    TempApp app;
    FakeDesktop desk;
    app.file(0, 0, 0, "A", "/opt/a", 5, 1);
    app.file(0, 0, 1, "B", "/opt/b", 5, 2);
    // A second minor whose favourite is used less than B will be after the start.
    app.file(0, 1, 0, "C", "/opt/c", 5, 3);
    int redraws = 0;
    app.state.tilesChanged = [&] { ++redraws; };

    QVERIFY(StartProgram(app.state, desk, 0, 0, 1));
    QCOMPARE(desk.started, QStringList{"/opt/b"});
    // B now leads its minor category and the tile shows it.
    QCOMPARE(app.state.catalogue.at(0, 0, 0).name, std::string("B"));
    QCOMPARE(app.state.catalogue.at(0, 0, 0).useCounter, 6);
    QCOMPARE(app.state.catalogue.at(0, 0, 0).slot, std::int16_t(0));
    QCOMPARE(app.state.catalogue.at(0, 0, 1).name, std::string("A"));
    QVERIFY(redraws >= 1);
    // The count is in the data file at B's own record.
    const auto b = app.record(2);
    QVERIFY(b);
    QCOMPARE(b->name, std::string("B"));
    QCOMPARE(b->useCounter, 6);
    QCOMPARE(b->slot, std::int16_t(0));
    QCOMPARE(app.record(1)->slot, std::int16_t(1));

    // A program that stays where it is still has its new count written.
    TempApp lone;
    lone.file(4, 2, 0, "Lone", "/opt/lone", 1, 9);
    int written = -1;
    QVERIFY(StartProgram(lone.state, desk, 4, 2, 0, &written));
    QVERIFY(written >= 1);
    QCOMPARE(lone.record(9)->useCounter, 2);
}

void StartProgramTest::missingProgramIsStillCounted() {
    TempApp app;
    FakeDesktop desk;
    desk.setStartResult(false);
    app.file(2, 0, 0, "A", "/opt/a", 4, 1);
    app.file(2, 3, 0, "Gone", "/no/such/program", 4, 2);
    QVERIFY(StartProgram(app.state, desk, 2, 3, 0));
    QCOMPARE(desk.started, QStringList{"/no/such/program"});
    // Counted, and its minor category now leads the major category.
    QCOMPARE(app.state.catalogue.at(2, 0, 0).name, std::string("Gone"));
    QCOMPARE(app.state.catalogue.at(2, 0, 0).useCounter, 5);
    QCOMPARE(app.state.catalogue.at(2, 1, 0).name, std::string("A"));
    QCOMPARE(app.record(2)->useCounter, 5);
}

void StartProgramTest::counterStopsAtLargest() {
    TempApp app;
    FakeDesktop desk;
    const int largest = std::numeric_limits<std::int32_t>::max();
    app.file(1, 0, 0, "A", "/opt/a", largest, 1);
    app.file(1, 0, 1, "B", "/opt/b", largest - 1, 2);
    QVERIFY(StartProgram(app.state, desk, 1, 0, 0));
    QCOMPARE(app.state.catalogue.at(1, 0, 0).useCounter, largest);
    QVERIFY(StartProgram(app.state, desk, 1, 0, 1));
    QCOMPARE(app.state.catalogue.at(1, 0, 0).useCounter, largest);
    QCOMPARE(app.state.catalogue.at(1, 0, 1).useCounter, largest);
    QCOMPARE(app.record(2)->useCounter, largest);
    QCOMPARE(desk.started.size(), 2);
}

void StartProgramTest::emptyPathStartsAndWritesNothing() {
    TempApp app;
    FakeDesktop desk;
    ProgramEntry& e = app.file(0, 0, 0, "NoPath", "", 3, 1);
    QVERIFY(!StartProgram(app.state, desk, 0, 0, 0));
    QVERIFY(!StartProgram(app.state, desk, 4, 4, 24)); // a free slot
    QVERIFY(!StartProgram(app.state, desk, 7, 0, 0));  // outside the catalogue
    QVERIFY(!StartProgram(app.state, desk, 0, -1, 0));
    QVERIFY(desk.started.isEmpty());
    QCOMPARE(e.useCounter, 3);
    QVERIFY(!app.programFileExists());
}

namespace {

struct TileRig {
    TempApp app;
    FakeDesktop desk;
    ClickSound sound{app.state.appDir};
    QList<QPair<int, QString>> skins;
    int comboLaunches = 0;
    QList<int> menus;
    TileClicks tiles{app.state, desk, sound, hooks()};

    TileClicks::Hooks hooks() {
        TileClicks::Hooks h;
        h.showTileSkin = [this](int tile, const char* skin) { skins.append({tile, QString::fromUtf8(skin)}); };
        h.launchMostUsedCombination = [this] { ++comboLaunches; };
        h.openTileCommandMenu = [this](int tile) { menus.append(tile); };
        return h;
    }
    void click(int tile, Qt::MouseButton b) {
        tiles.Picture1_MouseDown(tile, b);
        tiles.Picture1_MouseUp(tile, b);
    }
};

} // namespace

void StartProgramTest::pressPlaysAndShowsPressedPicture() {
    TileRig rig;
    for (const auto b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        rig.skins.clear();
        rig.tiles.Picture1_MouseDown(3, b);
        QCOMPARE(rig.skins, (QList<QPair<int, QString>>{{3, "pnl13.jpg"}}));
    }
    // No click.wav in this program folder: presses stay silent and nothing else happens.
    QVERIFY(rig.desk.started.isEmpty());
    QVERIFY(rig.desk.messages.isEmpty());
}

void StartProgramTest::leftReleaseOnEmptyTileStopsEarly() {
    TileRig rig;
    rig.app.file(0, 1, 0, "Elsewhere", "/opt/x", 9, 1); // not the first minor category
    rig.app.state.sel.curMinor = 3;
    rig.app.state.sel.curSlot = 4;
    rig.click(0, Qt::LeftButton);
    QVERIFY(rig.desk.started.isEmpty());
    QVERIFY(!rig.app.programFileExists());
    // The tile keeps its pressed picture; the selection moved to the first entry.
    QCOMPARE(rig.skins.last().second, QString("pnl13.jpg"));
    QCOMPARE(rig.app.state.sel.curMinor, std::int16_t(0));
    QCOMPARE(rig.app.state.sel.curSlot, std::int16_t(0));
}

void StartProgramTest::leftReleaseStartsTileFavourite() {
    TileRig rig;
    rig.app.file(4, 0, 0, "Fav", "/opt/fav", 7, 1);
    rig.app.file(4, 0, 1, "Other", "/opt/other", 9, 2); // not in order yet: only slot 0 counts
    rig.app.state.sel.curMajor = 2;
    rig.click(4, Qt::LeftButton);
    QCOMPARE(rig.desk.started, QStringList{"/opt/fav"});
    QCOMPARE(rig.app.state.sel.curMajor, std::int16_t(2)); // a left release keeps CurMajor
    QCOMPARE(rig.skins.last(), (QPair<int, QString>{4, "pnl11.jpg"}));
    QCOMPARE(rig.app.record(1)->useCounter, 8);
}

void StartProgramTest::tile6MessageOnlyOnTile6() {
    TileRig rig;
    for (int tile = 0; tile < 5; ++tile)
        rig.app.file(tile, 0, 0, "P", "/opt/p", 2, tile + 1);
    for (int round = 0; round < 2; ++round) {
        for (int tile = 0; tile < 6; ++tile)
            rig.click(tile, Qt::LeftButton);
        rig.click(6, Qt::RightButton);
        rig.click(6, Qt::MiddleButton);
    }
    QVERIFY(rig.desk.messages.isEmpty());
    rig.click(6, Qt::LeftButton);
    rig.click(6, Qt::LeftButton);
    QCOMPARE(rig.desk.messages, (QStringList{"下一个版本才有呢！", "下一个版本才有呢！"}));
    QCOMPARE(rig.comboLaunches, 2); // tile 5's left clicks went to the combination launch
    QCOMPARE(rig.skins.last(), (QPair<int, QString>{6, "pnl11.jpg"}));
}

void StartProgramTest::middleReleaseOnlyRestoresPicture() {
    TileRig rig;
    rig.app.file(1, 0, 0, "P", "/opt/p", 2, 1);
    rig.app.state.sel.curMajor = 3;
    rig.app.state.sel.curMinor = 2;
    rig.app.state.sel.curSlot = 1;
    rig.skins.clear();
    rig.tiles.Picture1_MouseUp(1, Qt::MiddleButton);
    QCOMPARE(rig.skins, (QList<QPair<int, QString>>{{1, "pnl11.jpg"}}));
    QVERIFY(rig.desk.started.isEmpty());
    QVERIFY(rig.menus.isEmpty());
    QCOMPARE(rig.app.state.sel.curMajor, std::int16_t(3));
    QCOMPARE(rig.app.state.sel.curMinor, std::int16_t(2));
    QCOMPARE(rig.app.state.sel.curSlot, std::int16_t(1));
    QVERIFY(!rig.app.programFileExists());
}

void StartProgramTest::rightReleaseSelectsAndOpensMenu() {
    TileRig rig;
    rig.app.file(2, 0, 0, "P", "/opt/p", 2, 1);
    rig.app.state.sel.curMinor = 4;
    rig.app.state.sel.curSlot = 9;
    rig.click(2, Qt::RightButton);
    QCOMPARE(rig.menus, QList<int>{2});
    QCOMPARE(rig.app.state.sel.curMajor, std::int16_t(2));
    QCOMPARE(rig.app.state.sel.curMinor, std::int16_t(0));
    QCOMPARE(rig.app.state.sel.curSlot, std::int16_t(0));
    QVERIFY(rig.desk.started.isEmpty());
    QCOMPARE(rig.skins.last(), (QPair<int, QString>{2, "pnl11.jpg"}));
}

void StartProgramTest::combinationNeedsNameAndFirstMember() {
    TempApp app;
    FakeDesktop desk;
    RecordingLink link;
    QList<QPair<int, int>> launched;
    SelectionHooks hooks;
    hooks.launchCombination = [&](int g, int p) { launched.append({g, p}); };
    app.state.sel.curMajor = 5;
    app.state.sel.curMinor = 1;
    app.state.sel.curSlot = 2;
    ComboEntry& c = app.state.combos.at(1, 2);
    c.name = "早上";
    c.groupName = "日常";
    QVERIFY(!startSelection(app.state, desk, link, StartOrigin::IconClick, hooks)); // no first member
    c.programs[1] = 4;
    QVERIFY(!startSelection(app.state, desk, link, StartOrigin::IconClick, hooks));
    QVERIFY(launched.isEmpty());
    QVERIFY(!link.timers);
    c.programs[0] = 3;
    QVERIFY(startSelection(app.state, desk, link, StartOrigin::IconClick, hooks));
    QCOMPARE(launched, (QList<QPair<int, int>>{{1, 2}}));
    QCOMPARE(link.closed, 1);
    QCOMPARE(link.timers, std::optional<bool>(true));
    QVERIFY(desk.started.isEmpty()); // members are started by the combination launch itself
}

void StartProgramTest::openCommandLeavesTimers() {
    TempApp app;
    FakeDesktop desk;
    RecordingLink link;
    app.file(0, 0, 0, "A", "/opt/a", 3, 1);
    app.state.sel = {};
    QVERIFY(startSelection(app.state, desk, link, StartOrigin::OpenCommand, {}));
    QCOMPARE(link.closed, 1);
    QVERIFY(!link.timers);
    app.state.sel.curMajor = 6;
    QVERIFY(startSelection(app.state, desk, link, StartOrigin::OpenCommand, {}));
    QCOMPARE(link.closed, 2); // "打开" unloads the windows after the message too
    QVERIFY(!link.timers);
}

QTEST_MAIN(StartProgramTest)
#include "StartProgramTest.moc"
