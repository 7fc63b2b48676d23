// Window tests of the main window: start-up, the edges, tile hover and the strips, the pop-up's
// placement and contents, the menus.

#include "catwin/Form3.h"
#include "core/Launcher.h"
#include "mainwin/Form1.h"
#include "mainwin/Form2.h"
#include "mainwin/TrayIcon.h"
#include "store/Store.h"
#include "tests/support/Form1Controls.h"
#include "tests/support/Form3Controls.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/EventLabel.h"
#include "ui/PictureBox.h"

#include "ui/Skin.h"

#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <tuple>

using namespace qbx;
using namespace qbx::testing;

namespace {

constexpr int kScreenW = 1024 * 15; // twips of the fake screen

struct Main {
    WindowApp app;
    Launcher core{app.state, app.desktop};
    std::unique_ptr<Form1> form;
    int quits = 0;

    explicit Main(bool skins = true, int startMode = 1)
    {
        if (skins)
            app.writeSkins();
        if (startMode != 0)
            app.writeSetting(kSectionBasic, kKeyStartMode, startMode);
    }
    // What the tests filed in memory goes to "yfrj.dat", which start-up reads. `shownFirst`: as
    // the program starts, the window is shown before its controls are built.
    Form1& load(bool shownFirst = false)
    {
        int next = 100;
        for (auto& major : app.state.catalogue.e)
            for (auto& minor : major)
                for (ProgramEntry& e : minor)
                    if (!e.exePath.empty()) {
                        if (e.recordNo < 1)
                            e.recordNo = next++;
                        app.writeRecord(e);
                    }
        core.startUp();
        form = std::make_unique<Form1>(core);
        if (shownFirst)
            form->showAtStart(app.state.settings.startMode);
        form->load();
        QObject::connect(form.get(), &Form1::quitRequested, [this] { ++quits; });
        return *form;
    }
};

QStringList captions(const QMenu& menu)
{
    QStringList out;
    for (const QAction* a : menu.actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void startsAtTopLeftWithNothingOnDisk();
    void startModes_data();
    void startModes();
    void menusCarryEveryItem();
    void snapToEdgesInBothOrders();
    void movesSnapToTheEdges();
    void dockedColumnKeepsItsEdge();
    void staysOnItsMonitor();
    void tileHoverLightsTheTileAndShowsTheArrow();
    void leavingThroughTheArrowSideKeepsTheArrow();
    void rightEdgeLayoutIsMirrored();
    void popupOpensBesideTheTile();
    void popupShowsNameOnlyForAnEmptyMinor();
    void theKeyboardLightsOpensAndStarts();
    void combinationTileAndReservedTile();
    void tilesFollowTheCatalogue();
    void helpExitAndClose();
    void minimiseHidesEveryWindow();
    void skinsKeepTheLastPictureAndPreferSharpOnes();
    void accessibleNames();
};

void Form1Test::startsAtTopLeftWithNothingOnDisk()
{
    Main m(false, 0);
    Form1& f = m.load();
    QCOMPARE(f.leftTwips(), 0);
    QCOMPARE(f.topTwips(), 0);
    QVERIFY(f.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(f.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(f.windowTitle(), QStringLiteral("Velmora软件"));
    // Auto-hide off, from the default start-up mode 1.
    QCOMPARE(ui(f).yc->text(), QStringLiteral("自动隐藏"));
    QVERIFY(!ui(f).Timer1.isActive());
    QCOMPARE(ui(f).Timer1.interval(), 3000);
    QCOMPARE(ui(f).Timer2.interval(), 1000);
    // Seven empty tiles, no skins to show: still a window, no crash.
    for (int i = 0; i < Form1::kTiles; ++i) {
        QVERIFY(!ui(f).Picture2[static_cast<std::size_t>(i)]->hasDrawing());
        QVERIFY(!ui(f).Picture1[static_cast<std::size_t>(i)]->hasPicture());
    }
    // No tray host: the program goes on without the icon.
    QVERIFY(f.trayIcon() && !f.trayIcon()->isShown());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.size(), QSize(125, 573));
}

void Form1Test::startModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("autoHide");
    QTest::newRow("2: hidden at the left edge") << 2 << -1775 << true;
    QTest::newRow("3: off the screen") << 3 << -2000 << true;
    QTest::newRow("4: as created") << 4 << 0 << true;
    QTest::newRow("9: as created") << 9 << 0 << true;
}

void Form1Test::startModes()
{
    QFETCH(int, mode);
    QFETCH(int, left);
    QFETCH(bool, autoHide);
    Main m(true, mode);
    Form1& f = m.load(true);
    QCOMPARE(f.leftTwips(), left);
    QCOMPARE(f.topTwips(), 0);
    QCOMPARE(ui(f).Timer1.isActive(), autoHide);
    QCOMPARE(ui(f).yc->text(), QStringLiteral("不自动隐藏"));
    if (mode == 2) // 100 twips of the window stay on the screen
        QCOMPARE(f.x() + f.width(), 7);
    // Shown before its controls were built, the window shows the same controls as one shown
    // after loading.
    Main later(true, mode);
    Form1& g = later.load();
    g.show();
    const auto shown = [](const QWidget& w) {
        QList<bool> out;
        for (const QWidget* child : w.findChildren<QWidget*>())
            if (!child->isWindow())
                out << child->isVisible();
        return out;
    };
    QVERIFY(shown(g).count(true) > 20);
    QCOMPARE(shown(f), shown(g));
}

void Form1Test::menusCarryEveryItem()
{
    Main m;
    Form1& f = m.load();
    QCOMPARE(captions(*ui(f).sz), (QStringList{"分类程序设置", "程序组合设置", "系统设置"}));
    QCOMPARE(captions(*ui(f).cz), (QStringList{"最小化", "自动隐藏", "-", "关于", "帮助", "-", "退出"}));
    QCOMPARE(ui(f).Command1->text(), QStringLiteral("设置"));
    QCOMPARE(ui(f).Command2->text(), QStringLiteral("操作"));
    QCOMPARE(ui(f).Image4->toolTip(), QStringLiteral("点击看软件介绍！"));
    // The menu buttons switch both hide timers off before their menu opens.
    f.restoreAutoHide();
    f.setCategoryTimer(true);
    f.Command2_Click();
    QVERIFY(!ui(f).Timer1.isActive() && !ui(f).Timer2.isActive());
    ui(f).cz->hide();
    // "关于" switches the category window's timer on again, the main window's only as auto-hide
    // says (off), and opens the about box.
    QSignalSpy abouts(&f, &Form1::aboutRequested);
    ui(f).gu->trigger();
    QCOMPARE(abouts.size(), 1);
    QVERIFY(!ui(f).Timer1.isActive() && ui(f).Timer2.isActive());
    // The items of "设置" ask for their windows.
    QSignalSpy classify(&f, &Form1::classificationEditorRequested);
    QSignalSpy combos(&f, &Form1::comboEditorRequested);
    QSignalSpy system(&f, &Form1::systemSettingsRequested);
    ui(f).fl->trigger();
    ui(f).cx->trigger();
    ui(f).xt->trigger();
    QCOMPARE(std::make_tuple(classify.size(), combos.size(), system.size()), std::make_tuple(1, 1, 1));
}

void Form1Test::snapToEdgesInBothOrders()
{
    Main m;
    Form1& f = m.load();
    // Within 500 twips of the right edge: pulled flush against it.
    f.moveTwips(kScreenW - 2000, 0);
    f.Form_MouseMove();
    QCOMPARE(f.leftTwips(), kScreenW - 1875);
    // Hidden at the left edge: back at 0 with the first move over the strip left on screen.
    f.moveTwips(-1775, 0);
    f.Form_MouseMove();
    QCOMPARE(f.leftTwips(), 0);
    // Hidden at the right edge (no whole pixel): back flush with the right edge.
    f.moveTwips(kScreenW - 100, 0);
    f.Form_MouseMove();
    QCOMPARE(f.leftTwips(), kScreenW - 1875);
    // On a screen narrower than the snap zone the two orders differ: the background tests the
    // left edge first, the strips the right edge first.
    m.app.desktop.setScreenGeometry(QRect(0, 0, 100, 768));
    f.moveTwips(-1775, 0);
    f.Form_MouseMove();
    QCOMPARE(f.leftTwips(), 1500 - 1875);
    f.moveTwips(-1775, 0);
    f.Image2_MouseMove(0, Qt::NoButton, 10, 10);
    QCOMPARE(f.leftTwips(), 0);
}

void Form1Test::movesSnapToTheEdges()
{
    Main m;
    Form1& f = m.load();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.move(20, 300); // 300 twips from the left edge, 4500 from the top
    QTRY_COMPARE(f.leftTwips(), 0);
    QCOMPARE(f.topTwips(), 4500);
    f.move(20, 20); // the top within 500 twips
    QTRY_COMPARE(f.topTwips(), 0);
    f.move(1024 - 125 - 20, 0); // 300 twips from the right edge
    QTRY_COMPARE(f.leftTwips(), kScreenW - 1875);
    f.moveTwips(-50, 0); // beyond the left edge: not the snapping's business
    QTest::qWait(20);
    QCOMPARE(f.leftTwips(), -50);
}

void Form1Test::dockedColumnKeepsItsEdge()
{
    Main m; // start-up mode 1: auto-hide off
    Form1& f = m.load();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const auto reserved = [&m] {
        const auto& r = m.app.desktop.reservations;
        return r.isEmpty() ? EdgeReservation{} : r.last();
    };
    // Docked with auto-hide off, the column keeps its edge over its own height.
    QTRY_COMPARE(reserved(), (EdgeReservation{EdgeReservation::Left, 125, 0, 572}));
    f.moveTwips(kScreenW - 1875, 1500);
    QTRY_COMPARE(reserved(), (EdgeReservation{EdgeReservation::Right, 125, 100, 672}));
    f.moveTwips(3000, 0);
    QTRY_COMPARE(reserved(), EdgeReservation{});
    // Back at the edge it keeps it again, until auto-hide goes on.
    f.moveTwips(0, 0);
    QTRY_COMPARE(reserved().side, EdgeReservation::Left);
    f.switchAutoHide();
    QCOMPARE(reserved(), EdgeReservation{});
}

void Form1Test::staysOnItsMonitor()
{
    Main m; // auto-hide off
    Form1& f = m.load();
    // The primary, a taller monitor right of it, one left of it at negative x.
    const QRect primary(0, 0, 1024, 768);
    const QRect right(1024, 0, 1280, 1024);
    const QRect left(-1280, 0, 1280, 800);
    m.app.desktop.setScreens({primary, right, left});
    f.screenResized(); // what the toolkit's screen signals ask for
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const auto reserved = [&m] {
        const auto& r = m.app.desktop.reservations;
        return r.isEmpty() ? EdgeReservation{} : r.last();
    };
    // Dropped near the right monitor's left edge it docks there; that edge is the primary's
    // too, so nothing is reserved; the pop-up opens to the right.
    f.moveTwips(1024 * 15 + 300, 1500);
    QTRY_COMPARE(f.leftTwips(), 1024 * 15);
    QCOMPARE(f.columnScreen(), right);
    QVERIFY(f.roomOnRight());
    QTRY_COMPARE(reserved(), EdgeReservation{});
    // Near its right edge: docked there, the edge reserved, the pop-up opening to the left.
    f.moveTwips((1024 + 1280) * 15 - 1875 - 300, 1500);
    QTRY_COMPARE(f.leftTwips(), (1024 + 1280) * 15 - 1875);
    QVERIFY(!f.roomOnRight());
    QTRY_COMPARE(reserved(), (EdgeReservation{EdgeReservation::Right, 125, 100, 672}));
    // A new resolution of that monitor: still docked at its right edge.
    m.app.desktop.setScreens({primary, QRect(1024, 0, 1600, 900), left});
    f.screenResized();
    QCOMPARE(f.leftTwips(), (1024 + 1600) * 15 - 1875);
    // The monitor goes: docked at the right edge of the primary.
    m.app.desktop.setScreens({primary, left});
    f.screenResized();
    QCOMPARE(f.leftTwips(), 1024 * 15 - 1875);
    QCOMPARE(f.topTwips(), 1500);
    QCOMPARE(f.columnScreen(), primary);
    // Docked at the left edge of a monitor that goes, and nudged by the window manager before
    // the program hears of the change: docked at the primary's left edge.
    m.app.desktop.setScreens({primary, right, left});
    f.screenResized();
    f.moveTwips(1024 * 15, 1500);
    QTest::qWait(50);
    m.app.desktop.setScreens({primary, left});
    f.moveTwips(1012 * 15, 1500);
    QTest::qWait(50);
    f.screenResized();
    QCOMPARE(f.leftTwips(), 0);
    // The monitor at negative x: hidden at its outer left edge, back with the pointer on it.
    f.moveTwips(-1280 * 15 - 1775, 1500);
    QCOMPARE(f.columnScreen(), left);
    f.Form_MouseMove();
    QCOMPARE(f.leftTwips(), -1280 * 15);
    // Its right edge is the primary's left: docked there the column does not slide off.
    f.moveTwips(-1875, 1500);
    f.switchAutoHide();
    QCOMPARE(f.leftTwips(), -1875);
    QVERIFY(f.autoHideOn());
}

void Form1Test::tileHoverLightsTheTileAndShowsTheArrow()
{
    Main m;
    Form1& f = m.load();
    // At start-up: names on the left strips, no arrow strips, tiles at rest.
    for (int i = 0; i < 5; ++i) {
        QVERIFY(ui(f).Image2[static_cast<std::size_t>(i)]->isHidden());
        QCOMPARE(ui(f).Image3[static_cast<std::size_t>(i)]->pictureName(),
                 QStringLiteral("pnl3%1%2.jpg").arg(i + 1).arg(1));
        QCOMPARE(ui(f).Picture1[static_cast<std::size_t>(i)]->pictureName(), QStringLiteral("pnl11.jpg"));
    }
    QVERIFY(f.popupOnRight()); // the layout start-up drew
    f.Picture1_MouseMove(2, Qt::NoButton, 500, 500);
    QCOMPARE(ui(f).Picture1[2]->pictureName(), QStringLiteral("pnl12.jpg"));
    QVERIFY(f.popupOnRight());
    QCOMPARE(m.app.state.sel.hoverTile, 2);
    QVERIFY(!ui(f).Image2[2]->isHidden());
    QCOMPARE(ui(f).Image2[2]->pictureName(), QStringLiteral("pnl21.jpg"));
    QCOMPARE(ui(f).Image3[2]->pictureName(), QStringLiteral("pnl332.jpg"));
    for (int k = 0; k < Form1::kTiles; ++k) {
        QCOMPARE(ui(f).Image2[static_cast<std::size_t>(k)]->isHidden(), k != 2);
        QVERIFY(!ui(f).Image3[static_cast<std::size_t>(k)]->isHidden());
    }
    // Holding a button: the hover does nothing.
    f.Picture1_MouseMove(3, Qt::LeftButton, 500, 500);
    QCOMPARE(ui(f).Picture1[3]->pictureName(), QStringLiteral("pnl11.jpg"));
    QCOMPARE(m.app.state.sel.hoverTile, 2);
}

void Form1Test::leavingThroughTheArrowSideKeepsTheArrow()
{
    Main m;
    Form1& f = m.load();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.Picture1_MouseMove(1, Qt::NoButton, 500, 500);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);       // lit without taking the pointer from others
    f.Picture1_MouseMove(1, Qt::NoButton, 1060, 500); // out through the right edge
    QCOMPARE(ui(f).Picture1[1]->pictureName(), QStringLiteral("pnl11.jpg"));
    QVERIFY(!ui(f).Image2[1]->isHidden());
    QCOMPARE(ui(f).Image3[1]->pictureName(), QStringLiteral("pnl321.jpg"));
    // Out through the bottom (or left, or top): the arrow goes.
    f.Picture1_MouseMove(1, Qt::NoButton, 500, 500);
    f.Picture1_MouseMove(1, Qt::NoButton, 500, 1100);
    QVERIFY(ui(f).Image2[1]->isHidden());
    f.Picture1_MouseMove(1, Qt::NoButton, 500, 500);
    f.Picture1_MouseMove(1, Qt::NoButton, -5, 500);
    QVERIFY(ui(f).Image2[1]->isHidden());
    // The toolkit's leave notice does the same as the move out: the tile dims, and the pointer
    // gone out through the right edge (past the arrow, on to the pop-up) keeps the arrow.
    PictureBox* tile = ui(f).Picture1[1];
    f.Picture1_MouseMove(1, Qt::NoButton, 500, 500);
    m.app.desktop.setCursorPos(tile->mapToGlobal(QPoint(tile->width() + 40, tile->height() / 2)));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(tile, &leave);
    QCOMPARE(tile->pictureName(), QStringLiteral("pnl11.jpg"));
    QVERIFY(!ui(f).Image2[1]->isHidden());
    // A window opened over the lit tile takes the pointer from it: dimmed, the arrow gone.
    f.Picture1_MouseMove(1, Qt::NoButton, 500, 500);
    m.app.desktop.setCursorPos(tile->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tile, &leave);
    QCOMPARE(tile->pictureName(), QStringLiteral("pnl11.jpg"));
    QVERIFY(ui(f).Image2[1]->isHidden());
}

void Form1Test::rightEdgeLayoutIsMirrored()
{
    Main m;
    for (int minor = 0; minor < 5; ++minor)
        m.app.file(1, minor, 0, std::string("p").append(std::to_string(minor)), 10 - minor);
    Form1& f = m.load();
    f.moveTwips(kScreenW - 1875, 0);
    QVERIFY(!f.roomOnRight());
    f.Picture1_MouseMove(1, Qt::NoButton, 500, 500);
    // The arrow on the left of the lit tile, all names on the right strips.
    QVERIFY(!ui(f).Image3[1]->isHidden());
    QCOMPARE(ui(f).Image3[1]->pictureName(), QStringLiteral("pnl22.jpg"));
    QCOMPARE(ui(f).Image2[1]->pictureName(), QStringLiteral("pnl322.jpg"));
    for (int k = 0; k < Form1::kTiles; ++k) {
        QCOMPARE(ui(f).Image3[static_cast<std::size_t>(k)]->isHidden(), k != 1);
        QVERIFY(!ui(f).Image2[static_cast<std::size_t>(k)]->isHidden());
        if (k != 1)
            QCOMPARE(ui(f).Image2[static_cast<std::size_t>(k)]->pictureName(),
                     QStringLiteral("pnl3%1%2.jpg").arg(k + 1).arg(1));
    }
    // The right strip does nothing on this side; the left strip opens the pop-up 4088 twips left.
    f.Image2_MouseMove(1, Qt::NoButton, 100, 100);
    QVERIFY(!f.popup());
    f.Image3_MouseMove(1, Qt::NoButton, 100, 100);
    QVERIFY(f.popup());
    QCOMPARE(f.popup()->leftTwips(), kScreenW - 1875 - 4088);
    QCOMPARE(m.app.state.sel.curMajor, 1);
    // Cells in reverse order: the most used minor category stands next to the main window.
    const auto& names = minorNames(1);
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(f.popup()->Label1[static_cast<std::size_t>(k)]->text(),
                 QString::fromStdString(names[static_cast<std::size_t>(4 - k)]));
        QCOMPARE(f.popup()->Picture1[static_cast<std::size_t>(k)]->accessibleDescription(),
                 QStringLiteral("/opt/p%1.exe").arg(4 - k));
    }
    // Column 0 of the pop-up opens minor category 4.
    f.popup()->Label1_MouseMove(0);
    QCOMPARE(m.app.state.sel.curMinor, 4);
    QVERIFY(f.categoryWindow() && f.categoryWindow()->isVisible());
    QCOMPARE(ui(*f.categoryWindow()).Label2[0]->text(), QStringLiteral("p4标题"));
}

