// The combination editor: its controls, loading, the lists and the modes. The commands are in
// Form9Commands.cpp.

#include "Form9.h"

#include "core/Launcher.h"
#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/Store.h"
#include "ui/ListRows.h"
#include "ui/MainWindowLink.h"
#include "ui/TightLabel.h"
#include "ui/Twips.h"
#include "ui/TypingLimit.h"
#include "ui/Windows.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace qbx {

const QString Form9::kLoadHelp =
    QStringLiteral("设置程序组合步骤：《1》单击“增减分类”单选按钮，在“组合类别名”文本框中填写自定义的名字，再"
                   "点击“新增”按钮。"
                   "《2》单击“增减组合”单选按钮，在“组合名”文本框中填写自定义的名字，再点击“新增”按钮。");
const QString Form9::kGroupHelp = QStringLiteral("设置程序组合步骤：《1》单击“增减分类”单选按钮，在“组合类别"
                                                 "名”文本框中填写自定义的名字，再点击“新增”按钮。");
const QString Form9::kComboHelp =
    QStringLiteral("设置程序组合步骤：《2》单击“增减组合”单选按钮，先在“分类列表”中选定已定义的类别，再在“组"
                   "合名称”文本框中填写自定义的名字，"
                   "再点击“新增”按钮。");
const QString Form9::kMemberHelp =
    QStringLiteral("设置程序组合步骤：《3》先在“组合列表”中选定组合名称，再单击“增减程序”单选按钮，在弹出的程"
                   "序分类窗口的程序列表中选定要添加的"
                   "程序名称，点击“添加组合”按钮。");

namespace {

QLabel* label(QWidget* parent, const QString& caption, QRect rect, bool wrap = false)
{
    QLabel* l = wrap ? new TightLabel(caption, parent) : new QLabel(caption, parent);
    l->setGeometry(rect);
    l->setWordWrap(wrap);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QListWidget* list(QWidget* parent, const QString& name, QRect rect)
{
    auto* l = new QListWidget(parent);
    l->setAccessibleName(name);
    l->setGeometry(rect);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    fitRows(l, 4); // four whole rows, as the editor's lists show
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, int left)
{
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(twipRect(left, 2280, 975, 375));
    b->setAutoDefault(false);
    return b;
}

QRadioButton* option(QWidget* parent, const QString& caption, int top)
{
    auto* o = new QRadioButton(caption, parent);
    // Wide enough for the indicator and four characters; it ends where the description box begins.
    o->setGeometry(twipRect(180, top, 1140, 375));
    return o;
}

// The place a row stands for.
int placeOf(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && list->currentRow() >= 0 ? item->data(Qt::UserRole).toInt() : -1;
}

void selectQuietly(QListWidget* list, int row)
{
    const QSignalBlocker quiet(list);
    list->setCurrentRow(row);
}

} // namespace

Form9::Form9(Launcher& launcher, MainWindowLink& link, QWidget* parent)
    : QDialog(parent ? parent : link.ownerWindow()), launcher_(launcher), link_(link),
      state_(launcher.state()), desktop_(launcher.desktop())
{
    buildControls();
}

void Form9::buildControls()
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("组合程序设置"));
    setFont(songTiFont());
    setFixedSize(twipSize(6120, 5820));

    Label4 = label(this, QStringLiteral("程序组合分类"), twipRect(360, 120, 1700, 375));
    Label5 = label(this, QStringLiteral("程序组合名称"), twipRect(2280, 120, 1700, 375));
    Label6 = label(this, QStringLiteral("组合程序列表"), twipRect(4440, 120, 1600, 375));
    List1 = list(this, QStringLiteral("程序组合分类"), twipRect(240, 600, 1575, 960));
    List2 = list(this, QStringLiteral("程序组合名称"), twipRect(2280, 600, 1575, 960));
    List3 = list(this, QStringLiteral("组合程序列表"), twipRect(4320, 600, 1575, 960));
    Label1 = label(this, kLoadHelp, twipRect(240, 1800, 5655, 855), true);

    Frame1 = new QGroupBox(QStringLiteral("程序组合操作"), this);
    Frame1->setGeometry(twipRect(240, 2880, 5655, 2775));
    // The caption sits on the frame's top line, so the controls keep their designed places below it.
    Frame1->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 7px; }"
                                         "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: "
                                         "top left; left: 8px; padding: 0 2px; }"));
    Option1 = option(Frame1, QStringLiteral("添减分类"), 480);
    Option2 = option(Frame1, QStringLiteral("添减组合"), 1042);
    Option3 = option(Frame1, QStringLiteral("添减程序"), 1680);
    Label2 = label(Frame1, QStringLiteral("类别名"), twipRect(2280, 240, 1935, 330));
    Text1 = new QLineEdit(Frame1);
    Text1->setAccessibleName(QStringLiteral("类别名")); // named after the label above it
    Text1->setGeometry(twipRect(2160, 600, 1935, 270));
    limitTyping(Text1, kComboNameChars);
    Label3 = label(Frame1, QStringLiteral("程序组合说明"), twipRect(2520, 1080, 2500, 330));
    Text2 = new QPlainTextEdit(Frame1);
    Text2->setAccessibleName(QStringLiteral("程序组合说明"));
    Text2->setGeometry(twipRect(1320, 1680, 4215, 495));
    text2Limit_ = new PlainTextLimit(Text2, kComboDescriptionChars);
    Command1 = button(Frame1, QStringLiteral("新增"), 240);
    Command3 = button(Frame1, QStringLiteral("更名"), 1680);
    Command2 = button(Frame1, QStringLiteral("删除"), 3120);
    Command5 = button(Frame1, QStringLiteral("退出"), 4440);

    // Each handler runs guarded: a failing step is logged and the window goes on. A list left
    // without a selection empties what depends on it.
    const auto handle = [this](auto* sender, auto signal, const char* what, void (Form9::*handler)()) {
        connect(sender, signal, this,
                [this, what, handler] { guarded(lcWindows, what, [this, handler] { (this->*handler)(); }); });
    };
    handle(List1, &QListWidget::currentRowChanged, "List1_Click", &Form9::List1_Click);
    handle(List2, &QListWidget::currentRowChanged, "List2_Click", &Form9::List2_Click);
    handle(Option1, &QRadioButton::clicked, "Option1_Click", &Form9::Option1_Click);
    handle(Option2, &QRadioButton::clicked, "Option2_Click", &Form9::Option2_Click);
    handle(Option3, &QRadioButton::clicked, "Option3_Click", &Form9::Option3_Click);
    handle(Command1, &QPushButton::clicked, "Command1_Click", &Form9::Command1_Click);
    handle(Command2, &QPushButton::clicked, "Command2_Click", &Form9::Command2_Click);
    handle(Command3, &QPushButton::clicked, "Command3_Click", &Form9::Command3_Click);
    handle(Command5, &QPushButton::clicked, "Command5_Click", &Form9::Command5_Click);
    handle(Text2, &QPlainTextEdit::textChanged, "Text2_Change", &Form9::Text2_Change);
}

