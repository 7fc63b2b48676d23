// The program's windows wired to its core, against the fake desktop: presses and releases on the
// tiles and on the category window's icons, auto-hide, snapping, yc / zx and the tray's clicks.
// Screen 1024 x 768 pixels: width 15360 twips, docked right at 13485, hidden right at 15260.

#include "app/StartUpFiles.h"
#include "app/Wiring.h"
#include "catwin/Form3.h"
#include "catwin/Menu1.h"
#include "core/Launcher.h"
#include "mainwin/Form1.h"
#include "mainwin/TrayIcon.h"
#include "settings/Form4.h"
#include "tests/support/Form1Controls.h"
#include "tests/support/Form3Controls.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/PictureBox.h"

#include "tests/support/Wave.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <QPushButton>
#include <QFrame>
#include <QMenu>
#include <QtTest>

#include <tuple>

using namespace qbx;
using namespace qbx::testing;

namespace {

constexpr int W = 15360;

struct Rig : WindowApp {
    Launcher launcher{state, desktop};
    std::unique_ptr<Form1> form;
    std::unique_ptr<Wiring> wiring;
    // Start-up mode and main-window delay as the settings file gives them. Start-up reads the
    // files on its thread while the window builds its controls, as the program does; `read` runs
    // once they are read, before the window loads.
    void load(int startMode, int mainDelay = 3000, const std::function<void()>& read = {})
    {
        writeSetting("基本设置", "启动", startMode);
        writeSetting("自动隐藏时间", "主窗口", mainDelay);
        writeSkins();
        StartUpFiles files(launcher, Form1::picturesShownFirst(state.appDir), Form1::programsShownFirst, 1.0);
        form = std::make_unique<Form1>(launcher);
        files.finish();
        if (read)
            read();
        form->load();
        wiring = std::make_unique<Wiring>(launcher, *form);
        form->show();
    }
    void place(int leftPx, int topPx) { form->move(leftPx, topPx); }
    void clickTile(int i, Qt::MouseButton b = Qt::LeftButton)
    {
        PictureBox* tile = ui(*form).Picture1[static_cast<std::size_t>(i)];
        QTest::mousePress(tile, b, {}, QPoint(10, 10));
        QTest::mouseRelease(tile, b, {}, QPoint(10, 10));
    }
    Form3& openCategoryWindow(int major, int minor)
    {
        state.sel.curMajor = static_cast<std::int16_t>(major);
        state.sel.curMinor = static_cast<std::int16_t>(minor);
        Form3& f3 = form->form3();
        f3.openAndFill(minor, QString());
        return f3;
    }
};

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    void tileClickStartsAndCounts();
    void picturesReadAheadAreTheOnesShown();
    void tileButtons();
    void pressesPlayTheClickSound();
    void categoryIconStartsAndClosesWindows();
    void categoryPressLooksSunken();
    void timer1HidesWhenPointerOnePixelRight();
    void snappingOnMoves();
    void ycAndZxThroughTheMenu();
    void anotherStartBringsTheWindowBack();
    void trayDoubleClicks();
    void windowPulledBackByTheWindowManagerStillCountsAsHidden();
    void systemSettingsApplyAtOnceAndRestoreTheTimers();
    void commandMenuEnableRules();
    void commandMenuActsOnItsOwnEntry();
    void takeOutFromTheMenu();
    void firstStartAsksOnceToFileTheApplications();
};

namespace {

// What can be chosen in the command menu now, by item name.
QStringList usable(const Menu1& m)
{
    QStringList names;
    for (QAction* a : {m.dk, m.tj, m.th, m.gg, m.sc, m.bt, m.mll->menuAction(), m.qb, m.sx, m.zh})
        if (a->isEnabled())
            names << (a == m.mll->menuAction() ? QStringLiteral("mll") : a->objectName());
    return names;
}

QStringList listed(const Menu1& m)
{
    QStringList captions;
    for (QAction* a : m.qd1)
        if (a->isVisible())
            captions << a->text();
    return captions;
}

} // namespace