void Form1Test::popupOpensBesideTheTile()
{
    Main m;
    m.app.file(0, 0, 0, "word", 5);
    m.app.file(0, 1, 0, "calc", 3).title.clear();
    Form1& f = m.load();
    f.moveTwips(0, 600);
    f.Image2_MouseMove(3, Qt::NoButton, 100, 500);
    Form2* popup = f.popup();
    QVERIFY(popup && popup->isVisible());
    QCOMPARE(m.app.state.sel.curMajor, 3);
    QCOMPARE(popup->leftTwips(), 367 + 0 + 1050);
    // The pop-up stood at the top of the screen before: the category window fits below it.
    QCOMPARE(popup->topTwips(), 3600 + 600 + 270);
    QCOMPARE(popup->windowTitle(), QStringLiteral("学习"));
    // Entering a tile hides the pop-up and the category window.
    popup->Picture1_MouseMove(0);
    QVERIFY(f.categoryWindow()->isVisible());
    QCOMPARE(f.categoryWindow()->windowTitle(), QStringLiteral("电脑"));
    QVERIFY(m.app.state.sel.popupActive);
    f.Picture1_MouseMove(0, Qt::NoButton, 10, 10);
    QVERIFY(!popup->isVisible());
    QVERIFY(!f.categoryWindow()->isVisible());
    // Filled left to right with each minor category's favourite; an empty title shows the name.
    f.Image2_MouseMove(0, Qt::NoButton, 100, 500);
    QCOMPARE(popup->Label1[0]->text(), QStringLiteral("业务"));
    QCOMPARE(popup->Label2[0]->text(), QStringLiteral("word标题"));
    QCOMPARE(popup->Label2[1]->text(), QStringLiteral("calc"));
    QVERIFY(popup->Picture1[0]->hasDrawing());
    // A pop-up near the bottom of the screen drops 390 twips instead, once it stood there.
    f.moveTwips(0, 9000);
    f.Image2_MouseMove(0, Qt::NoButton, 100, 500);
    f.Image2_MouseMove(0, Qt::NoButton, 100, 500);
    QCOMPARE(popup->topTwips(), 480 + 9000 + 390);
    // Becoming the active window unloads both.
    f.closePopups();
    QVERIFY(!f.popup() && !f.categoryWindow());
}

