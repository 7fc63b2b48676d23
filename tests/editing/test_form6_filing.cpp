// Choosing and filing programs in the classification editor: names, duplicates, the limits of a
// minor category and of the catalogue, titles and descriptions, desktop entries, the modes.

#include "tests/support/EditorFixture.h"
#include "tests/support/TextFits.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextLayout>

using namespace qbx;
using namespace qbx::test;
using namespace qbx::testing;

class Form6FilingTest : public QObject {
    Q_OBJECT

private slots:
    void modesShowTheirCommands();
    void closingRestoresTheTimers();
    void filesAProgramAndWritesItAtOnce();
    void duplicateNamesAreCaseSensitive();
    void cancelledSearchLeavesTheButtons();
    void lastSlotThenFullCategory();
    void catalogueLimitIs755();
    void titleAndDescriptionAreTrimmed();
    void otherWithBlankIsStoredWithIt();
    void textGbkCannotHoldIsRefused();
    void newProgramGetsAFreeRecordNumber();
    void desktopEntryOffersItsNameAndComment();
    void typingIsLimitedButSuggestionsAreNot();
};

namespace {

// Every caption, help text and the category lists' rows measured against their boxes.
void checkNothingIsClipped(Form6& w)
{
    const QStringList clipped = clippedTexts(w);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    // The count stands on one line.
    QCOMPARE(linesNeeded(w.Label8->text(), w.Label8->font(), w.Label8->width(), true), 1);
}

} // namespace

void Form6FilingTest::modesShowTheirCommands()
{
    struct Case {
        Form6Mode mode;
        QList<bool> shown; // Command1, Command2, Command3, command4, Command6, Command7, Command8
        QString help;
    };
    const QString add = QStringLiteral("添加帮助：请先点击“查找程序”按键在弹出的查找对话框中选定要添加的程序"
                                       "名，确定后在小类列表中选定小类名再按“添加分类”按键。");
    const QString change =
        QStringLiteral("更改帮助：请在程序小类列表中选定要更改为的分类，再点击“更改”按键。");
    // The exchange help ends in a stray closing quote, as the window was designed.
    const QString exchange = QStringLiteral(
        "交换帮助：请先在程序列表中选定要交换分类的程序，再点击“交换”按键。（两个程序的分类将相互对调）”");
    const QList<Case> cases{
        {Form6Mode::ClassifyMenu, {false, false, true, false, true, true, true}, add},
        {Form6Mode::AddProgram, {false, false, true, false, false, true, false}, add},
        {Form6Mode::ChangeCategory, {true, false, false, false, false, false, false}, change},
        {Form6Mode::ExchangeCategory, {false, true, false, false, false, false, false}, exchange},
        {Form6Mode::AddToCombination, {false, false, false, true, false, false, false}, add},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        Form6& w = f.open(c.mode);
        const QList<QPushButton*> buttons{w.Command1, w.Command2, w.Command3, w.command4,
                                          w.Command6, w.Command7, w.Command8};
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(!buttons[i]->isHidden(), c.shown[i]);
        QVERIFY(!w.Command5->isHidden());
        QCOMPARE(w.Label4->text(), c.help);
        QCOMPARE(w.windowTitle(), QStringLiteral("软件添加分类"));
        QVERIFY(!w.Command3->isEnabled());
        QCOMPARE(w.List1->count(), 5);
        QCOMPARE(w.List1->item(4)->text(), QStringLiteral("系统"));
        QCOMPARE(w.Label8->text(), QStringLiteral("共有分类软件0个！"));
        checkNothingIsClipped(w);
    }
}

void Form6FilingTest::closingRestoresTheTimers()
{
    EditorFixture f;
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.click(w.Command5);
    QVERIFY(!w.isVisible());
    QVERIFY(f.link.autoHideRestored >= 1);
    QVERIFY(f.link.categoryTimer);

    EditorFixture g;
    Form6& v = g.open(Form6Mode::AddProgram);
    v.close();
    QCOMPARE(g.link.autoHideRestored, 1);
    QVERIFY(g.link.categoryTimer);
}