void ProgramTest::tileClickStartsAndCounts()
{
    Rig r;
    r.writeRecord(r.file(0, 0, 0, "Alpha", 4, 1));
    r.writeRecord(r.file(0, 0, 1, "Beta", 4, 2));
    r.load(1);
    r.clickTile(0);
    QCOMPARE(r.desktop.started, QStringList{"/opt/Alpha.exe"});
    QCOMPARE(r.record(1)->useCounter, 5);
    QCOMPARE(ui(*r.form).Picture1[0]->pictureName(), QString("pnl11.jpg"));
    // Beta overtakes Alpha: the tile shows the new favourite at once.
    QCOMPARE(ui(*r.form).Picture2[0]->accessibleDescription(), QString("/opt/Alpha.exe"));
    r.launcher.startProgram(0, 0, 1);
    r.launcher.startProgram(0, 0, 1);
    QCOMPARE(ui(*r.form).Picture2[0]->accessibleDescription(), QString("/opt/Beta.exe"));
}

void ProgramTest::picturesReadAheadAreTheOnesShown()
{
    // The tile's skin was decoded on the start-up thread: the window shows that picture, not a
    // second reading of its file (here spoilt since, with its size and time kept).
    Rig r;
    r.load(1, 3000, [&r] {
        const std::filesystem::path skin = r.state.appDir / "skin" / "pnl11.jpg";
        const auto size = std::filesystem::file_size(skin);
        const auto time = std::filesystem::last_write_time(skin);
        std::filesystem::resize_file(skin, 0);
        std::filesystem::resize_file(skin, size);
        std::filesystem::last_write_time(skin, time);
    });
    QVERIFY(ui(*r.form).Picture1[0]->hasPicture());
    QCOMPARE(ui(*r.form).Picture1[0]->pictureName(), QString("pnl11.jpg"));
}

