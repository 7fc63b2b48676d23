// Changing filed programs in the classification editor: taking them out (into the unclassified
// list or dropped), moving, exchanging, retitling, adding to a combination; and the first
// preparation of the unclassified list.

#include "tests/support/EditorFixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace qbx;
using namespace qbx::test;

namespace {

QByteArray fileBytes(const std::filesystem::path& p)
{
    QFile f(QString::fromStdString(p.string()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class Form6EditsTest : public QObject {
    Q_OBJECT

private slots:
    void preparesTheUnclassifiedListOnce();
    void takeOutMovesIntoFirstFreeRecord();
    void takeOutNeedsASelectionAndConsent();
    void takeOutWithFullListDropsTheProgram();
    void opensOnTheSelectedProgram();
    void changeTitleOrDescription();
    void moveToAnotherMinorCategory();
    void exchangeTwoPrograms();
    void addToCombination();
};

void Form6EditsTest::preparesTheUnclassifiedListOnce()
{
    EditorFixture f;
    QVERIFY(prepareUnclassifiedFile(f.state).ok());
    QCOMPARE(int(f.state.settings.wcount), 755);
    QCOMPARE(f.iniValue(kKeyWcount), 755);
    QCOMPARE(f.state.unclassified.count(), 755);
    QCOMPARE(std::filesystem::file_size(f.state.unclassifiedFile()), std::uintmax_t(755 * 450));
    for (int k : {1, 2, 400, 755}) {
        const ProgramEntry e = f.unclassifiedRecord(k);
        QCOMPARE(e.recordNo, k);
        QVERIFY(e.name.empty());
    }
    // Record 1 as bytes: empty strings, recordNo 1 at offset 2 + 2 + 4 + 24.
    const QByteArray bytes = fileBytes(f.state.unclassifiedFile());
    QCOMPARE(bytes.mid(0, 4), QByteArray(4, '\0'));
    QCOMPARE(bytes.mid(32, 4), QByteArray("\x01\x00\x00\x00", 4));

    // Once the key is there nothing is prepared again, and a program kept there stays.
    f.putUnclassified(3, "kept", 3);
    const QByteArray kept = fileBytes(f.state.unclassifiedFile());
    AppState again;
    again.appDir = f.state.appDir;
    readSettings(again.settingsFile(), again.settings);
    QVERIFY(prepareUnclassifiedFile(again).ok());
    QCOMPARE(fileBytes(f.state.unclassifiedFile()), kept);
    QCOMPARE(again.unclassified.count(), 755);

    // A list that exists without its key is adopted as it is.
    EditorFixture g;
    {
        std::filesystem::create_directories(g.state.appDir);
        RecordFile wf(g.state.unclassifiedFile(), kProgramRecordLength);
        QVERIFY(wf.write(3, Bytes(62, 0)).ok());
    }
    QVERIFY(prepareUnclassifiedFile(g.state).ok());
    QCOMPARE(int(g.state.settings.wcount), 3);
    QCOMPARE(g.iniValue(kKeyWcount), 3);
    QCOMPARE(std::filesystem::file_size(g.state.unclassifiedFile()), std::uintmax_t(3 * 450));

    // A key that says 0 is kept: no list is made.
    EditorFixture h;
    h.setIni(kKeyWcount, 0);
    QVERIFY(prepareUnclassifiedFile(h.state).ok());
    QCOMPARE(int(h.state.settings.wcount), 0);
    QVERIFY(!std::filesystem::exists(h.state.unclassifiedFile()));
}

void Form6EditsTest::takeOutMovesIntoFirstFreeRecord()
{
    EditorFixture f;
    QVERIFY(prepareUnclassifiedFile(f.state).ok());
    f.putUnclassified(1, "old", 1);
    ProgramEntry alpha = f.put(0, 0, 0, "alpha", 1, 4);
    f.put(0, 0, 1, "beta", 2, 2);
    f.setIni(kKeyYcount, 2);

    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(0, 0);
    QCOMPARE(w.List3->count(), 2);
    QCOMPARE(w.List3->currentRow(), 0);
    QCOMPARE(w.Text1->text(), QStringLiteral("alp"));
    f.click(w.Command6);
    QCOMPARE(f.desktop.confirms, QStringList{QStringLiteral("你确定要删除该分类吗?")});
    QVERIFY(f.desktop.messages.isEmpty());

    ProgramEntry expected = alpha;
    expected.recordNo = 2;
    QCOMPARE(f.unclassifiedRecord(2), expected);
    QCOMPARE(f.unclassifiedRecord(1).name, std::string("old"));
    QVERIFY(f.unclassifiedRecord(3).name.empty());

    QCOMPARE(w.List3->count(), 1);
    QCOMPARE(w.Text1->text(), QString());
    QCOMPARE(w.Text2->toPlainText(), QString());
    QCOMPARE(w.Label3->text(), QString());
    QCOMPARE(w.Label8->text(), QStringLiteral("共有分类软件1个！"));
    QCOMPARE(f.iniValue(kKeyYcount), 1);
    QCOMPARE(f.link.popupsClosed, 1);

    const AppState disk = f.reload();
    QCOMPARE(disk.catalogue.at(0, 0, 0).name, std::string("beta"));
    QVERIFY(disk.catalogue.at(0, 0, 1).name.empty());
    QVERIFY(f.programRecord(1).exePath.empty()); // alpha's record no longer loads
}

void Form6EditsTest::takeOutNeedsASelectionAndConsent()
{
    EditorFixture f;
    f.put(0, 0, 0, "alpha", 1);
    f.setIni(kKeyYcount, 1);
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(0, 0);
    f.desktop.setNextAnswer(false);
    f.click(w.Command6);
    QCOMPARE(f.reload().catalogue.at(0, 0, 0).name, std::string("alpha"));
    QCOMPARE(f.iniValue(kKeyYcount), 1);

    f.choose(0, 3); // an empty minor category: no row to act on
    f.click(w.Command6);
    f.click(w.Command8);
    QCOMPARE(f.desktop.messages,
             (QStringList{QStringLiteral("请先选定程序！"), QStringLiteral("请先选定程序！")}));
    QCOMPARE(f.desktop.confirms.size(), 1);
}

void Form6EditsTest::takeOutWithFullListDropsTheProgram()
{
    EditorFixture f;
    f.setIni(kKeyWcount, 2);
    f.state.unclassified.resize(2);
    f.putUnclassified(1, "one", 1);
    f.putUnclassified(2, "two", 2);
    const QByteArray list = fileBytes(f.state.unclassifiedFile());
    f.put(0, 0, 0, "alpha", 1);
    f.put(0, 0, 1, "beta", 2);
    f.setIni(kKeyYcount, 2);
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(0, 0);
    f.click(w.Command6);
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(fileBytes(f.state.unclassifiedFile()), list);
    QCOMPARE(f.iniValue(kKeyYcount), 1);
    const AppState disk = f.reload();
    QCOMPARE(disk.catalogue.at(0, 0, 0).name, std::string("beta"));
    QVERIFY(disk.catalogue.at(0, 0, 1).name.empty());
    QCOMPARE(w.List3->count(), 1);
}

void Form6EditsTest::opensOnTheSelectedProgram()
{
    EditorFixture f;
    // Minor position 0 of 娱乐 holds "其它 " (the most used), position 1 holds "游戏".
    f.put(1, 0, 0, "x", 1, 9).minorName = "其它 ";
    f.put(1, 0, 1, "y", 2, 5).minorName = "其它 ";
    f.put(1, 1, 0, "z", 3, 2).minorName = "游戏";
    // The selection stands elsewhere: the editor opens on the place it is given.
    f.state.sel.curMajor = 1;
    f.state.sel.curMinor = 1;
    f.state.sel.popupColumn = 4;
    Form6& w = f.open(Form6Mode::ExchangeCategory, ProgramPlace{1, 0, 1});
    QCOMPARE(w.List1->currentItem()->text(), QStringLiteral("娱乐"));
    QCOMPARE(w.List2->currentItem()->text(), QStringLiteral("其它 "));
    QCOMPARE(w.List3->count(), 2);
    QCOMPARE(w.List3->currentRow(), 1);
    QCOMPARE(w.Text1->text(), QStringLiteral("y"));
    QCOMPARE(w.Label3->text(), QStringLiteral("娱乐-其它  /opt/y/y"));

    // The minor names are listed in their fixed order; each shows its own programs.
    f.choose(1, 0);
    QCOMPARE(w.List3->count(), 1);
    QCOMPARE(w.List3->item(0)->text(), QStringLiteral("1 z"));

    // Nothing selected (the reserved category): the first major category is listed.
    f.state.sel.curMajor = 6;
    Form6& v = f.open(Form6Mode::ClassifyMenu);
    QCOMPARE(v.List1->currentRow(), 0);
    QCOMPARE(v.List2->currentRow(), 0);
    QCOMPARE(v.Label3->text(), QStringLiteral("办公-业务"));
}

void Form6EditsTest::changeTitleOrDescription()
{
    EditorFixture f;
    f.put(4, 0, 0, "top", 1, 9);
    f.put(4, 0, 1, "htop", 2, 2);
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(4, 0);
    w.List3->setCurrentRow(1);
    QCOMPARE(w.Label3->text(), QStringLiteral("系统-桌面 /opt/htop/htop"));
    w.Text1->setText(QStringLiteral(" 进程 "));
    w.Text2->setPlainText(QStringLiteral("看进程  "));
    f.desktop.setNextAnswer(false);
    f.click(w.Command8);
    QCOMPARE(f.programRecord(2).title, std::string("hto"));
    f.click(w.Command8);
    QCOMPARE(f.desktop.confirms.last(), QStringLiteral("确定要更改标题或说明吗！"));
    QCOMPARE(f.programRecord(2).title, std::string("进程"));
    QCOMPARE(f.programRecord(2).description, std::string("看进程"));
    QCOMPARE(f.programRecord(1).title, std::string("top"));

    // A title GBK cannot hold is refused and nothing changes.
    w.Text1->setText(QStringLiteral("🙂"));
    f.click(w.Command8);
    QCOMPARE(f.desktop.messages.size(), 1);
    QCOMPARE(f.state.catalogue.at(4, 0, 1).title, std::string("进程"));
    QCOMPARE(f.programRecord(2).title, std::string("进程"));
}

void Form6EditsTest::moveToAnotherMinorCategory()
{
    EditorFixture f;
    f.put(0, 0, 0, "alpha", 1, 3);
    f.put(0, 0, 1, "beta", 2, 2);
    f.state.sel.popupColumn = 4; // what the pop-up last showed does not matter
    f.link.room = false;
    Form6& w = f.open(Form6Mode::ChangeCategory, ProgramPlace{0, 0, 1});
    f.choose(1, 2); // 娱乐 / 图形
    f.click(w.Command1);
    QVERIFY(!w.isVisible());
    QCOMPARE(f.link.popupsClosed, 1);
    QVERIFY(f.desktop.messages.isEmpty());

    const AppState disk = f.reload();
    const int c = EditorFixture::column(disk, 1, 2);
    const ProgramEntry& b = disk.catalogue.at(1, c, 0);
    QCOMPARE(b.name, std::string("beta"));
    QCOMPARE(b.recordNo, 2);
    QCOMPARE(b.majorName, std::string("娱乐"));
    QCOMPARE(b.minorName, std::string("图形"));
    QCOMPARE(int(b.major), 1);
    QCOMPARE(int(b.minor), c);
    QCOMPARE(int(b.slot), 0);
    QCOMPARE(disk.catalogue.at(0, 0, 0).name, std::string("alpha"));
    QVERIFY(disk.catalogue.at(0, 0, 1).name.empty());
    QCOMPARE(int(f.state.sel.curMajor), 1);

    // A full target category: nothing happens and the dialog stays.
    EditorFixture g;
    for (int s = 0; s < 25; ++s)
        g.put(2, 0, s, std::string("n").append(std::to_string(s)), s + 1);
    g.put(0, 0, 0, "alpha", 30);
    Form6& v = g.open(Form6Mode::ChangeCategory, ProgramPlace{0, 0, 0});
    g.choose(2, 0);
    const QByteArray before = fileBytes(g.state.programFile());
    g.click(v.Command1);
    QVERIFY(v.isVisible());
    QCOMPARE(fileBytes(g.state.programFile()), before);
    QCOMPARE(g.state.catalogue.at(0, 0, 0).name, std::string("alpha"));
}

void Form6EditsTest::exchangeTwoPrograms()
{
    EditorFixture f;
    f.put(0, 0, 0, "alpha", 1, 3);
    f.put(0, 0, 1, "beta", 2, 2);
    f.put(2, 0, 0, "gamma", 3, 7);
    Form6& w = f.open(Form6Mode::ExchangeCategory, ProgramPlace{0, 0, 1});
    f.choose(3, 0); // an empty category: no program to exchange with
    f.click(w.Command2);
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("你没有选择程序 ")});
    QVERIFY(w.isVisible());

    f.choose(2, 0);
    QCOMPARE(w.List3->currentRow(), 0);
    f.click(w.Command2);
    QVERIFY(!w.isVisible());

    const AppState disk = f.reload();
    // gamma (used 7 times) took beta's place and went ahead of alpha; beta took gamma's.
    QCOMPARE(disk.catalogue.at(0, 0, 0).name, std::string("gamma"));
    QCOMPARE(disk.catalogue.at(0, 0, 0).majorName, std::string("办公"));
    QCOMPARE(disk.catalogue.at(0, 0, 0).minorName, std::string("业务"));
    QCOMPARE(disk.catalogue.at(0, 0, 0).recordNo, 3);
    QCOMPARE(disk.catalogue.at(0, 0, 1).name, std::string("alpha"));
    const int net = EditorFixture::column(disk, 2, 0);
    const ProgramEntry& b = disk.catalogue.at(2, net, 0);
    QCOMPARE(b.name, std::string("beta"));
    QCOMPARE(b.recordNo, 2);
    QCOMPARE(b.majorName, std::string("网络"));
    QCOMPARE(b.minorName, std::string("文传"));
    QCOMPARE(f.programRecord(2).name, std::string("beta"));
    QCOMPARE(int(f.programRecord(2).major), 2);
    QCOMPARE(f.programRecord(3).name, std::string("gamma"));
    QCOMPARE(int(f.programRecord(3).slot), 0);
}

void Form6EditsTest::addToCombination()
{
    EditorFixture f;
    f.put(0, 0, 0, "notepad", 4, 3);
    f.put(0, 0, 1, "calc", 9, 2);
    ComboEntry& combo = f.state.combos.at(0, 0);
    combo.name = "写作";
    combo.groupName = "办公组";
    combo.group = 0;
    combo.recordNo = 2;
    QVERIFY(saveComboEntry(f.state, 0, 0).ok());
    f.state.sel.curGroup = 0;
    f.state.sel.curPosition = 0;

    QStringList seen;
    const auto hook = [&](const QString& d, const QString& name) { seen << d << name; };
    Form6& w = f.open(Form6Mode::AddToCombination);
    QObject::connect(&w, &Form6::memberAdded, hook);
    f.choose(0, 3);
    f.click(w.command4);
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("未选择程序! ")});

