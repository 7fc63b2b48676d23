// Auto-hide, snapping, the yc / zx menu items and the tray icon, against a scripted pointer and
// screen. Screen 1280 x 1024 pixels: width 19200 twips, docked right at 17325, hidden right at 19100.

#include "AppState.h"
#include "AutoHide.h"
#include "FakeDesktop.h"

#include <QAction>
#include <QtTest>

using namespace qbx;

namespace {

constexpr int W = 19200;

struct FakeWindows : AutoHideHost {
    QPoint main{0, 0};
    std::optional<QPoint> category;
    bool shown = false;
    bool mainVisible = true;
    int popupsHidden = 0;
    int allHidden = 0;
    QList<QPoint> menus;
    QList<QPoint> moves;

    QPoint mainWindowPos() const override { return main; }
    void moveMainWindow(QPoint p) override {
        main = p;
        moves.append(p);
    }
    std::optional<QPoint> categoryWindowPos() const override { return category; }
    bool popupsShown() const override { return shown; }
    void hidePopups() override {
        ++popupsHidden;
        shown = false;
    }
    void hideAllWindows() override {
        ++allHidden;
        shown = false;
        mainVisible = false;
    }
    void showMainWindow() override { mainVisible = true; }
    void popUpOperationMenu(QPoint at) override { menus.append(at); }
};

struct Rig {
    AppState state;
    FakeDesktop desk;
    FakeWindows win;
    QAction yc{QString::fromUtf8("不自动隐藏")};
    QAction zx{QString::fromUtf8("最小化")};
    std::unique_ptr<AutoHide> hide;
    explicit Rig(int mainDelay = 3000, int categoryDelay = 1000) {
        desk.setScreenGeometry(QRect(0, 0, 1280, 1024));
        state.settings.mainHideDelayMs = static_cast<std::int16_t>(mainDelay);
        state.settings.categoryHideDelayMs = static_cast<std::int16_t>(categoryDelay);
        hide = std::make_unique<AutoHide>(state, desk, win, yc, zx);
    }
    // Places the main window as the user or the window manager would (not through the rules).
    void placeAt(int leftPx, int topPx = 0) {
        win.main = QPoint(leftPx, topPx);
        hide->mainWindowMoved();
    }
};

} // namespace

class AutoHideTest : public QObject {
    Q_OBJECT
private slots:
    void timersStartEnabledWithTheSettingsDelays();
    void zeroDelayNeverArmsTheTimer();
    void timer1HidesDockedLeftWhenPointerLeaves();
    void timer1HidesDockedRightAndKeepsHidden();
    void timer1LeavesFloatingAndPopupWindows();
    void timer1UnreadablePointerDoesNothing();
    void timer1FiresThroughTheEventLoop();
    void timer2HidesPopupsOutsideCategoryBox();
    void snappingToTopLeftAndRight();
    void ycSwitchesAutoHide();
    void zxTwiceEnablesBothTimers();
    void restoreAutoHideFollowsCaption();
    void trayDoubleClickAndRightClick();
    void startModes();
};

void AutoHideTest::timersStartEnabledWithTheSettingsDelays() {
    Rig r(2500, 700);
    QVERIFY(r.hide->Timer1.isEnabled());
    QVERIFY(r.hide->Timer2.isEnabled());
    QCOMPARE(r.hide->Timer1.interval(), 2500);
    QCOMPARE(r.hide->Timer2.interval(), 700);
    QVERIFY(r.hide->Timer1.isArmed());
    r.hide->setHideTimers(false);
    QVERIFY(!r.hide->Timer1.isArmed());
    QVERIFY(!r.hide->Timer2.isArmed());
}

void AutoHideTest::zeroDelayNeverArmsTheTimer() {
    Rig r(0, -5);
    // Enabled as far as the menus are concerned, but never ticking (no 0 ms spin).
    QVERIFY(r.hide->Timer1.isEnabled());
    QVERIFY(!r.hide->Timer1.isArmed());
    QVERIFY(!r.hide->Timer2.isArmed());
    r.hide->yc_Click();
    QCOMPARE(r.yc.text(), QString("自动隐藏"));
    r.hide->yc_Click();
    QCOMPARE(r.yc.text(), QString("不自动隐藏"));
    QVERIFY(!r.hide->Timer1.isArmed());
}

