// Window tests of the category window: placement downward and upward with the cell mapping,
// the fill for a minor category and for the combinations, tooltips and the cell colours.

#include "catwin/Form3.h"
#include "core/Launcher.h"
#include "tests/support/Form3Controls.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/Colours.h"
#include "ui/EventLabel.h"
#include "ui/MainWindowLink.h"
#include "ui/PictureBox.h"

#include <QTest>

using namespace qbx;
using namespace qbx::testing;

namespace {

class Link : public MainWindowLink {
public:
    bool room = true;
    QWidget* ownerWindow() override { return nullptr; }
    void closePopups() override {}
    void restoreAutoHide() override {}
    void setCategoryTimer(bool) override {}
    void setHideTimers(bool) override {}
    bool roomOnRight() override { return room; }
    bool pointerOnArrow() const override { return false; }
    QRect popupTwipGeometry() override { return popup; }
    QRect columnScreen() const override { return screen; }
    QRect popup{1417 * 1, 750, 4470, 960}; // twips
    QRect screen{0, 0, 1024, 768};         // the column's screen, pixels
};

struct Cat {
    WindowApp app;
    Link link;
    Launcher core{app.state, app.desktop};
    Form3 form{core, link};

    QString title(int n) const { return ui(form).Label2[static_cast<std::size_t>(n)]->text(); }
    QString name(int n) const { return ui(form).Label1[static_cast<std::size_t>(n)]->text(); }
    bool icon(int n) const { return ui(form).Picture1[static_cast<std::size_t>(n)]->hasDrawing(); }
};

} // namespace

class Form3Test : public QObject {
    Q_OBJECT
private slots:
    void opensDownwardOverTheColumn();
    void opensUpwardNearTheBottom();
    void emptyCategoryUpwardStillNamesTheAnchor();
    void tooltipsCountStarts();
    void leftPopupMirrorsTheColumns();
    void combinations();
    void reservedCategoryIsNotRefilled();
    void cellColours();
};

void Form3Test::opensDownwardOverTheColumn()
{
    Cat c;
    c.app.state.sel.curMajor = 2;
    c.app.file(2, 1, 0, "a", 5);
    c.app.file(2, 1, 1, "b", 3).title.clear();
    c.app.file(2, 1, 2, "c", 2);
    c.form.openAndFill(1, QStringLiteral("网页"));
    QVERIFY(c.form.isVisible());
    QVERIFY(c.form.opensDownward());
    QCOMPARE(c.form.leftTwips(), 1417 + 900);
    QCOMPARE(c.form.topTwips(), 750);
    QCOMPARE(c.app.state.sel.curMinor, 1);
    QCOMPARE(c.app.state.sel.popupColumn, 1);
    QVERIFY(c.app.state.sel.popupActive);
    QCOMPARE(c.title(0), QStringLiteral("a标题"));
    QCOMPARE(c.title(1), QStringLiteral("b")); // no title: the name
    QCOMPARE(c.title(2), QStringLiteral("c标题"));
    QCOMPARE(c.title(3), QString());
    QCOMPARE(c.title(4), QString());
    QVERIFY(c.icon(0) && c.icon(1) && c.icon(2));
    QVERIFY(!c.icon(3) && !c.icon(4));
    QCOMPARE(c.name(0), QStringLiteral("网页"));
    for (int n = 1; n < 5; ++n)
        QCOMPARE(c.name(n), QString());
    QCOMPARE(ui(c.form).Picture1[2]->accessibleDescription(), QStringLiteral("/opt/c.exe"));
    // A refill reflects the catalogue now: the third program is gone.
    c.app.state.catalogue.at(2, 1, 2) = {};
    c.form.openAndFill(1, QStringLiteral("网页"));
    QVERIFY(!c.icon(2));
    QCOMPARE(c.title(2), QString());
}

void Form3Test::opensUpwardNearTheBottom()
{
    Cat c;
    c.link.popup.moveTop(768 * 15 - 2000); // less than the window's height below the pop-up's top
    c.app.state.sel.curMajor = 0;
    c.app.file(0, 3, 0, "a", 5);
    c.app.file(0, 3, 1, "b", 4);
    c.app.file(0, 3, 2, "c", 2);
    c.form.openAndFill(3, QStringLiteral("设计"));
    QVERIFY(!c.form.opensDownward());
    QCOMPARE(c.form.topTwips(), c.link.popup.top() - 4800 + 985);
    QCOMPARE(c.form.anchorCell(), 4);
    QCOMPARE(c.title(4), QStringLiteral("a标题"));
    QCOMPARE(c.title(3), QStringLiteral("b标题"));
    QCOMPARE(c.title(2), QStringLiteral("c标题"));
    QCOMPARE(c.title(1), QString());
    QCOMPARE(c.name(4), QStringLiteral("设计"));
    QCOMPARE(c.name(0), QString());
    // Pointing at the bottom cell selects slot 0.
    c.form.Picture1_MouseMove(4);
    QCOMPARE(c.app.state.sel.curSlot, 0);
    c.form.Picture1_MouseMove(1);
    QCOMPARE(c.app.state.sel.curSlot, 3);
    // The column on a taller monitor beside the primary: below the same place there is room.
    c.link.screen = QRect(1024, 0, 1280, 1024);
    QVERIFY(c.form.opensDownward());
    // On a monitor above the primary the bottom is that monitor's.
    c.link.screen = QRect(0, -768, 1024, 768);
    c.link.popup.moveTop(-2000);
    QVERIFY(!c.form.opensDownward());
}