void Form1Test::popupShowsNameOnlyForAnEmptyMinor()
{
    Main m;
    m.app.file(4, 0, 0, "shell", 9);
    m.app.file(4, 1, 0, "top", 2);
    Form1& f = m.load();
    f.Image2_MouseMove(4, Qt::NoButton, 100, 500);
    Form2& popup = *f.popup();
    // Minor positions 2-4 are empty: each shows the next name without programs, no icon, no title.
    const auto& names = minorNames(4);
    QCOMPARE(popup.Label1[1]->text(), QString::fromStdString(names[1]));
    for (int k = 2; k < 5; ++k) {
        QCOMPARE(popup.Label1[static_cast<std::size_t>(k)]->text(),
                 QString::fromStdString(names[static_cast<std::size_t>(k)]));
        QCOMPARE(popup.Label2[static_cast<std::size_t>(k)]->text(), QString());
        QVERIFY(!popup.Picture1[static_cast<std::size_t>(k)]->hasDrawing());
    }
    // When a whole minor category has moved ahead, the empty positions still show their own names.
    m.app.state.catalogue.at(4, 1, 0) = {};
    m.app.file(4, 1, 0, "net", 2).minorName = names[3];
    rebuildSlotMap(m.app.state);
    f.Image2_MouseMove(4, Qt::NoButton, 100, 500);
    QCOMPARE(popup.Label1[1]->text(), QString::fromStdString(names[3]));
    QCOMPARE(popup.Label1[2]->text(), QString::fromStdString(names[1]));
    QCOMPARE(popup.Label1[3]->text(), QString::fromStdString(names[2]));
    QCOMPARE(popup.Label1[4]->text(), QString::fromStdString(names[4]));
}