void Form6FilingTest::filesAProgramAndWritesItAtOnce()
{
    EditorFixture f;
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(2, 1); // 网络 / 网页
    f.find(QStringLiteral("C:\\Tools\\notepad.exe"));
    QCOMPARE(f.desktop.fileDialogs.size(), 1);
    QCOMPARE(f.desktop.fileDialogs[0].title, QStringLiteral("查找exe文件"));
    QCOMPARE(f.desktop.fileDialogs[0].filters,
             QStringList({"应用程序 (*.desktop)", "所有文件 (*)", "Windows 程序 (*.exe)"}));
    QCOMPARE(w.Text1->text(), QStringLiteral("notepadexe"));
    QVERIFY(!w.Command7->isEnabled());
    QVERIFY(w.Command3->isEnabled());
    QCOMPARE(f.state.sel.pendingProgram.name, std::string("notepad"));

    f.click(w.Command3);
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(w.List3->count(), 1);
    QCOMPARE(w.List3->item(0)->text(), QStringLiteral("1 notepad"));
    QCOMPARE(w.Label8->text(), QStringLiteral("共有分类软件1个！"));
    QVERIFY(w.Command7->isEnabled());
    QVERIFY(!w.Command3->isEnabled());
    QCOMPARE(f.link.popupsClosed, 1);
    QVERIFY(f.state.sel.pendingProgram.name.empty());
    QCOMPARE(f.state.sel.pendingProgram.slot, -1);

    QCOMPARE(f.iniValue(kKeyYcount), 1);
    const AppState disk = f.reload();
    const int c = EditorFixture::column(disk, 2, 1);
    const ProgramEntry& e = disk.catalogue.at(2, c, 0);
    QCOMPARE(e.name, std::string("notepad"));
    QCOMPARE(e.exePath, std::string("C:\\Tools\\notepad.exe"));
    QCOMPARE(e.majorName, std::string("网络"));
    QCOMPARE(e.minorName, std::string("网页"));
    QCOMPARE(e.title, std::string("notepadexe"));
    QCOMPARE(e.useCounter, 1);
    QCOMPARE(e.recordNo, 1);
    QCOMPARE(int(e.major), 2);
    QCOMPARE(int(e.minor), c);
    QCOMPARE(int(e.slot), 0);
}

void Form6FilingTest::duplicateNamesAreCaseSensitive()
{
    EditorFixture f;
    f.put(3, 2, 0, "notepad", 1);
    Form6& w = f.open(Form6Mode::ClassifyMenu);

    f.find(QStringLiteral("D:\\Games\\Notepad.exe"));
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(f.state.sel.pendingProgram.name, std::string("Notepad"));
    QVERIFY(w.Command3->isEnabled());
    f.click(w.Command3);

    // Another path with the same name is a duplicate: nothing pending, buttons as they were.
    f.find(QStringLiteral("C:\\Other\\notepad.exe"));
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("该程序已经分类了！")});
    QVERIFY(f.state.sel.pendingProgram.name.empty());
    QVERIFY(w.Command7->isEnabled());
    QVERIFY(!w.Command3->isEnabled());

    // Linux paths: the whole file name is the name when it has no ".exe".
    f.find(QStringLiteral("/usr/local/bin/notepad"));
    QCOMPARE(f.desktop.messages.size(), 2);
    f.find(QStringLiteral("/usr/local/bin/NOTEPAD.EXE"));
    QCOMPARE(f.desktop.messages.size(), 2);
    QCOMPARE(f.state.sel.pendingProgram.name, std::string("NOTEPAD"));
    QCOMPARE(f.state.sel.pendingProgram.exePath, std::string("/usr/local/bin/NOTEPAD.EXE"));
}

void Form6FilingTest::cancelledSearchLeavesTheButtons()
{
    EditorFixture f;
    Form6& w = f.open(Form6Mode::AddProgram);
    f.desktop.setNextFileNameCancel();
    f.click(w.Command7);
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("你还没有选择程序！请选择。")});
    QVERIFY(w.Command7->isEnabled());
    QVERIFY(!w.Command3->isEnabled());
    // A folder is no program either.
    f.find(QStringLiteral("/usr/bin/"));
    QCOMPARE(f.desktop.messages.size(), 2);
    QVERIFY(f.state.sel.pendingProgram.name.empty());
}

void Form6FilingTest::lastSlotThenFullCategory()
{
    EditorFixture f;
    for (int s = 0; s < 24; ++s)
        f.put(0, 0, s, std::string("p").append(std::to_string(s)), s + 1);
    f.setIni(kKeyYcount, 24);
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(0, 0);
    QCOMPARE(w.List3->count(), 24);

    f.find(QStringLiteral("/opt/last"));
    f.click(w.Command3);
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(f.reload().catalogue.at(0, 0, 24).name, std::string("last"));
    QCOMPARE(f.iniValue(kKeyYcount), 25);

    f.find(QStringLiteral("/opt/one-more"));
    const QByteArray before = [&] {
        QFile yf(QString::fromStdString(f.state.programFile().string()));
        yf.open(QIODevice::ReadOnly);
        return yf.readAll();
    }();
    f.click(w.Command3);
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("该分类已满25条")});
    // Refused: the program stays found, nothing is written.
    QVERIFY(w.Command3->isEnabled());
    QVERIFY(!w.Command7->isEnabled());
    QCOMPARE(f.state.sel.pendingProgram.name, std::string("one-more"));
    QCOMPARE(f.iniValue(kKeyYcount), 25);
    QFile yf(QString::fromStdString(f.state.programFile().string()));
    QVERIFY(yf.open(QIODevice::ReadOnly));
    QCOMPARE(yf.readAll(), before);
}

