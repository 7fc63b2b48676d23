// Auto-hide's ticks and the yc menu item, against a scripted pointer (the same with the real
// window, zx and the tray icon: ProgramTest). Screen
// 1280 x 1024 pixels: width 19200 twips, docked right at 17325, hidden right at 19100.

#include "core/Launcher.h"
#include "mainwin/AutoHide.h"
#include "mainwin/HideTimer.h"
#include "platform/fake/FakeDesktop.h"
#include "store/AppState.h"

#include <QtTest>

using namespace qbx;

namespace {

constexpr int W = 19200;

struct FakeWindows : AutoHideHost {
    int left = 0;
    int top = 0;
    std::optional<QPoint> category;
    bool shown = false;
    bool mainVisible = true;
    int popupsHidden = 0;
    int allHidden = 0;
    QList<QPoint> menus;

    int mainLeft() const override { return left; }
    int mainTop() const override { return top; }
    void setMainLeft(int twips) override { left = twips; }
    int screenWidth() const override { return W; }
    QPoint screenOrigin() const override { return origin; }
    bool slidesOff(bool leftEdge) const override { return leftEdge ? outerLeft : outerRight; }
    QPoint origin;
    bool outerLeft = true;
    bool outerRight = true;
    std::optional<QPoint> categoryWindowPos() const override { return category; }
    bool popupsShown() const override { return shown; }
    void hidePopups() override
    {
        ++popupsHidden;
        shown = false;
    }
    void hideAllWindows() override
    {
        ++allHidden;
        shown = false;
        mainVisible = false;
    }
    void showMainWindow() override { mainVisible = true; }
    void popUpOperationMenu(QPoint at) override { menus.append(at); }
    void showAutoHide(bool on) override { autoHide = on; }
    bool autoHideOn() const override { return autoHide; }
    void showMinimised(bool) override {}
    bool autoHide = true;
};

struct Rig {
    AppState state;
    FakeDesktop desk;
    FakeWindows win;
    HideTimer timer1;
    HideTimer timer2;
    Launcher core{state, desk};
    AutoHide hide{core, win, timer1, timer2};
    explicit Rig(int mainDelay = 3000, int categoryDelay = 1000)
    {
        desk.setScreenGeometry(QRect(0, 0, 1280, 1024));
        timer1.setInterval(mainDelay);
        timer2.setInterval(categoryDelay);
        timer1.setEnabled(true);
        timer2.setEnabled(true);
    }
    // Places the main window as the user or the window manager would.
    void placeAt(int leftTw, int topTw = 0)
    {
        win.left = leftTw;
        win.top = topTw;
        hide.mainWindowMoved();
    }
    void autoHideOff()
    {
        timer1.setEnabled(false);
        win.autoHide = false;
    }
};

} // namespace

class AutoHideTest : public QObject {
    Q_OBJECT
private slots:
    void zeroDelayNeverArmsTheTimer();
    void timer1HidesDockedLeftWhenPointerLeaves();
    void timer1HidesDockedRightAndRests();
    void timer1LeavesFloatingAndPopupWindows();
    void unreadablePointerDoesNothing();
    void timer1FiresThroughTheEventLoop();
    void timer2HidesPopupsOutsideCategoryBox();
    void ycSwitchesAutoHide();
    void ycBringsBackOffScreenWindow();
    void onASecondMonitorOnlyTheOuterEdgeHides();
};

void AutoHideTest::zeroDelayNeverArmsTheTimer()
{
    Rig r(0, -5);
    // Enabled as far as the menus are concerned, but never ticking (no 0 ms spin).
    QVERIFY(r.timer1.isEnabled());
    QVERIFY(!r.timer1.isArmed());
    QVERIFY(!r.timer2.isArmed());
    r.hide.yc_Click();
    QVERIFY(!r.win.autoHide);
    QVERIFY(!r.timer1.isEnabled());
    r.hide.yc_Click();
    QVERIFY(r.win.autoHide);
    QVERIFY(r.timer1.isEnabled());
    QVERIFY(!r.timer1.isArmed());
    r.timer1.setInterval(50);
    QVERIFY(r.timer1.isArmed());
}

void AutoHideTest::timer1HidesDockedLeftWhenPointerLeaves()
{
    Rig r;
    // Below the window counts as having left it: (600 + 8595) / 15 = 613. (Right of it: with
    // the real window in MainWindowActionsTest.)
    r.placeAt(0, 600);
    r.desk.setCursorPos(QPoint(10, 613));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, 0);
    r.desk.setCursorPos(QPoint(10, 614));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, -1775);
    QCOMPARE(r.win.popupsHidden, 1);
    // And above it.
    r.placeAt(0, 600);
    r.desk.setCursorPos(QPoint(10, 39));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, -1775);
}

void AutoHideTest::timer1HidesDockedRightAndRests()
{
    Rig r;
    r.placeAt(W - 1875);
    r.desk.setCursorPos(QPoint(1155, 100)); // on the window's left edge: still inside
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, W - 1875);
    r.desk.setCursorPos(QPoint(1154, 100));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, W - 100);
    // Hidden: later ticks leave it, and the timer rests until the window moves again.
    r.desk.setCursorPos(QPoint(0, 0));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, W - 100);
    QVERIFY(!r.timer1.isArmed());
    QVERIFY(r.timer1.isEnabled());
    r.placeAt(W - 1875);
    QVERIFY(r.timer1.isArmed());
}