void Form1Test::theKeyboardLightsOpensAndStarts()
{
    Main m;
    m.app.file(1, 0, 0, "game", 5);
    Form1& f = m.load();
    f.moveTwips(0, 600);
    QSignalSpy pressed(&f, &Form1::tilePressed);
    QSignalSpy released(&f, &Form1::tileReleased);
    // Nothing is lit yet: Enter and Right do nothing; Up starts from the bottom and goes round.
    QTest::keyClick(&f, Qt::Key_Return);
    QTest::keyClick(&f, Qt::Key_Right);
    QVERIFY(released.isEmpty() && !f.popup());
    QTest::keyClick(&f, Qt::Key_Up);
    QCOMPARE(ui(f).Picture1[6]->pictureName(), QStringLiteral("pnl12.jpg"));
    QTest::keyClick(&f, Qt::Key_Down);
    QTest::keyClick(&f, Qt::Key_Down);
    QCOMPARE(ui(f).Picture1[6]->pictureName(), QStringLiteral("pnl11.jpg"));
    QCOMPARE(ui(f).Picture1[1]->pictureName(), QStringLiteral("pnl12.jpg"));
    // Right opens tile 1's pop-up, Enter starts what a left click starts.
    QTest::keyClick(&f, Qt::Key_Right);
    QVERIFY(f.popup() && f.popup()->isVisible());
    QCOMPARE(f.popup()->windowTitle(), QStringLiteral("娱乐"));
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(pressed.size(), 1);
    QCOMPARE(released.size(), 1);
    QCOMPARE(released[0][0].toInt(), 1);
    QCOMPARE(released[0][1].value<Qt::MouseButton>(), Qt::LeftButton);
}

