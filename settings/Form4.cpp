#include "Form4.h"

#include "core/SettingsChoices.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qbx {
namespace {

QComboBox* secondsList(QWidget* parent, int items, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    for (int s = 1; s <= items; ++s)
        combo->addItem(QString::number(s));
    combo->setCurrentIndex(-1);
    return combo;
}

} // namespace

Form4::Form4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("系统设置"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Frame1 = new QGroupBox(QStringLiteral("开机启动设置"), this);
    auto* options = new QVBoxLayout(Frame1);
    const std::array<const char*, 4> captions{"开机启动并显示", "开机启动并隐藏", "开机启动并最小化",
                                              "不开机启动"};
    for (int i = 0; i < 4; ++i) {
        Option[i] = new QRadioButton(QString::fromUtf8(captions[i]), Frame1);
        Option[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        options->addWidget(Option[i]);
        connect(Option[i], &QRadioButton::clicked, this, [this, i] { Option_Click(i + 1); });
    }

    Frame2 = new QGroupBox(QStringLiteral("自动隐藏时间设置"), this);
    auto* delays = new QGridLayout(Frame2);
    Label1 = new QLabel(QStringLiteral("主窗口隐藏时间（秒）"), Frame2);
    Combo1 = secondsList(Frame2, kMainDelayItems, "Combo1");
    Label1->setBuddy(Combo1);
    Label2 = new QLabel(QStringLiteral("分类窗口隐藏时间（秒）"), Frame2);
    Combo2 = secondsList(Frame2, kCategoryDelayItems, "Combo2");
    Label2->setBuddy(Combo2);
    delays->addWidget(Label1, 0, 0);
    delays->addWidget(Combo1, 0, 1);
    delays->addWidget(Label2, 1, 0);
    delays->addWidget(Combo2, 1, 1);
    connect(Combo1, &QComboBox::activated, this, &Form4::Combo1_Click);
    connect(Combo2, &QComboBox::activated, this, &Form4::Combo2_Click);

    Frame3 = new QGroupBox(QStringLiteral("查找程序快捷键"), this);
    auto* keys = new QVBoxLayout(Frame3);
    Shortcut = new QKeySequenceEdit(Frame3);
    Shortcut->setObjectName(QStringLiteral("Shortcut"));
    Shortcut->setAccessibleName(QStringLiteral("查找程序快捷键"));
    Shortcut->setClearButtonEnabled(true);
    // The box's own hint is the toolkit's English unless its translation is loaded.
    if (auto* line = Shortcut->findChild<QLineEdit*>())
        line->setPlaceholderText(QStringLiteral("请按下快捷键"));
    Shortcut->installEventFilter(this);
    Label3 = new QLabel(Frame3);
    Label3->setWordWrap(true);
    Label3->hide();
    keys->addWidget(Shortcut);
    keys->addWidget(Label3);
    connect(Shortcut, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence& typed) {
        // The box reports once typing has paused (or it was cleared). One combination is kept:
        // of several typed in a row, the last.
        const QKeySequence one = typed.isEmpty() ? QKeySequence() : QKeySequence(typed[typed.count() - 1]);
        const QString keys = one.toString(QKeySequence::PortableText);
        if (one != typed)
            loadShortcut(keys);
        emit shortcutChosen(keys);
    });

    Command1 = new QPushButton(QStringLiteral("确定"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addWidget(Frame3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Form4::load(int startMode, int mainHideDelayMs, int categoryHideDelayMs)
{
    if (const int option = startOption(startMode)) {
        Option[option - 1]->setChecked(true);
        Option_Click(option);
    }
    const int main = delayIndex(mainHideDelayMs, Combo1->count());
    Combo1->setCurrentIndex(main);
    if (main >= 0)
        Combo1_Click(main);
    const int category = delayIndex(categoryHideDelayMs, Combo2->count());
    Combo2->setCurrentIndex(category);
    if (category >= 0)
        Combo2_Click(category);
}

void Form4::loadShortcut(const QString& keys)
{
    const QSignalBlocker quiet(Shortcut);
    Shortcut->setKeySequence(QKeySequence(keys, QKeySequence::PortableText));
}

bool Form4::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Shortcut && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        emit shortcutFocused(event->type() == QEvent::FocusIn);
    return QDialog::eventFilter(watched, event);
}

void Form4::showShortcutProblem(const QString& why)
{
    Label3->setText(why);
    Label3->setVisible(!why.isEmpty());
}

void Form4::Option_Click(int option)
{
    emit startModeChosen(option);
}

void Form4::Combo1_Click(int index)
{
    emit mainDelayChosen(Combo1->itemText(index).toInt());
}

void Form4::Combo2_Click(int index)
{
    emit categoryDelayChosen(Combo2->itemText(index).toInt());
}

} // namespace qbx