void Form6FilingTest::catalogueLimitIs755()
{
    EditorFixture f;
    f.setIni(kKeyYcount, 754);
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(1, 2);
    f.find(QStringLiteral("/opt/app754"));
    f.click(w.Command3);
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(f.iniValue(kKeyYcount), 755);
    QCOMPARE(w.Label8->text(), QStringLiteral("共有分类软件755个！"));
    checkNothingIsClipped(w);

    for (const char* path : {"/opt/app755", "/opt/app756"}) {
        f.find(QString::fromLatin1(path));
        f.click(w.Command3);
        QCOMPARE(f.desktop.messages.last(), QStringLiteral("软件分类不能超过755个！"));
        QVERIFY(w.Command3->isEnabled());
    }
    QCOMPARE(f.desktop.messages.size(), 2);
    QCOMPARE(f.iniValue(kKeyYcount), 755);
    // The count is read afresh from the settings file before each filing.
    f.setIni(kKeyYcount, 10);
    f.click(w.Command3);
    QCOMPARE(f.desktop.messages.size(), 2);
    QCOMPARE(f.iniValue(kKeyYcount), 11);
}

void Form6FilingTest::titleAndDescriptionAreTrimmed()
{
    EditorFixture f;
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(4, 3);
    f.find(QStringLiteral("/opt/tool.exe"));
    w.Text1->setText(QStringLiteral("  ab "));
    w.Text2->setPlainText(QStringLiteral("  说明 文字  "));
    f.click(w.Command3);
    f.find(QStringLiteral("/opt/quiet.exe"));
    w.Text1->clear();
    f.click(w.Command3);

    const AppState disk = f.reload();
    const int c = EditorFixture::column(disk, 4, 3);
    QCOMPARE(disk.catalogue.at(4, c, 0).title, std::string("ab"));
    QCOMPARE(disk.catalogue.at(4, c, 0).description, std::string("说明 文字"));
    QCOMPARE(disk.catalogue.at(4, c, 1).name, std::string("quiet"));
    QCOMPARE(disk.catalogue.at(4, c, 1).title, std::string());
}

void Form6FilingTest::otherWithBlankIsStoredWithIt()
{
    EditorFixture f;
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(1, 4);
    QCOMPARE(w.List2->item(4)->text(), QStringLiteral("其它 "));
    QCOMPARE(w.Label3->text(), QStringLiteral("娱乐-其它 "));
    f.find(QStringLiteral("/usr/games/tetris"));
    f.click(w.Command3);
    const AppState disk = f.reload();
    const ProgramEntry& e = disk.catalogue.at(1, EditorFixture::column(disk, 1, 4), 0);
    QCOMPARE(e.name, std::string("tetris"));
    QCOMPARE(e.minorName, std::string("其它 "));
    // The list shows it again under its name, blank included.
    EditorFixture g;
    g.state = f.reload();
    Form6& v = g.open(Form6Mode::ClassifyMenu);
    g.choose(1, 4);
    QCOMPARE(v.List3->count(), 1);
    QCOMPARE(v.List3->item(0)->text(), QStringLiteral("1 tetris"));
}

void Form6FilingTest::textGbkCannotHoldIsRefused()
{
    EditorFixture f;
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(0, 1);
    f.find(QStringLiteral("/opt/smile.exe"));
    w.Text1->setText(QStringLiteral("笑😀"));
    f.click(w.Command3);
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY(!f.desktop.messages[0].isEmpty());
    QVERIFY(w.Command3->isEnabled());
    QCOMPARE(f.state.settings.ycount, 0);
    QVERIFY(!f.state.catalogue.at(0, EditorFixture::column(f.state, 0, 1), 0).name.size());
    QCOMPARE(f.iniValue(kKeyYcount), -99); // never written
    QVERIFY(!std::filesystem::exists(f.state.programFile()) ||
            std::filesystem::file_size(f.state.programFile()) == 0);

    // A path the record cannot hold is refused when it is chosen, and another can be chosen.
    w.Text1->setText(QStringLiteral("笑"));
    f.click(w.Command3);
    QCOMPARE(f.desktop.messages.size(), 1);
    f.find(QStringLiteral("/opt/") + QString(400, QLatin1Char('x')));
    f.find(QStringLiteral("/opt/😀/tool"));
    QCOMPARE(f.desktop.messages.size(), 3);
    QVERIFY(f.state.sel.pendingProgram.name.empty());
    QVERIFY(w.Command7->isEnabled());
    QCOMPARE(f.state.settings.ycount, 1);
}

