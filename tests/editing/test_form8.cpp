// The change-title dialog against the core's program folder: its controls, the typing limit, and
// what "确定", "清除标题" and "取消" write; a title GBK cannot hold is refused before any write.

#include "editing/Form8.h"
#include "tests/support/EditorFixture.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace qbx;
using namespace qbx::test;

class Form8Test : public QObject {
    Q_OBJECT
private slots:
    void loadsTheProgramAndLimitsTyping();
    void okWritesTheTitleAndClosesTheWindows();
    void clearWritesAnEmptyTitle();
    void titleGbkCannotHoldIsRefused();
};

namespace {

struct Fixture : EditorFixture {
    std::unique_ptr<Form8> dialog;
    Fixture()
    {
        put(1, 2, 3, "alpha", 4);
        dialog = std::make_unique<Form8>(launcher, link, 1, 2, 3);
        dialog->show();
    }
    std::string storedTitle() const { return programRecord(4).title; }
};

} // namespace

void Form8Test::loadsTheProgramAndLimitsTyping()
{
    Fixture f;
    Form8& d = *f.dialog;
    QCOMPARE(d.windowTitle(), QStringLiteral("更改标题"));
    QCOMPARE(d.Label1->text(), QStringLiteral("给该程序起个好听的标题！"));
    QCOMPARE(d.Label2->text(), QStringLiteral("alpha"));
    QCOMPARE(d.Text1->text(), QStringLiteral("alp"));
    QCOMPARE(d.Command1->text(), QStringLiteral("确定"));
    QCOMPARE(d.Command3->text(), QStringLiteral("清除标题"));
    QCOMPARE(d.Command2->text(), QStringLiteral("取消"));
    QCOMPARE(d.Text1->geometry(), twipRect(1313, 1320, 1695, 465));
    QCOMPARE(d.Command3->geometry(), twipRect(1673, 2280, 975, 375));
    QVERIFY(d.Text1->font().bold());

    d.Text1->clear();
    QTest::keyClicks(d.Text1, QStringLiteral("abcdefg"));
    QCOMPARE(d.Text1->text(), QStringLiteral("abcde"));

    // "取消" closes the dialog only.
    QTest::mouseClick(d.Command2, Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(f.storedTitle(), std::string("alp"));
    QCOMPARE(f.link.popupsClosed, 0);
}

void Form8Test::okWritesTheTitleAndClosesTheWindows()
{
    Fixture f;
    f.dialog->Text1->setText(QStringLiteral("新标题"));
    QTest::mouseClick(f.dialog->Command1, Qt::LeftButton);
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.storedTitle(), std::string("新标题"));
    QCOMPARE(f.state.catalogue.at(1, 2, 3).title, std::string("新标题"));
    QCOMPARE(f.programRecord(4).description, std::string("about alpha")); // the description stays
    QCOMPARE(f.link.popupsClosed, 1);
    QVERIFY(f.link.categoryTimer); // the hide timers run again
    QVERIFY(f.desktop.messages.isEmpty());
}

void Form8Test::clearWritesAnEmptyTitle()
{
    Fixture f;
    QTest::mouseClick(f.dialog->Command3, Qt::LeftButton);
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.storedTitle(), std::string());
    QCOMPARE(f.link.popupsClosed, 1);
    QVERIFY(!f.link.categoryTimer); // the timers are left as they are
}

void Form8Test::titleGbkCannotHoldIsRefused()
{
    Fixture f;
    f.dialog->Text1->setText(QStringLiteral("a😀"));
    QTest::mouseClick(f.dialog->Command1, Qt::LeftButton);
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("程序标题含有无法保存的字符（GBK 无法表示）")});
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.storedTitle(), std::string("alp"));
    QCOMPARE(f.state.catalogue.at(1, 2, 3).title, std::string("alp"));
    QCOMPARE(f.link.popupsClosed, 0);
}

QTEST_MAIN(Form8Test)
#include "test_form8.moc"
