// The classification editor: its controls, the ways of opening it, loading, the three lists and
// closing. The commands are in Form6Commands.cpp.

#include "Form6.h"

#include "core/CatalogueEdits.h"
#include "core/Launcher.h"
#include "core/ProgramChoice.h"
#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "ui/ListRows.h"
#include "ui/MainWindowLink.h"
#include "ui/TightLabel.h"
#include "ui/Twips.h"
#include "ui/TypingLimit.h"
#include "ui/Windows.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace qbx {

namespace {

// The help line of each way of opening the editor.
const QString kDesignerHelp = QStringLiteral("添加帮助：请先点击“查找程序”按键在弹出的查找对话框中选定要添加"
                                             "的程序名，确定后在小类列表中选定小类名再按“添加分类”按键。");
const QString kChangeHelp =
    QStringLiteral("更改帮助：请在程序小类列表中选定要更改为的分类，再点击“更改”按键。");
const QString kExchangeHelp = QStringLiteral(
    "交换帮助：请先在程序列表中选定要交换分类的程序，再点击“交换”按键。（两个程序的分类将相互对调）”");

QLabel* label(QWidget* parent, const QString& caption, int left, int top)
{
    auto* l = new QLabel(caption, parent);
    l->adjustSize();
    l->move(twipsToPx(left), twipsToPx(top));
    return l;
}

QLabel* label(QWidget* parent, const QString& caption, QRect rect)
{
    auto* l = new TightLabel(caption, parent);
    l->setGeometry(rect);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, QRect rect)
{
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(rect);
    b->setAutoDefault(false);
    return b;
}

QListWidget* list(QWidget* parent, QRect rect)
{
    auto* l = new QListWidget(parent);
    l->setGeometry(rect);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

// Selects `row`, which runs the list's selection handler; when the row is already current the
// handler is run directly, as a fresh selection would.
template <typename F>
void selectRow(QListWidget* list, int row, F&& handler)
{
    if (list->currentRow() == row)
        handler();
    else
        list->setCurrentRow(row);
}

} // namespace

Form6::Form6(Launcher& launcher, MainWindowLink& link, QWidget* parent)
    : QDialog(parent ? parent : link.ownerWindow()), launcher_(launcher), state_(launcher.state()),
      desktop_(launcher.desktop()), link_(link)
{
    buildControls();
}

void Form6::buildControls()
{
    setWindowTitle(QStringLiteral("软件添加分类"));
    setFont(songTiFont());
    setFixedSize(twipSize(6360, 6045));

    Label5 = label(this, QStringLiteral("大类列表"), 480, 120);
    Label6 = label(this, QStringLiteral("小类列表"), 2520, 120);
    Label7 = label(this, QStringLiteral("程序列表"), 4560, 120);
    List1 = list(this, twipRect(120, 480, 1935, 960));
    List2 = list(this, twipRect(2160, 480, 1935, 960));
    // The category lists' boxes were made for four whole rows.
    fitRows(List1, 4);
    fitRows(List2, 4);
    List3 = list(this, twipRect(4200, 480, 1935, 4560));
    Label3 = label(this, QString(), twipRect(240, 1680, 3735, 495));
    Label1 = label(this, QStringLiteral("程序标题"), 240, 2520);
    Text1 = new QLineEdit(this);
    Text1->setGeometry(twipRect(1320, 2520, 1215, 270));
    limitTyping(Text1, kTitleChars);
    Label8 = label(this, QString(), twipRect(2640, 2520, 1455, 375));
    Label2 = label(this, QStringLiteral("程序说明"), 240, 3240);
    Text2 = new QPlainTextEdit(this);
    Text2->setGeometry(twipRect(1320, 3120, 2775, 495));
    text2Limit_ = new PlainTextLimit(Text2, kDescriptionChars);
    Command8 = button(this, QStringLiteral("更改标题或说明"), twipRect(1200, 3720, 1815, 375));
    Label4 = label(this, kDesignerHelp, twipRect(120, 4200, 3975, 735));
    Command1 = button(this, QStringLiteral("更改"), twipRect(120, 5040, 1095, 375));
    command4 = button(this, QStringLiteral("加入组合"), twipRect(1560, 5040, 1095, 375));
    Command2 = button(this, QStringLiteral("替换"), twipRect(3000, 5040, 1095, 375));
    Command7 = button(this, QStringLiteral("查找程序"), twipRect(120, 5520, 1095, 375));
    Command3 = button(this, QStringLiteral("添加分类"), twipRect(1560, 5520, 1095, 375));
    Command6 = button(this, QStringLiteral("删除分类"), twipRect(3000, 5520, 1095, 375));
    Command5 = button(this, QStringLiteral("退出"), twipRect(4680, 5400, 1095, 495));

    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            guarded(lcWindows, "List1_Click", [this] { List1_Click(); });
    });
    connect(List2, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            guarded(lcWindows, "List2_Click", [this] { List2_Click(); });
    });
    connect(List3, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            guarded(lcWindows, "List3_Click", [this] { List3_Click(); });
    });
    connect(Command1, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Command1_Click", [this] { Command1_Click(); }); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Command2_Click", [this] { Command2_Click(); }); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Command3_Click", [this] { Command3_Click(); }); });
    connect(command4, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "command4_Click", [this] { command4_Click(); }); });
    connect(Command5, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Command5_Click", [this] { Command5_Click(); }); });
    connect(Command6, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Command6_Click", [this] { Command6_Click(); }); });
    connect(Command7, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Command7_Click", [this] { Command7_Click(); }); });
    connect(Command8, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Command8_Click", [this] { Command8_Click(); }); });
}

void Form6::load(Form6Mode mode, std::optional<ProgramPlace> place)
{
    const Selection& sel = state_.sel;
    place_ = place.value_or(ProgramPlace{sel.curMajor, sel.curMinor, sel.curSlot});
    guarded(lcWindows, "Form_Load", [this] { Form_Load(); });
    const bool menu = mode == Form6Mode::ClassifyMenu;
    const bool add = mode == Form6Mode::AddProgram;
    Command1->setVisible(mode == Form6Mode::ChangeCategory);
    Command2->setVisible(mode == Form6Mode::ExchangeCategory);
    command4->setVisible(mode == Form6Mode::AddToCombination);
    Command3->setVisible(menu || add);
    Command7->setVisible(menu || add);
    Command6->setVisible(menu);
    Command8->setVisible(menu);
    Command5->setVisible(true);
    if (mode == Form6Mode::ChangeCategory)
        Label4->setText(kChangeHelp);
    else if (mode == Form6Mode::ExchangeCategory)
        Label4->setText(kExchangeHelp);
    else
        Label4->setText(kDesignerHelp);
}

int Form6::openModal(Form6Mode mode, std::optional<ProgramPlace> place)
{
    load(mode, place);
    setModal(true);
    return exec();
}

void Form6::setText2(const QString& text)
{
    text2Limit_->setText(text);
}

void Form6::showCount()
{
    Label8->setText(QStringLiteral("共有分类软件") + QString::number(state_.settings.ycount) +
                    QStringLiteral("个！"));
    shrinkToOneLine(Label8, font());
}

void Form6::resetPendingProgram()
{
    ProgramEntry reset;
    reset.major = -1;
    reset.minor = -1;
    reset.slot = -1;
    launcher_.holdPendingProgram(reset);
}

bool Form6::selectedPlace(int& major, int& minor, int& slot) const
{
    major = List1->currentRow();
    if (major < 0 || major >= kNamedMajors || List2->currentRow() < 0 || List3->currentRow() < 0)
        return false;
    minor = minorColumn(state_, major, List2->currentRow());
    slot = List3->currentRow();
    return minor >= 0 && slot < kSlots;
}

bool Form6::reported(const Status& status)
{
    if (!status)
        desktop_.message(this, QString::fromUtf8(status.error().message.c_str()));
    return status.ok();
}

void Form6::Form_Load()
{
    List3->clear();
    showCount();

    {
        const QSignalBlocker quiet(List1);
        List1->clear();
        for (const std::string& name : majorNames())
            List1->addItem(qs(name));
        List1->setCurrentRow(-1);
    }

    const ProgramPlace& at = place_;
    const bool current = inCatalogue(at.major, at.minor, at.slot);
    if (current) {
        const ProgramEntry& e = state_.catalogue.at(at.major, at.minor, at.slot);
        const auto majors = List1->findItems(qs(e.majorName), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!e.majorName.empty() && !majors.isEmpty()) {
            selectRow(List1, List1->row(majors.first()), [this] { List1_Click(); });
            const auto minors = List2->findItems(qs(e.minorName), Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (!e.minorName.empty() && !minors.isEmpty())
                selectRow(List2, List2->row(minors.first()), [this] { List2_Click(); });
        }
    }
    if (List1->currentRow() < 0)
        selectRow(List1, 0, [this] { List1_Click(); });

    // The row of the program the editor opened on, when that is a row of the list.
    if (current && List3->count() > 0) {
        const int row = state_.catalogue.at(at.major, at.minor, at.slot).slot;
        if (row >= 0 && row < List3->count())
            List3->setCurrentRow(row);
    }
    Command3->setEnabled(false);
}

void Form6::List1_Click()
{
    const int m = List1->currentRow();
    List3->clear();
    {
        const QSignalBlocker quiet(List2);
        List2->clear();
        if (m >= 0 && m < kNamedMajors) {
            for (const std::string& name : minorNames(m))
                List2->addItem(qs(name));
        }
        List2->setCurrentRow(-1);
    }
    if (List2->count() > 0)
        selectRow(List2, 0, [this] { List2_Click(); });
    else
        Label3->setText(List1->currentItem() ? List1->currentItem()->text() : QString());
}

void Form6::List2_Click()
{
    const int m = List1->currentRow();
    if (m >= 0) {
        {
            const QSignalBlocker quiet(List3);
            List3->clear();
        }
        ListedMajor = m;
        ListedMinor = minorColumn(state_, m, List2->currentRow());
        if (ListedMinor >= 0) {
            const QSignalBlocker quiet(List3);
            for (int s = 0; s < kSlots; ++s) {
                const ProgramEntry& e = state_.catalogue.at(ListedMajor, ListedMinor, s);
                if (!e.name.empty())
                    List3->addItem(QString::number(s + 1) + QLatin1Char(' ') + qs(e.name));
            }
            List3->setCurrentRow(-1);
        }
    }
    Label3->setText((List1->currentItem() ? List1->currentItem()->text() : QString()) + QLatin1Char('-') +
                    (List2->currentItem() ? List2->currentItem()->text() : QString()));
    if (List3->count() > 0)
        selectRow(List3, 0, [this] { List3_Click(); });
}

void Form6::List3_Click()
{
    const int r = List3->currentRow();
    setLimitedText(Text1, QString(), kTitleChars);
    setText2(QString());
    Label3->clear();
    ListedMajor = List1->currentRow();
    if (ListedMajor < 0 || ListedMajor >= kNamedMajors || ListedMinor < 0 || r < 0 || r >= kSlots)
        return;
    const ProgramEntry& e = state_.catalogue.at(ListedMajor, ListedMinor, r);
    if (!e.title.empty())
        setLimitedText(Text1, qs(e.title), kTitleChars);
    if (!e.exePath.empty())
        Label3->setText(qs(e.majorName) + QLatin1Char('-') + qs(e.minorName) + QLatin1Char(' ') +
                        qs(e.exePath));
    if (!e.description.empty())
        setText2(qs(e.description));
}

void Form6::Form_Unload()
{
    link_.restoreAutoHide();
    link_.setCategoryTimer(true);
}

void Form6::Command5_Click()
{
    Form_Unload();
    close();
}

void Form6::done(int result)
{
    guarded(lcWindows, "Form_Unload", [this] { Form_Unload(); });
    QDialog::done(result);
}

} // namespace qbx