void Form6FilingTest::newProgramGetsAFreeRecordNumber()
{
    EditorFixture f;
    // ycount says 1, yet record 1 and 2 are held by live programs (a removal lowered the count).
    f.put(0, 0, 0, "alpha", 1, 5);
    f.put(0, 0, 1, "beta", 2, 3);
    f.setIni(kKeyYcount, 1);
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(2, 0);
    f.find(QStringLiteral("/opt/gamma"));
    f.click(w.Command3);
    const AppState disk = f.reload();
    QCOMPARE(disk.catalogue.at(0, 0, 0).name, std::string("alpha"));
    QCOMPARE(disk.catalogue.at(0, 0, 1).name, std::string("beta"));
    const ProgramEntry& g = disk.catalogue.at(2, EditorFixture::column(disk, 2, 0), 0);
    QCOMPARE(g.name, std::string("gamma"));
    QCOMPARE(g.recordNo, 3);
}

void Form6FilingTest::desktopEntryOffersItsNameAndComment()
{
    EditorFixture f;
    auto entry = [&f](const char* file, const QByteArray& text) {
        const QString path = f.dir.filePath(QString::fromUtf8(file));
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.write(text);
        return path;
    };
    const QString path = entry("org.example.Writer.desktop",
                               "[Desktop Entry]\nType=Application\nName=Writer\nName[zh_CN]=文字处理程序\n"
                               "Comment=Write letters\nComment[de]=Briefe\n"
                               "Comment[zh_CN]=写信、写报告、写论文，排版后打印或导出为各种格式的文件\n"
                               "Exec=writer %U\n[Desktop Action New]\nName=New\n");

    Form6& w = f.open(Form6Mode::ClassifyMenu);
    f.choose(0, 0);
    f.find(path);
    QCOMPARE(f.state.sel.pendingProgram.name, std::string("文字处理程序"));
    QCOMPARE(w.Text1->text(), QStringLiteral("文字处理程"));
    QCOMPARE(w.Text2->toPlainText(), QStringLiteral("写信、写报告、写论文，排版后打印或导出为各种格式的"));
    f.click(w.Command3);
    const AppState disk = f.reload();
    const ProgramEntry& e = disk.catalogue.at(0, EditorFixture::column(disk, 0, 0), 0);
    QCOMPARE(e.exePath, u8s(path));
    QCOMPARE(e.title, std::string("文字处理程"));

    // Without a Chinese name the plain one is offered.
    f.find(entry("calc.desktop", "[Desktop Entry]\nName=Calc\nComment=Sums\n"));
    QCOMPARE(w.Text1->text(), QStringLiteral("Calc"));
    QCOMPARE(w.Text2->toPlainText(), QStringLiteral("Sums"));
    f.click(w.Command3);

    // Another program of the same Name is told apart by its file id; the next choice replaces
    // the previous description even when it offers none.
    const QString other =
        entry("org.other.Writer.desktop", "[Desktop Entry]\nName[zh_CN]=文字处理程序\nExec=other\n");
    f.find(other);
    QCOMPARE(f.state.sel.pendingProgram.name, std::string("org.other.Writer"));
    QCOMPARE(w.Text2->toPlainText(), QString());
    QCOMPARE(f.state.sel.pendingProgram.exePath, u8s(other));
    f.click(w.Command3);
    QVERIFY(f.desktop.messages.isEmpty());

    // The entry already filed is refused, not filed again under its file id.
    f.find(path);
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("该程序已经分类了！")});
}

void Form6FilingTest::typingIsLimitedButSuggestionsAreNot()
{
    EditorFixture f;
    Form6& w = f.open(Form6Mode::ClassifyMenu);
    w.Text1->setFocus();
    w.Text1->clear();
    QTest::keyClicks(w.Text1, QStringLiteral("abcdefg"));
    QCOMPARE(w.Text1->text(), QStringLiteral("abcde"));
    w.Text2->clear();
    QTest::keyClicks(w.Text2, QString(30, QLatin1Char('d')));
    QCOMPARE(w.Text2->toPlainText().size(), 25);

    f.find(QStringLiteral("/opt/calculator.exe"));
    QCOMPARE(w.Text1->text(), QStringLiteral("calculatorexe"));
    w.Text1->end(false);
    QTest::keyClick(w.Text1, Qt::Key_X);
    QCOMPARE(w.Text1->text(), QStringLiteral("calculatorexe"));
    // Shortening lowers the allowance with it: what was deleted cannot be typed again.
    QTest::keyClick(w.Text1, Qt::Key_Backspace);
    QCOMPARE(w.Text1->text(), QStringLiteral("calculatorex"));
    QTest::keyClick(w.Text1, Qt::Key_X);
    QCOMPARE(w.Text1->text(), QStringLiteral("calculatorex"));
}

QTEST_MAIN(Form6FilingTest)
#include "test_form6_filing.moc"