void ProgramTest::tileButtons()
{
    Rig r;
    r.writeRecord(r.file(1, 0, 0, "Fav", 2, 1));
    r.writeRecord(r.file(0, 1, 0, "Elsewhere", 9, 2)); // tile 0's first minor category stays empty
    r.load(1);
    Selection& sel = r.state.sel;
    // Any press shows the pressed look; a middle release only brings back the rest look.
    sel = {};
    sel.curMajor = 3;
    sel.curMinor = 2;
    sel.curSlot = 1;
    r.clickTile(1, Qt::MiddleButton);
    QCOMPARE(ui(*r.form).Picture1[1]->pictureName(), QString("pnl11.jpg"));
    QVERIFY(r.desktop.started.isEmpty());
    QCOMPARE(std::make_tuple(int(sel.curMajor), int(sel.curMinor), int(sel.curSlot)),
             std::make_tuple(3, 2, 1));
    QTest::mousePress(ui(*r.form).Picture1[1], Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(ui(*r.form).Picture1[1]->pictureName(), QString("pnl13.jpg"));
    // A right release selects the tile's first minor category and starts nothing.
    QTest::mouseRelease(ui(*r.form).Picture1[1], Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(std::make_tuple(int(sel.curMajor), int(sel.curMinor), int(sel.curSlot)),
             std::make_tuple(1, 0, 0));
    QCOMPARE(ui(*r.form).Picture1[1]->pictureName(), QString("pnl11.jpg"));
    QVERIFY(r.desktop.started.isEmpty());
    // A left release on a tile without a favourite starts nothing and keeps the pressed look.
    sel.curMinor = 3;
    sel.curSlot = 4;
    r.clickTile(0);
    QVERIFY(r.desktop.started.isEmpty());
    QCOMPARE(ui(*r.form).Picture1[0]->pictureName(), QString("pnl13.jpg"));
    QCOMPARE(std::make_tuple(int(sel.curMinor), int(sel.curSlot)), std::make_tuple(0, 0));
    // Only a left click on tile 6 says that it comes later; tile 5 starts no program. A left
    // release selects the first entry, whichever the tile.
    r.clickTile(6, Qt::RightButton);
    r.clickTile(6, Qt::MiddleButton);
    sel.curSlot = 3;
    r.clickTile(5);
    QCOMPARE(std::make_tuple(int(sel.curMajor), int(sel.curSlot)), std::make_tuple(6, 0));
    QVERIFY(r.desktop.messages.isEmpty());
    // Without a combination to launch, tile 5 keeps its pressed look too.
    QCOMPARE(ui(*r.form).Picture1[5]->pictureName(), QString("pnl13.jpg"));
    r.clickTile(6);
    QCOMPARE(r.desktop.messages, QStringList{"下一个版本才有呢！"});
    QCOMPARE(ui(*r.form).Picture1[6]->pictureName(), QString("pnl11.jpg"));
    QVERIFY(r.desktop.started.isEmpty());
}

void ProgramTest::pressesPlayTheClickSound()
{
    Rig r;
    writeWave(QString::fromStdString((r.state.appDir / "click.wav").string()));
    r.writeRecord(r.file(0, 0, 0, "Alpha", 6, 1));
    r.load(1);
    QCOMPARE(r.wiring->clickSound().soundsStarted(), 0);
    QTest::mousePress(ui(*r.form).Picture1[3], Qt::MiddleButton, {}, QPoint(10, 10));
    QCOMPARE(r.wiring->clickSound().soundsStarted(), 1);
    QCOMPARE(r.wiring->clickSound().soundFile(),
             QString::fromStdString((r.state.appDir / "click.wav").string()));
    // A press on an icon of the category window plays the same sound again.
    QTest::mousePress(ui(r.openCategoryWindow(0, 0)).Picture1[0], Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(r.wiring->clickSound().soundsStarted(), 2);
}

void ProgramTest::categoryIconStartsAndClosesWindows()
{
    Rig r;
    r.writeRecord(r.file(1, 0, 0, "Alpha", 6, 1));
    r.writeRecord(r.file(1, 0, 1, "Beta", 3, 2));
    r.load(1);
    r.form->setHideTimers(false); // as after a menu
    Form3& f3 = r.openCategoryWindow(1, 0);
    QVERIFY(f3.isVisible());
    const int cell = f3.slotOfCell(1) == 1 ? 1 : 3; // the cell that shows slot 1
    PictureBox* icon = ui(f3).Picture1[static_cast<std::size_t>(cell)];
    QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(r.desktop.started, QStringList{"/opt/Beta.exe"});
    QCOMPARE(r.record(2)->useCounter, 4);
    QVERIFY(r.form->categoryWindow() == nullptr);
    QVERIFY(!ui(*r.form).Timer1.isEnabled()); // auto-hide is off: a start does not switch it on
    QVERIFY(ui(*r.form).Timer2.isEnabled());

    // The reserved category: the message, and the timers on again.
    r.form->setHideTimers(false);
    Form3& again = r.openCategoryWindow(6, 0);
    QTest::mouseClick(ui(again).Picture1[0], Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(r.desktop.messages, QStringList{"下个版本才有呢!"});
    QVERIFY(ui(*r.form).Timer2.isEnabled());

    // A click on an empty cell starts nothing and leaves the timers off.
    r.form->setHideTimers(false);
    Form3& empty = r.openCategoryWindow(1, 3);
    QTest::mouseClick(ui(empty).Picture1[2], Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(r.desktop.started.size(), 1);
    QVERIFY(!ui(*r.form).Timer2.isEnabled());
}

void ProgramTest::categoryPressLooksSunken()
{
    Rig r;
    r.writeRecord(r.file(0, 0, 0, "Alpha", 6, 1));
    r.load(1);
    Form3& f3 = r.openCategoryWindow(0, 0);
    PictureBox* icon = ui(f3).Picture1[2];
    QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(5, 5));
    auto* look = icon->findChild<QFrame*>();
    QVERIFY(look && look->isVisible());
    QCOMPARE(look->frameShadow(), QFrame::Sunken);
    // A right release (for the command menu) selects the cell's slot and starts nothing.
    QTest::mouseRelease(icon, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(int(r.state.sel.curSlot), f3.slotOfCell(2));
    QVERIFY(r.desktop.started.isEmpty());
    QVERIFY(r.form->categoryWindow() != nullptr);
}

void ProgramTest::timer1HidesWhenPointerOnePixelRight()
{
    Rig r;
    r.load(4); // at the top-left corner with auto-hide on
    QCOMPARE(r.form->leftTwips(), 0);
    QVERIFY(ui(*r.form).Timer1.isEnabled());
    r.desktop.setCursorPos(QPoint(125, 200));
    r.form->autoHide().Timer1_Timer();
    QCOMPARE(r.form->leftTwips(), 0);
    r.desktop.setCursorPos(QPoint(126, 200));
    r.form->autoHide().Timer1_Timer();
    QCOMPARE(r.form->leftTwips(), -1775);
    QCOMPARE(r.form->x(), -118);
    // Hidden: the timer rests; the pointer on the strip brings the window back and wakes it.
    r.form->autoHide().Timer1_Timer();
    QVERIFY(!ui(*r.form).Timer1.isArmed());
    r.form->Form_MouseMove();
    QCOMPARE(r.form->leftTwips(), 0);
    QVERIFY(ui(*r.form).Timer1.isArmed());
    // The delay through the event loop.
    Rig quick;
    quick.load(4, 40);
    quick.desktop.setCursorPos(QPoint(500, 500));
    QTRY_COMPARE(quick.form->leftTwips(), -1775);
}

void ProgramTest::snappingOnMoves()
{
    Rig r;
    r.load(1);
    r.place(20, 60); // left 300 twips
    QTRY_COMPARE(r.form->pos(), QPoint(0, 60));
    r.place(-4, 10); // left -60, top 150: only the top snaps
    QTRY_COMPARE(r.form->pos(), QPoint(-4, 0));
    r.place(885, 60); // 13275 twips, within 500 of docked right
    QTRY_COMPARE(r.form->leftTwips(), W - 1875);
}

void ProgramTest::ycAndZxThroughTheMenu()
{
    Rig r;
    r.load(1);
    QCOMPARE(ui(*r.form).yc->text(), QString("自动隐藏"));
    r.form->moveTwips(600, 1500);
    ui(*r.form).yc->trigger();
    QCOMPARE(r.form->leftTwips(), -1775);
    QCOMPARE(ui(*r.form).yc->text(), QString("不自动隐藏"));
    QVERIFY(ui(*r.form).Timer1.isEnabled());
    // Hidden at the right edge, auto-hide switched off: docked right.
    r.form->moveTwips(W - 100, 1500);
    ui(*r.form).yc->trigger();
    QCOMPARE(r.form->leftTwips(), W - 1875);
    QCOMPARE(ui(*r.form).yc->text(), QString("自动隐藏"));
    QVERIFY(!ui(*r.form).Timer1.isEnabled());
    // Minimise and show again: the category window's timer on afterwards, the main window's as
    // auto-hide says (off). Every other window of the program goes too.
    r.form->setHideTimers(false);
    QDialog editor;
    editor.show();
    ui(*r.form).zx->trigger();
    QVERIFY(!r.form->isVisible());
    QVERIFY(!editor.isVisible());
    QCOMPARE(ui(*r.form).zx->text(), QString("显示Quillbox"));
    ui(*r.form).zx->trigger();
    QVERIFY(r.form->isVisible());
    QCOMPARE(ui(*r.form).zx->text(), QString("最小化"));
    QVERIFY(!ui(*r.form).Timer1.isEnabled());
    QVERIFY(ui(*r.form).Timer2.isEnabled());
}

void ProgramTest::anotherStartBringsTheWindowBack()
{
    Rig r;
    r.load(3); // off screen
    r.form->bringBack();
    QCOMPARE(r.form->leftTwips(), 0);
    QVERIFY(r.form->isVisible());
    // Minimised while hidden at the right edge: shown, docked there.
    r.form->moveTwips(W - 100, 1500);
    ui(*r.form).zx->trigger();
    QVERIFY(!r.form->isVisible());
    r.form->bringBack();
    QVERIFY(r.form->isVisible());
    QCOMPARE(r.form->leftTwips(), W - 1875);
    QCOMPARE(ui(*r.form).zx->text(), QString("最小化"));

    // The screen grows and shrinks again: the column stays hidden, then docked, at the right.
    r.desktop.setScreenGeometry(QRect(0, 0, 1280, 1024));
    r.form->moveTwips(W - 100, 1500);
    r.form->screenResized();
    QCOMPARE(r.form->leftTwips(), 1280 * 15 - 100);
    r.form->moveTwips(1280 * 15 - 1875, 1500);
    r.desktop.setScreenGeometry(QRect(0, 0, 1024, 768));
    r.form->screenResized();
    QCOMPARE(r.form->leftTwips(), W - 1875);
}

void ProgramTest::trayDoubleClicks()
{
    Rig r;
    r.load(1);
    r.form->setHideTimers(false);
    TrayIcon* tray = r.form->trayIcon();
    QVERIFY(tray);
    emit tray->activated(QSystemTrayIcon::Trigger); // a single click: nothing
    QVERIFY(r.form->isVisible());
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(!r.form->isVisible());
    QCOMPARE(ui(*r.form).zx->text(), QString("显示Quillbox"));
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(r.form->isVisible());
    QVERIFY(!ui(*r.form).Timer1.isEnabled()); // auto-hide is off
    QVERIFY(ui(*r.form).Timer2.isEnabled());
    // A dialog waiting for an answer goes and comes back with the column, still waiting.
    QDialog question;
    bool minimised = false, back = false;
    QTimer::singleShot(0, &question, [&] {
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        minimised = !r.form->isVisible() && question.isMinimized();
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        back = r.form->isVisible() && question.isVisible() && !question.isMinimized();
        question.accept();
    });
    QCOMPARE(question.exec(), int(QDialog::Accepted));
    QVERIFY(minimised);
    QVERIFY(back);
    // A right click pops up "操作"; the main window's timer held off (by another menu) does not
    // switch auto-hide off.
    ui(*r.form).yc->trigger();
    ui(*r.form).Timer1.setEnabled(false);
    emit tray->activated(QSystemTrayIcon::Context);
    QCOMPARE(ui(*r.form).yc->text(), QString("不自动隐藏"));
    QTRY_VERIFY(ui(*r.form).cz->isVisible());
    ui(*r.form).cz->hide();
}

void ProgramTest::firstStartAsksOnceToFileTheApplications()
{
    const QString question = QStringLiteral("分类中还没有软件。要把本机已安装的应用程序按类别加入分类吗？");
    // No applications installed: nothing to ask.
    {
        Rig r;
        r.load(1);
        QTest::qWait(20);
        QVERIFY(r.desktop.confirms.isEmpty());
    }
    // Asked once after the window shows; no files nothing, and no second start asks again.
    Rig r;
    r.desktop.installed = {{QStringLiteral("/nonexistent/app.desktop"),
                            QStringLiteral("app"),
                            QStringLiteral("App"),
                            QString(),
                            {QStringLiteral("Game")}}};
    r.desktop.setNextAnswer(false);
    r.load(1);
    QTRY_COMPARE(r.desktop.confirms, QStringList{question});
    QCOMPARE(r.state.settings.ycount, 0);
    Rig again;
    again.state.appDir = r.state.appDir;
    again.desktop.installed = r.desktop.installed;
    again.load(1);
    QTest::qWait(20);
    QVERIFY(again.desktop.confirms.isEmpty());
}

QTEST_MAIN(ProgramTest)

void ProgramTest::windowPulledBackByTheWindowManagerStillCountsAsHidden()
{
    Rig r;
    r.load(4); // at the top-left corner with auto-hide on
    r.form->moveTwips(W - 1875, 0);
    QCOMPARE(ui(*r.form).yc->text(), QString("不自动隐藏"));
    // Hidden at the right edge; a window manager that keeps part of every window on screen
    // leaves 12 pixels instead of the 7 asked for.
    r.form->moveTwips(W - 100, 0);
    r.place(1024 - 12, 0);
    QCOMPARE(r.form->leftTwips(), W - 100);
    // Switching auto-hide off brings it back flush with the right edge.
    ui(*r.form).yc->trigger();
    QCOMPARE(ui(*r.form).yc->text(), QString("自动隐藏"));
    QCOMPARE(r.form->leftTwips(), W - 1875);
    // A later move is read as it is.
    r.place(400, 300);
    QCOMPARE(r.form->leftTwips(), 400 * 15);
}

void ProgramTest::systemSettingsApplyAtOnceAndRestoreTheTimers()
{
    Rig r;
    r.desktop.setStartAtLoginResult(false);
    r.load(4, 5000); // auto-hide on
    // The menu button switched both timers off before the dialog opens.
    r.form->setHideTimers(false);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* form4 = qobject_cast<Form4*>(QApplication::activeModalWidget());
        QVERIFY(form4);
        // Opening told the entry that could not be written, once.
        QCOMPARE(r.desktop.messages,
                 QStringList{"无法写入开机启动项“fake-autostart”，开机启动的方式没有改变。"});
        form4->Combo1->setCurrentIndex(1);
        emit form4->Combo1->activated(1);
        QCOMPARE(ui(*r.form).Timer1.interval(), 2000);
        QVERIFY(!ui(*r.form).Timer1.isEnabled());
        seen = true;
        form4->Command1->click();
    });
    ui(*r.form).xt->trigger();
    QVERIFY(seen);
    QCOMPARE(int(r.state.settings.mainHideDelayMs), 2000);
    QVERIFY(ui(*r.form).Timer1.isEnabled());
    QVERIFY(ui(*r.form).Timer2.isEnabled());

    // Closed another way: once nothing is open, both timers run again as auto-hide says.
    r.form->setHideTimers(false);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    ui(*r.form).xt->trigger();
    QVERIFY(ui(*r.form).Timer1.isEnabled());
    QTRY_VERIFY(ui(*r.form).Timer2.isEnabled());
}

void ProgramTest::commandMenuEnableRules()
{
    Rig r;
    r.writeRecord(r.file(0, 0, 0, "Alpha", 6, 1));
    r.writeRecord(r.file(0, 0, 1, "Beta", 4, 2));
    r.writeRecord(r.file(0, 0, 2, "Gamma", 2, 3));
    r.load(1);
    Menu1* menu = r.form->findChild<Menu1*>();
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("菜单1"));
    const QStringList all{"dk", "tj", "th", "gg", "sc", "bt", "mll", "qb", "sx"};

    // A tile with a favourite: everything but the combination editor, the timers left running.
    r.form->setHideTimers(true);
    r.clickTile(0, Qt::RightButton);
    QCOMPARE(usable(*menu), all);
    QCOMPARE(listed(*menu), (QStringList{"1 Alpha", "2 Beta", "3 Gamma"}));
    QVERIFY(ui(*r.form).Timer2.isEnabled());
    menu->close();

    // Tile 5: only "打开" and "程序组合"; tile 6 afterwards gets "添加软件" and "该类全部" back.
    r.clickTile(5, Qt::RightButton);
    QCOMPARE(usable(*menu), (QStringList{"dk", "zh"}));
    menu->close();
    r.clickTile(6, Qt::RightButton);
    QCOMPARE(usable(*menu), (QStringList{"dk", "tj", "qb"}));
    QCOMPARE(listed(*menu), QStringList{QString()}); // the first item stays, without a caption
    menu->close();

    // An empty cell of the category window: "打开" and "添加软件"; the timers stop.
    Form3& f3 = r.openCategoryWindow(0, 0);
    const int cell = f3.slotOfCell(4) == 4 ? 4 : 0;
    QTest::mouseClick(ui(f3).Picture1[static_cast<std::size_t>(cell)], Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(usable(*menu), (QStringList{"dk", "tj", "qb"}));
    QVERIFY(!ui(*r.form).Timer1.isEnabled());
    QVERIFY(!ui(*r.form).Timer2.isEnabled());
    // Closed without a choice: the category window's timer runs again, the main window's stays
    // off as auto-hide is.
    menu->close();
    QTRY_VERIFY(ui(*r.form).Timer2.isEnabled());
    QVERIFY(!ui(*r.form).Timer1.isEnabled());
}

void ProgramTest::commandMenuActsOnItsOwnEntry()
{
    Rig r;
    r.writeRecord(r.file(2, 0, 0, "Alpha", 6, 1));
    r.writeRecord(r.file(2, 0, 1, "Beta", 4, 2));
    r.writeRecord(r.file(2, 3, 0, "Other", 9, 3));
    r.load(1);
    Menu1* menu = r.form->findChild<Menu1*>();
    // The pop-up last showed another column: the tile's menu still acts on the tile's favourite.
    r.state.sel.popupColumn = 3;
    r.clickTile(2, Qt::RightButton);
    emit menu->mll->aboutToShow();
    emit menu->mll->aboutToShow(); // one folder an opening of the menu
    QCOMPARE(r.desktop.folders, QStringList{"/opt/Alpha.exe"});
    menu->sx->trigger();
    QCOMPARE(r.desktop.properties, QStringList{"/opt/Alpha.exe"});
    // An item of the folder's list starts that slot and counts it.
    menu->qd1[1]->trigger();
    QCOMPARE(r.desktop.started, QStringList{"/opt/Beta.exe"});
    QCOMPARE(r.record(2)->useCounter, 5);
    menu->close();

    // "打开" from a cell starts the cell's program and closes the windows.
    // (The start re-sorted the minor categories of the major: Other's may have moved.)
    int column = 0;
    while (column < 4 && r.state.catalogue.at(2, column, 0).name != "Other")
        ++column;
    Form3& f3 = r.openCategoryWindow(2, column);
    QTest::mouseClick(ui(f3).Picture1[static_cast<std::size_t>(f3.anchorCell())], Qt::RightButton, {},
                      QPoint(5, 5));
    menu->dk->trigger();
    QCOMPARE(r.desktop.started.last(), QStringLiteral("/opt/Other.exe"));
    QVERIFY(r.form->categoryWindow() == nullptr);
}

void ProgramTest::takeOutFromTheMenu()
{
    Rig r;
    r.writeRecord(r.file(1, 0, 0, "Alpha", 6, 1));
    r.writeRecord(r.file(1, 0, 1, "Beta", 4, 2));
    r.writeSetting("基本设置", "ycount", 2);
    r.writeSetting("基本设置", "wcount", 1);
    {
        UnclassifiedEntry taken;
        taken.name = "Kept";
        taken.recordNo = 1;
        QVERIFY(RecordFile(r.state.unclassifiedFile(), kProgramRecordLength)
                    .write(1, encodeRecord(taken).value()));
    }
    r.load(1);
    Menu1* menu = r.form->findChild<Menu1*>();
    r.clickTile(1, Qt::RightButton);
    // Cancelled at the first question: nothing happens.
    r.desktop.setNextAnswer(false);
    menu->sc->trigger();
    QCOMPARE(r.record(1)->name, std::string("Alpha"));
    // The list is full: the user hears that the program will be dropped, and may still say no.
    r.desktop.setNextAnswer(true);
    r.desktop.setNextAnswer(false);
    menu->sc->trigger();
    QCOMPARE(r.desktop.confirms.size(), 3);
    QCOMPARE(r.desktop.confirms.last(),
             QStringLiteral("未分类程序列表已满，该程序将被直接删除，不再保留。确定吗?"));
    QCOMPARE(r.record(1)->name, std::string("Alpha"));
    QCOMPARE(*r.readSetting("基本设置", "ycount"), 2);
    // Agreed: dropped, and counted out.
    menu->sc->trigger();
    QCOMPARE(*r.readSetting("基本设置", "ycount"), 1);
    QCOMPARE(r.state.catalogue.at(1, 0, 0).name, std::string("Beta"));
    menu->close();
}

#include "test_program.moc"