void Form1Test::combinationTileAndReservedTile()
{
    Main m;
    ProgramEntry& member = m.app.file(2, 3, 0, "mail", 4, 7);
    m.app.writeRecord(member);
    m.app.writeRecord(combo(0, 0, "早上", "上班", 7));
    m.app.writeRecord(combo(1, 0, "晚上", "游戏", 0));
    Form1& f = m.load();
    // Tile 5 shows the first member of the most used combination.
    QCOMPARE(ui(f).Picture2[5]->accessibleDescription(), QStringLiteral("/opt/mail.exe"));
    QVERIFY(ui(f).Picture2[5]->hasDrawing());
    f.Image2_MouseMove(5, Qt::NoButton, 100, 500);
    Form2& popup = *f.popup();
    QCOMPARE(popup.Label1[0]->text(), QStringLiteral("早上"));
    QCOMPARE(popup.Label2[0]->text(), QStringLiteral("上班"));
    QVERIFY(popup.Picture1[0]->hasDrawing());
    // A group whose first combination has no first member: names without an icon.
    QCOMPARE(popup.Label1[1]->text(), QStringLiteral("晚上"));
    QCOMPARE(popup.Label2[1]->text(), QStringLiteral("游戏"));
    QVERIFY(!popup.Picture1[1]->hasDrawing());
    // Tile 6 opens an empty pop-up.
    f.Image2_MouseMove(6, Qt::NoButton, 100, 500);
    QVERIFY(popup.isVisible());
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(popup.Label1[static_cast<std::size_t>(k)]->text(), QString());
        QCOMPARE(popup.Label2[static_cast<std::size_t>(k)]->text(), QString());
        QVERIFY(!popup.Picture1[static_cast<std::size_t>(k)]->hasDrawing());
    }
}

