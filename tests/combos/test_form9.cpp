// The combination editor with the filing functions behind its signals and the classification
// editor as its member picker: messages, the carry-on of "新增", deleting a group, and member rows
// that keep naming their places.

#include "ComboWindowFixture.h"
#include "combos/Form9.h"
#include "core/Launcher.h"
#include "editing/Form6.h"
#include "store/Ini.h"
#include "tests/support/EditorFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace qbx;
using qbx::test::ComboFixture;

namespace {

QStringList rows(const QListWidget* list)
{
    QStringList texts;
    for (int r = 0; r < list->count(); ++r)
        texts << list->item(r)->text();
    return texts;
}

// The editor on the core, as the program opens it; the member picker files the program at
// (0, 0, pickSlot) of the catalogue into the combination.
struct Editor : ComboFixture {
    qbx::test::FakeLink link;
    Launcher launcher{state, desktop};
    std::unique_ptr<Form9> w;
    int pickSlot = -1;
    QList<QPair<int, int>> pickerAsked;

    Editor()
    {
        w = std::make_unique<Form9>(launcher, link);
        QObject::connect(w.get(), &Form9::memberPickerAsked, [this](int g, int p) {
            pickerAsked << qMakePair(g, p);
            state.sel.curGroup = static_cast<std::int16_t>(g);
            state.sel.curPosition = static_cast<std::int16_t>(p);
            if (pickSlot < 0)
                return;
            Form6 picker(launcher, link);
            picker.load(Form6Mode::AddToCombination);
            picker.List1->setCurrentRow(0);
            picker.List2->setCurrentRow(0);
            picker.List3->setCurrentRow(pickSlot);
            picker.command4->click();
        });
        file(0, 0, 0, "notepad", 11);
        file(0, 0, 1, "calc", 12);
        file(0, 0, 2, "paint", 13);
        file(0, 0, 3, "mail", 14);
    }

    // What the user types (QTest types ASCII only).
    void type(const QString& name, const QString& description = {})
    {
        w->Text1->clear();
        w->Text1->insert(name);
        w->Text2->clear();
        w->Text2->insertPlainText(description);
    }
    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void mode(QRadioButton* o) { QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2)); }
    int zhcount() const
    {
        return readIniInt(kSectionBasic, kKeyZhcount, -1, state.settingsFile()).value_or(-2);
    }
};

} // namespace

class Form9Test : public QObject {
    Q_OBJECT
private slots:
    void addingCarriesOnFromGroupToCombinationToMembers();
    void commandsWithoutTheirSelectionSaySo();
    void deletingAGroupClearsItsRowAndRecords();
    void memberRowsKeepNamingTheirPlaces();
};

void Form9Test::addingCarriesOnFromGroupToCombinationToMembers()
{
    Editor f;
    f.w->load();
    QCOMPARE(f.w->windowTitle(), QStringLiteral("组合程序设置"));
    QCOMPARE(rows(f.w->List1), QStringList(5, QStringLiteral("自定义")));
    QVERIFY(f.w->Option1->isChecked());
    QCOMPARE(f.w->Label1->text(),
             QStringLiteral(
                 "设置程序组合步骤：《1》单击“增减分类”单选按钮，在“组合类别名”文本框中填写自定义的名字，再点"
                 "击“新增”按钮。"
                 "《2》单击“增减组合”单选按钮，在“组合名”文本框中填写自定义的名字，再点击“新增”按钮。"));

    f.click(f.w->Command1);
    QCOMPARE(f.desktop.messages, QStringList{"请打出类别名! "});

    // A new group: its row, then the prompt for the combination's name in the next mode.
    f.type(QStringLiteral("常用"));
    f.click(f.w->Command1);
    QCOMPARE(f.desktop.messages.mid(1), QStringList{"请打出组合名! "});
    QCOMPARE(f.w->List1->currentItem()->text(), QStringLiteral("常用"));
    QVERIFY(f.w->Option2->isChecked());
    QCOMPARE(f.w->Label2->text(), QStringLiteral("程序组合名"));

    f.type(QStringLiteral("常用"));
    f.w->Option1->setChecked(true);
    f.click(f.w->Command1);
    QCOMPARE(f.desktop.messages.last(), QStringLiteral("该分类名已经有了！请另起一个。"));

    // A new combination opens the member picker at once; the program picked is its first member.
    f.mode(f.w->Option2);
    f.pickSlot = 1;
    f.type(QStringLiteral("上网"), QStringLiteral("看新闻"));
    f.click(f.w->Command1);
    QCOMPARE(f.pickerAsked, (QList<QPair<int, int>>{{0, 0}}));
    QVERIFY(f.w->Option3->isChecked());
    QCOMPARE(rows(f.w->List2), QStringList{"上网"});
    QCOMPARE(rows(f.w->List3), QStringList{"calc"});
    QCOMPARE(f.w->Text2->toPlainText(), QStringLiteral("看新闻calc+"));

    // "新增" in the member mode adds the next member.
    f.pickSlot = 3;
    f.click(f.w->Command1);
    QCOMPARE(rows(f.w->List3), (QStringList{"calc", "mail"}));
    QCOMPARE(f.state.combos.at(0, 0).programs, (std::array<std::int32_t, 5>{12, 14, 0, 0, 0}));
    QCOMPARE(f.zhcount(), 1);
    QCOMPARE(f.desktop.messages.size(), 3);

    // The fifth member place taken: refused before the picker opens.
    f.state.combos.at(0, 0).programs[4] = 11;
    f.click(f.w->Command1);
    QCOMPARE(f.desktop.messages.last(), QStringLiteral(" 程序名额已满! "));
    QCOMPARE(f.pickerAsked.size(), 2);

    f.w->List1->setCurrentRow(1);
    f.click(f.w->Command1);
    QCOMPARE(f.desktop.messages.last(), QStringLiteral("未选择组合! "));
}