void Form3Test::emptyCategoryUpwardStillNamesTheAnchor()
{
    Cat c;
    c.link.popup.moveTop(768 * 15 - 2000);
    c.app.state.sel.curMajor = 3;
    c.form.openAndFill(2, QStringLiteral("制作"));
    QCOMPARE(c.name(4), QStringLiteral("制作"));
    for (int n = 0; n < 4; ++n)
        QCOMPARE(c.name(n), QString());
}

void Form3Test::tooltipsCountStarts()
{
    Cat c;
    c.app.state.sel.curMajor = 4;
    c.app.file(4, 0, 0, "top", 4);
    c.app.file(4, 0, 1, "new", 1);
    c.form.openAndFill(0, QStringLiteral("桌面"));
    c.form.Picture1_MouseMove(0);
    QCOMPARE(ui(c.form).Picture1[0]->toolTip(), QStringLiteral("top使用3次 top说明"));
    c.form.Picture1_MouseMove(1);
    QCOMPARE(ui(c.form).Picture1[1]->toolTip(), QStringLiteral("new使用0次 new说明"));
    QCOMPARE(c.app.state.sel.curSlot, 1);
    c.form.Picture1_MouseMove(2);
    QCOMPARE(ui(c.form).Picture1[2]->toolTip(), QStringLiteral("未使用"));
}

void Form3Test::leftPopupMirrorsTheColumns()
{
    Cat c;
    c.link.room = false;
    c.app.state.sel.curMajor = 1;
    c.app.file(1, 4, 0, "last", 2);
    c.form.openAndFill(0, QStringLiteral("其它 "));
    QCOMPARE(c.app.state.sel.curMinor, 4);
    QCOMPARE(c.title(0), QStringLiteral("last标题"));
    QCOMPARE(c.name(0), QStringLiteral("其它 "));
}

void Form3Test::combinations()
{
    Cat c;
    ProgramEntry& member = c.app.file(0, 2, 1, "mail", 3, 9);
    c.app.writeRecord(member);
    c.app.state.combos.at(1, 0) = combo(1, 0, "晚上", "游戏", 9, 3);
    c.app.state.combos.at(1, 1) = combo(1, 1, "晚上", "看书", 0, 0);
    c.app.state.sel.curMajor = 5;
    c.form.openAndFill(1, QStringLiteral("晚上"));
    QCOMPARE(c.app.state.sel.curMinor, 1);
    QVERIFY(c.icon(0));
    QCOMPARE(ui(c.form).Picture1[0]->accessibleDescription(), QStringLiteral("/opt/mail.exe"));
    QCOMPARE(c.title(0), QStringLiteral("游戏"));
    QCOMPARE(c.name(0), QStringLiteral("晚上"));
    // Without a first member: names, no icon.
    QVERIFY(!c.icon(1));
    QCOMPARE(c.title(1), QStringLiteral("看书"));
    QCOMPARE(c.name(1), QStringLiteral("晚上"));
    c.form.Picture1_MouseMove(0);
    QCOMPARE(ui(c.form).Picture1[0]->toolTip(), QStringLiteral("游戏说明使用2次"));
    c.form.Picture1_MouseMove(1);
    QCOMPARE(ui(c.form).Picture1[1]->toolTip(), QStringLiteral("未使用"));
    // A member whose catalogue place is empty now shows no icon either.
    c.app.state.catalogue.at(0, 2, 1) = {};
    c.form.openAndFill(1, QStringLiteral("晚上"));
    QVERIFY(!c.icon(0));
}

void Form3Test::reservedCategoryIsNotRefilled()
{
    Cat c;
    c.app.state.sel.curMajor = 0;
    c.app.file(0, 0, 0, "keep", 2);
    c.form.openAndFill(0, QStringLiteral("业务"));
    c.form.Picture1_MouseMove(0);
    const QString tip = ui(c.form).Picture1[0]->toolTip();
    c.app.state.sel.curMajor = 6;
    c.link.popup.moveLeft(3000);
    c.form.openAndFill(2, QString());
    QVERIFY(c.form.isVisible());
    QCOMPARE(c.form.leftTwips(), 3000 + 1800);
    QCOMPARE(c.title(0), QStringLiteral("keep标题"));
    QVERIFY(c.icon(0));
    c.form.Picture1_MouseMove(0);
    QCOMPARE(ui(c.form).Picture1[0]->toolTip(), tip);
}

void Form3Test::cellColours()
{
    Cat c;
    QCOMPARE(ui(c.form).Label1[2]->backColour(), kOverlayDesigned);
    c.form.Label2_MouseMove(2);
    for (int i = 0; i < 5; ++i) {
        const bool hovered = i == 2;
        QCOMPARE(ui(c.form).Label1[static_cast<std::size_t>(i)]->backColour(),
                 hovered ? 0x0000FFFFu : 0x00E35B48u);
        QCOMPARE(ui(c.form).Label2[static_cast<std::size_t>(i)]->textColour(),
                 hovered ? 0x000000FFu : 0x00E0E0E0u);
    }
    QCOMPARE(ui(c.form).Label1[2]->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0x00));
    c.form.Label1_MouseMove(0);
    QCOMPARE(ui(c.form).Label1[2]->backColour(), 0x00E35B48u);
    QCOMPARE(ui(c.form).Label1[0]->backColour(), 0x0000FFFFu);
    // Hovering a label does not select a slot.
    c.app.state.sel.curSlot = 3;
    c.form.Label1_MouseMove(1);
    QCOMPARE(c.app.state.sel.curSlot, 3);
}

QTEST_MAIN(Form3Test)
#include "test_form3.moc"