void Form1Test::tilesFollowTheCatalogue()
{
    Main m;
    m.app.file(3, 0, 0, "book", 2, 1);
    m.app.writeRecord(m.app.state.catalogue.at(3, 0, 0));
    m.app.state.catalogue = {};
    Form1& f = m.load();
    // Loaded from "yfrj.dat" at start-up and drawn on tile 3.
    QCOMPARE(ui(f).Picture2[3]->accessibleDescription(), QStringLiteral("/opt/book.exe"));
    QVERIFY(ui(f).Picture2[3]->hasDrawing());
    QVERIFY(!ui(f).Picture2[0]->hasDrawing());
    // The tooltip names the program by its title and tells how often it was started.
    QCOMPARE(ui(f).Picture1[3]->toolTip(), QStringLiteral("book标题使用1次"));
    // A redraw after a re-sort: tile 3 lost its program, tile 0 gained one.
    m.app.state.catalogue.at(3, 0, 0) = {};
    m.app.file(0, 0, 0, "edit", 2);
    f.refreshTileIcons();
    QVERIFY(!ui(f).Picture2[3]->hasDrawing());
    QCOMPARE(ui(f).Picture1[3]->toolTip(), QString());
    QCOMPARE(ui(f).Picture1[0]->toolTip(), QStringLiteral("edit标题使用1次"));
    QCOMPARE(ui(f).Picture2[0]->accessibleDescription(), QStringLiteral("/opt/edit.exe"));
    const QImage drawn = ui(f).Picture2[0]->drawing();
    QCOMPARE(drawn.pixelColor(5, 5), QColor(200, 30, 30));
}

