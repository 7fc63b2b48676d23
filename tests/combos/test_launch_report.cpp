// Launching a combination and the report window that says what became of each member.

#include "ComboWindowFixture.h"
#include "combos/Form10.h"
#include "core/Launcher.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace qbx;
using qbx::test::ComboFixture;

class LaunchReportTest : public QObject {
    Q_OBJECT
private slots:
    void membersStartFromTheirRecordsAndTheCombinationIsCounted();
    void withoutAFirstMemberNothingHappens();
    void reportCountsDownAndClosesItself();
    void aLaunchWhileTheReportIsOpenStartsItAfresh();

private:
    static QStringList lineTexts(const Form10& w)
    {
        QStringList texts;
        for (const QLabel* l : w.lines)
            texts << l->text();
        return texts;
    }
};

void LaunchReportTest::membersStartFromTheirRecordsAndTheCombinationIsCounted()
{
    ComboFixture f;
    ProgramEntry& a = f.file(0, 0, 0, "notepad", 3);
    f.file(0, 0, 1, "calc", 5);
    ProgramEntry noPath;
    noPath.name = "ghost";
    noPath.recordNo = 7;
    f.writeRecord(noPath);
    // The catalogue's copy is not what is started: the member's record is.
    a.exePath = "/elsewhere/notepad";
    f.desktop.setStartResult(QStringLiteral("/opt/calc/calc"), false);
    f.combo(0, 0, "常用", "办公", {1}, 1);
    f.combo(1, 0, "工作", "写作", {3, 7, 5, 0, 9}, 1);
    const QByteArray programsBefore = f.bytesOf(f.state.programFile());

    Launcher launcher(f.state, f.desktop);
    std::optional<LaunchResult> result;
    connect(&launcher, &Launcher::combinationLaunched, this, [&](const LaunchResult& r) { result = r; });
    QVERIFY(launcher.launchCombination(1, 0));
    QVERIFY(result.has_value());
    QCOMPARE(f.desktop.started, (QStringList{"/opt/notepad/notepad", "/opt/calc/calc"}));

    Form10 w;
    w.showReport(*result, QRect(0, 0, 1280, 1024));
    QCOMPARE(lineTexts(w),
             (QStringList{"程序1 notepad启动成功！", "程序2 没有安排程序。", "程序3 calc启动失败！",
                          "程序4 没有安排程序。", "程序5 没有安排程序。"}));

    // The combination was counted and, now used more, moved ahead of the other group; the
    // members' own records are untouched.
    QCOMPARE(f.state.combos.at(0, 0).name, std::string("写作"));
    QCOMPARE(f.state.combos.at(0, 0).useCounter, 2);
    AppState disk;
    disk.appDir = f.state.appDir;
    loadAll(disk);
    QCOMPARE(disk.combos.at(0, 0).name, std::string("写作"));
    QCOMPARE(disk.combos.at(0, 0).useCounter, 2);
    QCOMPARE(disk.combos.at(1, 0).name, std::string("办公"));
    QCOMPARE(f.bytesOf(f.state.programFile()), programsBefore);
}

void LaunchReportTest::withoutAFirstMemberNothingHappens()
{
    ComboFixture f;
    f.file(0, 0, 0, "notepad", 3);
    ComboEntry& c = f.combo(0, 0, "常用", "办公", {0, 3, 3});
    const QByteArray before = f.bytesOf(f.state.comboFile());
    Launcher launcher(f.state, f.desktop);
    int told = 0;
    connect(&launcher, &Launcher::combinationLaunched, this, [&] { ++told; });
    QVERIFY(!launcher.launchCombination(0, 0));
    QCOMPARE(told, 0);
    QVERIFY(f.desktop.started.isEmpty());
    QCOMPARE(c.useCounter, 1);
    QCOMPARE(f.bytesOf(f.state.comboFile()), before);
    QVERIFY(!LaunchCombination(f.state, f.desktop, 5, 0).has_value());
}

void LaunchReportTest::reportCountsDownAndClosesItself()
{
    ComboFixture f;
    QPointer<Form10> w = new Form10();
    LaunchResult result;
    result[1] = {MemberLaunch::Outcome::Started, "calc"};
    // The column stands on a second monitor right of the primary: the report opens at its corner.
    w->showReport(result, QRect(1280, 0, 1920, 1080));
    QVERIFY(w->isVisible());
    QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(w->frameGeometry().right(), 3199);
    QCOMPARE(w->frameGeometry().top(), 0);
    QCOMPARE(w->windowTitle(), QStringLiteral("程序组合启动报告"));
    QCOMPARE(w->Label1->text(), QStringLiteral("程序组合启动完毕！"));
    QCOMPARE(w->Timer1.interval(), 1000);
    QVERIFY(w->Timer1.isActive());

    QStringList countdown;
    for (int tick = 1; tick <= 4; ++tick) {
        w->Timer1_Timer();
        countdown << w->Label7->text();
    }
    QCOMPARE(countdown, (QStringList{"", "3秒后该窗口关闭！", "2秒后该窗口关闭！", "1秒后该窗口关闭！"}));
    QVERIFY(w->isVisible());
    w->Timer1_Timer();
    QCOMPARE(w->Label7->text(), QStringLiteral("0秒后该窗口关闭！"));
    QVERIFY(!w->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull());
}

void LaunchReportTest::aLaunchWhileTheReportIsOpenStartsItAfresh()
{
    ComboFixture f;
    QPointer<Form10> w = new Form10();
    LaunchResult first;
    first[0] = {MemberLaunch::Outcome::Started, "notepad"};
    first[4] = {MemberLaunch::Outcome::Failed, "calc"};
    w->showReport(first, QRect(0, 0, 1280, 1024));
    w->Timer1_Timer();
    w->Timer1_Timer();
    // "再看一下" stops the countdown and clears its line.
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(!w->Timer1.isActive());
    QCOMPARE(w->Label7->text(), QString());

    LaunchResult second;
    second[1] = {MemberLaunch::Outcome::Started, "paint"};
    w->showReport(second, QRect(0, 0, 1280, 1024));
    QCOMPARE(lineTexts(*w),
             (QStringList{"程序1 没有安排程序。", "程序2 paint启动成功！", "程序3 没有安排程序。",
                          "程序4 没有安排程序。", "程序5 没有安排程序。"}));
    QVERIFY(w->Timer1.isActive());
    QVERIFY(w->firstTick());

    // "关闭窗口" closes it.
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull());
}

QTEST_MAIN(LaunchReportTest)
#include "test_launch_report.moc"