    f.choose(0, 0);
    f.click(w.command4);
    QVERIFY(!w.isVisible());
    Form6& v = f.open(Form6Mode::AddToCombination);
    QObject::connect(&v, &Form6::memberAdded, hook);
    f.choose(0, 0);
    v.List3->setCurrentRow(1);
    f.click(v.command4);
    QCOMPARE(seen, (QStringList{QStringLiteral("notepad+"), QStringLiteral("notepad"),
                                QStringLiteral("notepad+calc+"), QStringLiteral("calc")}));

    AppState disk = f.reload();
    const ComboEntry& c = disk.combos.at(0, 0);
    QCOMPARE(c.description, std::string("notepad+calc+"));
    QCOMPARE(c.programs[0], 4);
    QCOMPARE(c.programs[1], 9);
    QCOMPARE(int(c.programCount), 2);
    QCOMPARE(c.useCounter, 1);

    // Five members: nothing changes and the dialog stays open.
    ComboEntry& full = f.state.combos.at(0, 0);
    full.programs = {4, 9, 4, 9, 4};
    full.programCount = 5;
    QVERIFY(saveComboEntry(f.state, 0, 0).ok());
    const QByteArray before = fileBytes(f.state.comboFile());
    const ComboEntry kept = f.state.combos.at(0, 0);
    Form6& u = f.open(Form6Mode::AddToCombination);
    f.choose(0, 0);
    f.click(u.command4);
    QVERIFY(u.isVisible());
    QCOMPARE(f.state.combos.at(0, 0), kept);
    QCOMPARE(fileBytes(f.state.comboFile()), before);
}

QTEST_MAIN(Form6EditsTest)
#include "test_form6_edits.moc"