void Form1Test::helpExitAndClose()
{
    Main m;
    m.app.desktop.setTrayAvailable(true);
    Form1& f = m.load();
    ui(f).bz->trigger();
    f.Image4_Click();
    const QString intro = QString::fromStdString((m.app.state.appDir / "Quillbox介绍.txt").string());
    QCOMPARE(m.app.desktop.opened, (QStringList{intro, intro}));
    QVERIFY(m.app.desktop.messages.isEmpty());
    // Without an application to open it the user is told, not left guessing.
    m.app.desktop.setOpenResult(false);
    ui(f).bz->trigger();
    QCOMPARE(m.app.desktop.messages, QStringList{QStringLiteral("无法打开软件介绍：") + intro});
    // Nor when the opener starts and only then finds no application.
    m.app.desktop.setOpenResult(true);
    m.app.desktop.setOpenFailsLater(true);
    ui(f).bz->trigger();
    QCOMPARE(m.app.desktop.messages.size(), 2);
    QCOMPARE(m.app.desktop.messages.last(), QStringLiteral("无法打开软件介绍：") + intro);
    // The tray icon waits for the window to be up.
    QVERIFY(!f.trayIcon()->isShown());
    f.finishStartUp();
    QVERIFY(f.trayIcon()->isShown());
    QCOMPARE(f.trayIcon()->toolTip(), QStringLiteral("QuillboxV0.8"));
    f.Image2_MouseMove(0, Qt::NoButton, 100, 500);
    QVERIFY(f.popup());
    ui(f).tc->trigger();
    QVERIFY(!f.trayIcon()->isShown());
    QCOMPARE(m.quits, 1);
    f.close();
    QVERIFY(!f.popup());
    QCOMPARE(m.quits, 2);
}

void Form1Test::minimiseHidesEveryWindow()
{
    Main m;
    Form1& f = m.load();
    f.show();
    QDialog editor(&f);
    QWidget report; // the combination report is a plain window, not a dialog
    editor.show();
    report.show();
    f.minimiseOrShow();
    QVERIFY(!f.isVisible() && !editor.isVisible() && !report.isVisible());
    QCOMPARE(ui(f).zx->text(), QStringLiteral("显示Quillbox"));
    f.minimiseOrShow();
    QVERIFY(f.isVisible());
    QCOMPARE(ui(f).zx->text(), QStringLiteral("最小化"));
}