void AutoHideTest::timer1LeavesFloatingAndPopupWindows()
{
    Rig r;
    r.placeAt(600); // floating
    r.desk.setCursorPos(QPoint(1000, 1000));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, 600);
    QVERIFY(r.timer1.isArmed()); // it may be docked again by a drag
    r.placeAt(0);
    r.state.sel.popupActive = true; // the pointer is over a pop-up column
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, 0);
    QCOMPARE(r.win.popupsHidden, 0);
}

void AutoHideTest::unreadablePointerDoesNothing()
{
    Rig r;
    r.placeAt(0);
    r.win.shown = true;
    r.desk.setCursorPos(std::nullopt);
    r.hide.Timer1_Timer();
    r.state.sel.popupActive = true;
    r.hide.Timer2_Timer();
    QCOMPARE(r.win.left, 0);
    QCOMPARE(r.win.popupsHidden, 0);
    QVERIFY(r.state.sel.popupActive);
}

void AutoHideTest::timer1FiresThroughTheEventLoop()
{
    Rig r(30, 1000);
    r.placeAt(0);
    r.desk.setCursorPos(QPoint(400, 400));
    QTRY_COMPARE(r.win.left, -1775);
    QTRY_VERIFY(!r.timer1.isArmed());
}

void AutoHideTest::timer2HidesPopupsOutsideCategoryBox()
{
    Rig r;
    r.win.shown = true;
    r.win.category = QPoint(3000, 1500); // box 200..260 x 100..422 pixels, both ends inside
    r.state.sel.popupActive = true;
    r.desk.setCursorPos(QPoint(260, 422));
    r.hide.Timer2_Timer();
    QCOMPARE(r.win.popupsHidden, 0);
    r.desk.setCursorPos(QPoint(200, 100));
    r.hide.Timer2_Timer();
    QCOMPARE(r.win.popupsHidden, 0);
    r.desk.setCursorPos(QPoint(261, 422));
    r.hide.Timer2_Timer();
    QCOMPARE(r.win.popupsHidden, 1);
    QVERIFY(!r.state.sel.popupActive);
    // Nothing shown and PopupActive false: the timer rests until a window is shown.
    r.hide.Timer2_Timer();
    QCOMPARE(r.win.popupsHidden, 1);
    QVERIFY(!r.timer2.isArmed());
    r.hide.windowShown();
    QVERIFY(r.timer2.isArmed());
    // Pop-up shown but the pointer never reached a column: outside the box nothing is hidden.
    r.win.shown = true;
    r.hide.Timer2_Timer();
    QCOMPARE(r.win.popupsHidden, 1);
    QVERIFY(r.timer2.isArmed());
}

void AutoHideTest::ycSwitchesAutoHide()
{
    Rig r;
    r.autoHideOff();
    r.placeAt(600, 1500); // left half, not docked: hidden at once
    r.hide.yc_Click();
    QCOMPARE(r.win.left, -1775);
    QCOMPARE(r.win.popupsHidden, 1);
    // Off again while hidden at the left: back to 0.
    r.hide.yc_Click();
    QCOMPARE(r.win.left, 0);
    QVERIFY(!r.timer1.isEnabled());
    QVERIFY(!r.win.autoHide);
    // On while docked right: hidden right.
    r.placeAt(W - 1875, 1500);
    r.hide.yc_Click();
    QCOMPARE(r.win.left, W - 100);
    r.hide.yc_Click();
    // On while floating in the right half: only the timer and caption change.
    r.placeAt(13500, 1500);
    r.hide.yc_Click();
    QCOMPARE(r.win.left, 13500);
    QVERIFY(r.timer1.isEnabled());
    // Off while floating: the window stays.
    const int hidden = r.win.popupsHidden;
    r.hide.yc_Click();
    QCOMPARE(r.win.left, 13500);
    QCOMPARE(r.win.popupsHidden, hidden);
}

void AutoHideTest::ycBringsBackOffScreenWindow()
{
    Rig r;
    r.placeAt(-2000); // start-up mode 3: wholly off the screen, auto-hide on
    r.hide.yc_Click();
    QCOMPARE(r.win.left, 0);
    QVERIFY(!r.win.autoHide);
}

// The window docked to a second monitor right of the primary (from x 1280 px): the pointer is
// measured from that monitor's corner, and the left edge, shared with the primary, is no edge
// to slide off (the window would stand on the primary).
void AutoHideTest::onASecondMonitorOnlyTheOuterEdgeHides()
{
    Rig r;
    r.win.origin = QPoint(1280, 0);
    r.win.outerLeft = false;
    r.placeAt(W - 1875);
    r.desk.setCursorPos(QPoint(1280 + 1155, 100));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, W - 1875);
    r.desk.setCursorPos(QPoint(1280 + 1154, 100));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, W - 100);
    // Docked at the inner edge it stays shown when the pointer leaves, and auto-hide switched
    // on there leaves it where it is.
    r.placeAt(0);
    r.desk.setCursorPos(QPoint(1280 + 600, 100));
    r.hide.Timer1_Timer();
    QCOMPARE(r.win.left, 0);
    QCOMPARE(r.win.popupsHidden, 1);
    r.autoHideOff();
    r.placeAt(600, 1500);
    r.hide.yc_Click();
    QCOMPARE(r.win.left, 600);
    QVERIFY(r.timer1.isEnabled());
}

QTEST_MAIN(AutoHideTest)
#include "test_auto_hide.moc"
