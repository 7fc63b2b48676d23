#include "Form8.h"

#include "EditReport.h"
#include "core/Launcher.h"
#include "core/ProgramChoice.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "ui/MainWindowLink.h"
#include "ui/Twips.h"
#include "ui/TypingLimit.h"
#include "ui/Windows.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qbx {

namespace {

QLabel* label(QWidget* parent, const QString& caption, QRect rect, const char* name)
{
    auto* l = new QLabel(caption, parent);
    l->setGeometry(rect);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, int left, const char* name)
{
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(twipRect(left, 2280, 975, 375));
    b->setAutoDefault(false);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

std::string utf8(const QString& s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

} // namespace

Form8::Form8(Launcher& launcher, MainWindowLink& link, int major, int minor, int slot)
    : QDialog(link.ownerWindow()), launcher_(launcher), link_(link), major_(major), minor_(minor), slot_(slot)
{
    setWindowTitle(QStringLiteral("更改标题"));
    setObjectName(QStringLiteral("Form8"));
    setFont(songTiFont());
    setFixedSize(twipSize(4320, 3060));
    setModal(true);

    Label1 = label(this, QStringLiteral("给该程序起个好听的标题！"), twipRect(593, 120, 3135, 255), "Label1");
    Label2 = label(this, QString(), twipRect(593, 600, 3135, 255), "Label2");
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("标题"));
    Text1->setGeometry(twipRect(1313, 1320, 1695, 465));
    QFont big = songTiFont(true);
    big.setPointSizeF(14.25);
    Text1->setFont(big);
    limitTyping(Text1, kTitleChars);
    Command1 = button(this, QStringLiteral("确定"), 480, "Command1");
    Command3 = button(this, QStringLiteral("清除标题"), 1673, "Command3");
    Command2 = button(this, QStringLiteral("取消"), 2880, "Command2");
    Command1->setDefault(true);

    connect(Command1, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Form8 确定", [this] { Command1_Click(); }); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "Form8 清除标题", [this] { Command3_Click(); }); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void Form8::Form_Load()
{
    const AppState& state = launcher_.state();
    if (!inCatalogue(major_, minor_, slot_))
        return;
    const ProgramEntry& e = state.catalogue.at(major_, minor_, slot_);
    Label2->setText(qs(e.name));
    setLimitedText(Text1, qs(e.title), kTitleChars);
}

bool Form8::retitle(const QString& title)
{
    if (!inCatalogue(major_, minor_, slot_))
        return false;
    const std::string description = launcher_.state().catalogue.at(major_, minor_, slot_).description;
    const EditOutcome outcome = launcher_.retitleProgram(major_, minor_, slot_, utf8(title), description);
    if (!showRefusal(launcher_.desktop(), this, outcome))
        return false;
    link_.closePopups();
    accept();
    return true;
}

void Form8::Command1_Click()
{
    if (retitle(Text1->text()))
        link_.setHideTimers(true);
}

void Form8::Command3_Click()
{
    setLimitedText(Text1, QString(), kTitleChars);
    retitle(QString());
}

} // namespace qbx