void Form9Test::commandsWithoutTheirSelectionSaySo()
{
    Editor f;
    f.combo(0, 0, "常用", "上网", {});
    f.w->load();

    f.w->List1->setCurrentRow(-1);
    f.click(f.w->Command2);
    f.click(f.w->Command3);
    f.w->List1->setCurrentRow(0);
    f.w->Text1->clear();
    f.click(f.w->Command3);

    f.mode(f.w->Option2);
    f.w->List1->setCurrentRow(1);
    f.click(f.w->Command2);
    f.click(f.w->Command3);

    f.mode(f.w->Option3);
    f.click(f.w->Command2);
    QCOMPARE(f.desktop.messages, (QStringList{"请先选中分类!", "请先选择分类！", "请先填写更改内容！",
                                              "请先选中组合!", "请先选择程序组合！", "请先选中程序!"}));
    QVERIFY(f.desktop.confirms.isEmpty());

    // Renaming a combination to nothing would hide it while it keeps its members.
    f.mode(f.w->Option2);
    f.w->List1->setCurrentRow(0);
    f.w->Text1->setText(QStringLiteral("  "));
    f.click(f.w->Command3);
    QCOMPARE(f.desktop.messages.last(), QStringLiteral("请先填写更改内容！"));
    QCOMPARE(f.state.combos.at(0, 0).name, std::string("上网"));

    // The 60th character of a description is announced once; a 61st cannot be typed.
    f.w->Text2->clear();
    QTest::keyClicks(f.w->Text2, QString(59, QLatin1Char('x')));
    QCOMPARE(f.desktop.messages.size(), 7);
    QTest::keyClicks(f.w->Text2, QStringLiteral("yz"));
    QCOMPARE(f.w->Text2->toPlainText().size(), 60);
    QCOMPARE(f.desktop.messages.mid(7), QStringList{"说明字数已满！"});
    QCOMPARE(f.w->Text1->maxLength(), 10);

    // "退出" brings the hide timers back.
    f.click(f.w->Command5);
    QVERIFY(f.link.autoHideRestored > 0);
    QVERIFY(f.link.categoryTimer);
}

void Form9Test::deletingAGroupClearsItsRowAndRecords()
{
    Editor f;
    f.combo(0, 0, "常用", "上网", {11}, 3);
    f.combo(0, 1, "常用", "办公", {12}, 2);
    f.combo(1, 0, "游戏", "休闲", {13}, 2);
    writeIniInt(kSectionBasic, kKeyZhcount, 3, f.state.settingsFile());
    f.w->load();
    QCOMPARE(rows(f.w->List1).mid(0, 2), (QStringList{"常用", "游戏"}));
    QCOMPARE(rows(f.w->List2), (QStringList{"上网", "办公"}));

    f.desktop.setNextAnswer(false);
    f.click(f.w->Command2);
    QCOMPARE(f.desktop.confirms, QStringList{"确实要删除该分类及其组合吗？"});
    QCOMPARE(f.state.combos.at(0, 0).name, std::string("上网"));

    f.click(f.w->Command2);
    // The remaining group moved up to place 0 and its row names it; the deleted one is gone.
    QCOMPARE(rows(f.w->List1), (QStringList{"游戏", "自定义", "自定义", "自定义", "自定义"}));
    QCOMPARE(f.w->List1->currentRow(), 0);
    QCOMPARE(rows(f.w->List2), QStringList{"休闲"});
    QCOMPARE(f.zhcount(), 1);

    // Deleting the only combination of a group keeps the group.
    f.mode(f.w->Option2);
    f.click(f.w->Command2);
    QCOMPARE(f.desktop.confirms.last(), QStringLiteral("确实要删除该组合吗？"));
    QCOMPARE(rows(f.w->List1).first(), QStringLiteral("游戏"));
    QVERIFY(rows(f.w->List2).isEmpty());
}

void Form9Test::memberRowsKeepNamingTheirPlaces()
{
    Editor f;
    f.combo(0, 0, "常用", "上网", {11, 12, 13});
    f.w->load();
    f.mode(f.w->Option3);
    QCOMPARE(rows(f.w->List3), (QStringList{"notepad", "calc", "paint"}));

    f.w->List3->setCurrentRow(1);
    f.click(f.w->Command2);
    QCOMPARE(f.desktop.confirms, QStringList{"确实要删除该程序吗？"});
    QCOMPARE(rows(f.w->List3), (QStringList{"notepad", "paint"}));
    QCOMPARE(f.state.combos.at(0, 0).programs, (std::array<std::int32_t, 5>{11, 0, 13, 0, 0}));
    QCOMPARE(int(f.state.combos.at(0, 0).programCount), 2);

    // The next member fills the freed place, and its row stands between the other two.
    f.pickSlot = 3;
    f.click(f.w->Command1);
    QCOMPARE(f.state.combos.at(0, 0).programs, (std::array<std::int32_t, 5>{11, 14, 13, 0, 0}));
    QCOMPARE(rows(f.w->List3), (QStringList{"notepad", "mail", "paint"}));

    // The last row removes the last member, not another one.
    f.w->List3->setCurrentRow(2);
    f.click(f.w->Command2);
    QCOMPARE(f.state.combos.at(0, 0).programs, (std::array<std::int32_t, 5>{11, 14, 0, 0, 0}));
    QCOMPARE(rows(f.w->List3), (QStringList{"notepad", "mail"}));
}

QTEST_MAIN(Form9Test)
#include "test_form9.moc"