void Form9::load()
{
    guarded(lcWindows, "Form_Load", [this] { Form_Load(); });
}

int Form9::openModal()
{
    load();
    setModal(true);
    return exec();
}

void Form9::setText1(const QString& text)
{
    setLimitedText(Text1, text, kComboNameChars);
}

void Form9::setText2(const QString& text)
{
    settingText2_ = true;
    text2Limit_->setText(text);
    settingText2_ = false;
    text2Length_ = static_cast<int>(Text2->toPlainText().size());
}

int Form9::selectedGroup() const
{
    return List1->currentRow() >= 0 ? List1->currentRow() : -1;
}
int Form9::selectedPosition() const
{
    return selectedGroup() >= 0 ? placeOf(List2) : -1;
}
int Form9::selectedMember() const
{
    return selectedPosition() >= 0 ? placeOf(List3) : -1;
}

void Form9::Form_Load()
{
    rebuildLists(0, 0);
    selectMode(1);
    Label1->setText(kLoadHelp);
}

void Form9::rebuildLists(int recordNo, int fallbackGroup)
{
    {
        const QSignalBlocker quiet(List1);
        List1->clear();
        for (int g = 0; g < kGroups; ++g) {
            const std::string& name = state_.combos.at(g, 0).groupName;
            List1->addItem(name.empty() ? QStringLiteral("自定义") : qs(name));
        }
    }
    int group = std::clamp(fallbackGroup, 0, kGroups - 1);
    int position = -1;
    findCombo(state_.combos, recordNo, group, position);
    selectQuietly(List1, group);
    List1_Click();
    for (int row = 0; row < List2->count(); ++row) {
        if (List2->item(row)->data(Qt::UserRole).toInt() == position && row != List2->currentRow()) {
            selectQuietly(List2, row);
            List2_Click();
        }
    }
}