void AutoHideTest::timer1HidesDockedLeftWhenPointerLeaves() {
    Rig r;
    r.placeAt(0);
    // The window is 125 pixels wide: the pointer one pixel right of that edge hides it.
    r.desk.setCursorPos(QPoint(125, 300));
    r.hide->Timer1_Timer();
    QCOMPARE(r.hide->mainLeft(), 0);
    r.desk.setCursorPos(QPoint(126, 300));
    r.hide->Timer1_Timer();
    QCOMPARE(r.hide->mainLeft(), -1775);
    QCOMPARE(r.win.main.x(), -118); // 100 twips (7 pixels) stay on the screen
    QCOMPARE(r.win.popupsHidden, 1);
    // Below the window also counts as having left it.
    r.placeAt(0, 0);
    r.desk.setCursorPos(QPoint(10, 574)); // (0 + 8595) / 15 = 573
    r.hide->Timer1_Timer();
    QCOMPARE(r.hide->mainLeft(), -1775);
}

void AutoHideTest::timer1HidesDockedRightAndKeepsHidden() {
    Rig r;
    r.placeAt(1155); // 17325 twips = docked right
    QCOMPARE(r.hide->mainLeft(), W - 1875);
    r.desk.setCursorPos(QPoint(1154, 100));
    r.hide->Timer1_Timer();
    QCOMPARE(r.hide->mainLeft(), W - 100); // read back exactly, though no pixel is 19100 twips
    // Hidden: later ticks leave it, and the timer rests until the window moves again.
    r.desk.setCursorPos(QPoint(0, 0));
    r.hide->Timer1_Timer();
    QCOMPARE(r.hide->mainLeft(), W - 100);
    QVERIFY(!r.hide->Timer1.isArmed());
    QVERIFY(r.hide->Timer1.isEnabled());
    r.placeAt(1155);
    QVERIFY(r.hide->Timer1.isArmed());
}

void AutoHideTest::timer1LeavesFloatingAndPopupWindows() {
    Rig r;
    r.placeAt(600); // floating in the middle
    r.desk.setCursorPos(QPoint(0, 1000));
    r.hide->Timer1_Timer();
    QCOMPARE(r.win.main.x(), 600);
    r.placeAt(0);
    r.state.sel.popupActive = true; // the pointer is over a pop-up column
    r.hide->Timer1_Timer();
    QCOMPARE(r.win.main.x(), 0);
    QCOMPARE(r.win.popupsHidden, 0);
}

void AutoHideTest::timer1UnreadablePointerDoesNothing() {
    Rig r;
    r.placeAt(0);
    r.desk.setCursorPos(std::nullopt);
    r.hide->Timer1_Timer();
    r.hide->Timer2_Timer();
    QCOMPARE(r.win.main.x(), 0);
    QCOMPARE(r.win.popupsHidden, 0);
}

void AutoHideTest::timer1FiresThroughTheEventLoop() {
    Rig r(30, 1000);
    r.placeAt(0);
    r.desk.setCursorPos(QPoint(400, 400));
    QTRY_COMPARE(r.hide->mainLeft(), -1775);
}

void AutoHideTest::timer2HidesPopupsOutsideCategoryBox() {
    Rig r;
    r.win.shown = true;
    r.win.category = QPoint(200, 100); // box 200..260 x 100..422 pixels, both ends inside
    r.state.sel.popupActive = true;
    r.desk.setCursorPos(QPoint(260, 422));
    r.hide->Timer2_Timer();
    QCOMPARE(r.win.popupsHidden, 0);
    r.desk.setCursorPos(QPoint(261, 422));
    r.hide->Timer2_Timer();
    QCOMPARE(r.win.popupsHidden, 1);
    QVERIFY(!r.state.sel.popupActive);
    // Outside again with PopupActive false: nothing to hide, and the timer rests once nothing is shown.
    r.hide->Timer2_Timer();
    QCOMPARE(r.win.popupsHidden, 1);
    QVERIFY(!r.hide->Timer2.isArmed());
    r.hide->windowShown();
    QVERIFY(r.hide->Timer2.isArmed());
}

void AutoHideTest::snappingToTopLeftAndRight() {
    Rig r;
    r.placeAt(20, 10); // 300 twips from the left, 150 from the top
    QCOMPARE(r.win.main, QPoint(0, 0));
    r.placeAt(-4, 40); // left -60: the snapping leaves a negative left alone; top 600 stays
    QCOMPARE(r.win.main, QPoint(-4, 40));
    r.placeAt(34, 40); // 510 twips: floating
    QCOMPARE(r.win.main.x(), 34);
    r.placeAt(1130, 40); // 16950: within 500 of docked right
    QCOMPARE(r.win.main.x(), 1155);
    r.placeAt(1122, 40); // 16830 = W - 2370: still snaps
    QCOMPARE(r.win.main.x(), 1155);
    r.placeAt(1121, 40); // 16815, more than 500 from docked right: stays
    QCOMPARE(r.win.main.x(), 1121);
    r.placeAt(1200, 40); // beyond docked right: not the snapping's business
    QCOMPARE(r.win.main.x(), 1200);
}