void Form1Test::skinsKeepTheLastPictureAndPreferSharpOnes()
{
    Main m;
    Form1& f = m.load();
    PictureBox& tile = *ui(f).Picture1[0];
    QCOMPARE(tile.pictureName(), QStringLiteral("pnl11.jpg"));
    // A lit tile whose picture has gone from disk keeps the picture it had.
    std::filesystem::remove(m.app.state.appDir / "skin" / "pnl12.jpg");
    f.Picture1_MouseMove(0, Qt::NoButton, 500, 500);
    QCOMPARE(tile.pictureName(), QStringLiteral("pnl11.jpg"));
    QVERIFY(tile.hasPicture());
    // An unreadable picture (not a picture at all) likewise.
    {
        QFile broken(QString::fromStdString((m.app.state.appDir / "skin" / "pnl13.jpg").string()));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
    }
    QVERIFY(!showSkin(tile, m.app.state.appDir, QStringLiteral("pnl13.jpg")));
    QCOMPARE(tile.pictureName(), QStringLiteral("pnl11.jpg"));
    // On a dense screen the @2x picture is read when it is there, else the plain one.
    QImage sharp(48, 48, QImage::Format_RGB32);
    sharp.fill(Qt::red);
    QVERIFY(
        sharp.save(QString::fromStdString((m.app.state.appDir / "skin" / "pnl11@2x.jpg").string()), "JPG"));
    const QPixmap dense = readPicture(skinPath(m.app.state.appDir, QStringLiteral("pnl11.jpg")), 2.0);
    QCOMPARE(dense.size(), QSize(48, 48));
    QCOMPARE(dense.devicePixelRatio(), 2.0);
    QCOMPARE(readPicture(skinPath(m.app.state.appDir, QStringLiteral("pnl11.jpg")), 1.0).size(),
             QSize(24, 24));
    QCOMPARE(readPicture(skinPath(m.app.state.appDir, QStringLiteral("pnl21.jpg")), 2.0).size(),
             QSize(24, 24));
}

void Form1Test::accessibleNames()
{
    Main m;
    m.app.file(0, 0, 0, "word", 5);
    Form1& f = m.load();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QStringList tiles{"办公", "娱乐", "网络", "学习", "系统", "程序组合", "预留"};
    for (int i = 0; i < Form1::kTiles; ++i) {
        QAccessibleInterface* a =
            QAccessible::queryAccessibleInterface(ui(f).Picture1[static_cast<std::size_t>(i)]);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Name), tiles[i]);
        QCOMPARE(a->text(QAccessible::Description), QStringLiteral("pnl11.jpg"));
    }
    QAccessibleInterface* icon = QAccessible::queryAccessibleInterface(ui(f).Picture2[0]);
    QCOMPARE(icon->text(QAccessible::Name), QStringLiteral("word标题"));
    QCOMPARE(icon->text(QAccessible::Description), QStringLiteral("/opt/word.exe"));
    QCOMPARE(QAccessible::queryAccessibleInterface(ui(f).Image3[2])->text(QAccessible::Description),
             QStringLiteral("pnl331.jpg"));
    QCOMPARE(QAccessible::queryAccessibleInterface(ui(f).Image3[2])->text(QAccessible::Name),
             QStringLiteral("网络"));
    QCOMPARE(QAccessible::queryAccessibleInterface(ui(f).Image2[2])->text(QAccessible::Name),
             QStringLiteral("打开 网络"));
    QCOMPARE(QAccessible::queryAccessibleInterface(ui(f).Image4)->text(QAccessible::Name),
             QStringLiteral("软件介绍"));
    QCOMPARE(QAccessible::queryAccessibleInterface(ui(f).Label3)->text(QAccessible::Name),
             QStringLiteral("Quillbox"));
    f.Image2_MouseMove(0, Qt::NoButton, 100, 500);
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(f.popup()->Picture1[0]);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("word标题"));
    QCOMPARE(cell->text(QAccessible::Description), QStringLiteral("/opt/word.exe"));
    // An empty column's icon names nothing.
    QCOMPARE(QAccessible::queryAccessibleInterface(f.popup()->Picture1[1])->text(QAccessible::Name),
             QString());
}

QTEST_MAIN(Form1Test)
#include "test_form1.moc"