void Form9::List1_Click()
{
    const int g = selectedGroup();
    List3->clear();
    {
        const QSignalBlocker quiet(List2);
        List2->clear();
    }
    setText1(QString());
    setText2(QString());
    if (g < 0 || g >= kGroups)
        return;
    if (!state_.combos.at(g, 0).groupName.empty())
        setText1(qs(state_.combos.at(g, 0).groupName));
    {
        const QSignalBlocker quiet(List2);
        for (int p = 0; p < kUsedPositions; ++p) {
            const std::string& name = state_.combos.at(g, p).name;
            if (name.empty())
                continue;
            auto* row = new QListWidgetItem(qs(name), List2);
            row->setData(Qt::UserRole, p);
        }
    }
    if (List2->count() > 0) {
        selectQuietly(List2, 0);
        List2_Click();
    }
}

void Form9::List2_Click()
{
    List3->clear();
    const int g = selectedGroup();
    const int p = selectedPosition();
    if (g < 0 || g >= kGroups || p < 0 || p >= kUsedPositions)
        return;
    const ComboEntry& o = state_.combos.at(g, p);
    {
        // Member names come from the members' own records.
        const QSignalBlocker quiet(List3);
        for (int k = 0; k < kComboMembers; ++k) {
            const int r = o.programs[static_cast<std::size_t>(k)];
            if (r <= 0)
                continue;
            auto* row = new QListWidgetItem(qs(readProgramRecord(state_, r).name), List3);
            row->setData(Qt::UserRole, k);
        }
        if (List3->count() > 0)
            List3->setCurrentRow(0);
    }
    if (!o.name.empty())
        setText1(qs(o.name));
    if (!o.description.empty())
        setText2(qs(o.description));
}

void Form9::selectMode(int mode)
{
    QRadioButton* option = mode == 1 ? Option1 : mode == 2 ? Option2 : Option3;
    {
        const QSignalBlocker quiet(option);
        option->setChecked(true);
    }
    if (mode == 1)
        Option1_Click();
    else if (mode == 2)
        Option2_Click();
    else
        Option3_Click();
}

void Form9::Option1_Click()
{
    Label1->setText(kGroupHelp);
    Text1->setEnabled(true);
    Text2->setEnabled(false);
    Label2->clear();
    setText1(QString());
    setText2(QString());
    const int g = selectedGroup();
    if (g >= 0 && g < kGroups && !state_.combos.at(g, 0).groupName.empty())
        setText1(qs(state_.combos.at(g, 0).groupName));
    Label2->setText(QStringLiteral("类别名"));
}

void Form9::Option2_Click()
{
    Text1->setEnabled(true);
    Text2->setEnabled(true);
    Label1->setText(kComboHelp);
    Label2->clear();
    Label3->clear();
    setText1(QString());
    const int g = selectedGroup();
    const int p = selectedPosition();
    if (g >= 0 && g < kGroups && p >= 0 && p < kUsedPositions) {
        const ComboEntry& o = state_.combos.at(g, p);
        if (!o.name.empty())
            setText1(qs(o.name));
        setText2(o.description.empty() ? QString() : qs(o.description));
    }
    Label2->setText(QStringLiteral("程序组合名"));
    Label3->setText(QStringLiteral("组合说明"));
}

void Form9::Option3_Click()
{
    Label2->setText(QStringLiteral("程序组合名"));
    Label3->clear();
    Label1->setText(kMemberHelp);
    Text1->setEnabled(false);
    Text2->setEnabled(false);
}

void Form9::Text2_Change()
{
    const int length = static_cast<int>(Text2->toPlainText().size());
    const bool reached = !settingText2_ && length == kComboDescriptionChars && text2Length_ != length;
    text2Length_ = length;
    if (reached)
        desktop_.message(this, QStringLiteral("说明字数已满！"));
}

void Form9::Form_Unload()
{
    link_.restoreAutoHide();
    link_.setCategoryTimer(true);
}

void Form9::Command5_Click()
{
    reject();
}

void Form9::done(int result)
{
    guarded(lcWindows, "Form_Unload", [this] { Form_Unload(); });
    QDialog::done(result);
}

} // namespace qbx