void AutoHideTest::ycSwitchesAutoHide() {
    Rig r;
    r.hide->applyStartMode(1); // auto-hide off at 0, 0
    QCOMPARE(r.yc.text(), QString("自动隐藏"));
    QVERIFY(!r.hide->Timer1.isEnabled());
    r.placeAt(40, 100); // 600 twips, in the left half, not docked
    r.hide->yc_Click();
    QCOMPARE(r.hide->mainLeft(), -1775);
    QCOMPARE(r.yc.text(), QString("不自动隐藏"));
    QVERIFY(r.hide->Timer1.isEnabled());
    QCOMPARE(r.win.popupsHidden, 1);
    // Off again while hidden at the left: back to 0.
    r.hide->yc_Click();
    QCOMPARE(r.hide->mainLeft(), 0);
    QVERIFY(!r.hide->Timer1.isEnabled());
    // On while docked right: hidden right. Off while hidden right: docked right again.
    r.placeAt(1155, 100);
    r.hide->yc_Click();
    QCOMPARE(r.hide->mainLeft(), W - 100);
    r.hide->yc_Click();
    QCOMPARE(r.hide->mainLeft(), W - 1875);
    QCOMPARE(r.yc.text(), QString("自动隐藏"));
    // On while floating in the right half: only the timer and caption change.
    r.placeAt(900, 100);
    r.hide->yc_Click();
    QCOMPARE(r.win.main.x(), 900);
    QVERIFY(r.hide->Timer1.isEnabled());
}

void AutoHideTest::zxTwiceEnablesBothTimers() {
    Rig r;
    r.hide->applyStartMode(1);
    r.hide->setHideTimers(false);
    r.hide->zx_Click();
    QCOMPARE(r.win.allHidden, 1);
    QVERIFY(!r.win.mainVisible);
    QCOMPARE(r.zx.text(), QString("显示Quillbox"));
    r.hide->zx_Click();
    QVERIFY(r.win.mainVisible);
    QCOMPARE(r.zx.text(), QString("最小化"));
    QVERIFY(r.hide->Timer1.isEnabled());
    QVERIFY(r.hide->Timer2.isEnabled());
    QCOMPARE(r.yc.text(), QString("自动隐藏")); // the caption is not touched
}

void AutoHideTest::restoreAutoHideFollowsCaption() {
    Rig r;
    r.hide->setHideTimers(false); // a menu was opened
    r.hide->restoreAutoHide();
    QVERIFY(r.hide->Timer1.isEnabled());
    QVERIFY(!r.hide->Timer2.isEnabled());
    r.yc.setText(QString::fromUtf8("自动隐藏"));
    r.hide->restoreAutoHide();
    QVERIFY(!r.hide->Timer1.isEnabled());
}

void AutoHideTest::trayDoubleClickAndRightClick() {
    Rig r;
    r.hide->trayActivated(QSystemTrayIcon::Trigger);
    r.hide->trayActivated(QSystemTrayIcon::MiddleClick);
    QCOMPARE(r.win.allHidden, 0);
    QVERIFY(r.win.menus.isEmpty());
    r.hide->trayActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(!r.win.mainVisible);
    r.hide->trayActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(r.win.mainVisible);
    // The caption had gone astray; a right click sets it from the timer before the menu opens.
    r.hide->Timer1.setEnabled(false);
    r.yc.setText(QString::fromUtf8("不自动隐藏"));
    r.desk.setCursorPos(QPoint(1270, 1010));
    r.hide->trayActivated(QSystemTrayIcon::Context);
    QCOMPARE(r.yc.text(), QString("自动隐藏"));
    QCOMPARE(r.win.menus, QList<QPoint>{QPoint(1270, 1010)});
}

void AutoHideTest::startModes() {
    {
        Rig r;
        r.hide->applyStartMode(2);
        QCOMPARE(r.hide->mainLeft(), -1775);
        QVERIFY(r.hide->Timer1.isEnabled());
        QCOMPARE(r.yc.text(), QString("不自动隐藏"));
    }
    {
        Rig r;
        r.hide->applyStartMode(3);
        QCOMPARE(r.hide->mainLeft(), -2000);
        QCOMPARE(r.win.main.x() + 125, -8); // wholly off the screen
        // Switching auto-hide off from the tray menu brings it back.
        r.hide->yc_Click();
        QCOMPARE(r.hide->mainLeft(), 0);
    }
    {
        Rig r;
        r.placeAt(0);
        r.hide->applyStartMode(4);
        QCOMPARE(r.win.main.x(), 0);
        QVERIFY(r.hide->Timer1.isEnabled());
        QCOMPARE(r.yc.text(), QString("不自动隐藏"));
    }
}

QTEST_MAIN(AutoHideTest)
#include "AutoHideTest.moc"
