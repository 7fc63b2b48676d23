#include "Form10.h"

#include "platform/Text.h"
#include "ui/Colours.h"
#include "ui/Twips.h"
#include "ui/Windows.h"

#include <QLabel>
#include <QPushButton>

namespace qbx {

namespace {

constexpr std::uint32_t kHeadingColour = 0x000000FF; // red
constexpr std::uint32_t kLineColour = 0x00000040;    // dark red
constexpr int kCountdownSeconds = 4;                 // set at the first tick; 3 ... 0 shown after it

QLabel* label(QWidget* parent, const QString& text, QRect rect, std::uint32_t colour)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(rect);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, bgrColour(colour));
    l->setPalette(pal);
    return l;
}

QString designText(int k)
{
    return QStringLiteral("程序%1 没有安排程序。").arg(k + 1);
}

} // namespace

Form10::Form10(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("程序组合启动报告"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(songTiFont());
    setFixedSize(twipSize(4455, 2730));

    Label1 = label(this, QStringLiteral("程序组合启动完毕！"), twipRect(120, 0, 4215, 495), kHeadingColour);
    QFont heading = songTiFont(true);
    heading.setPointSizeF(21.75);
    Label1->setFont(heading);
    for (int k = 0; k < kLines; ++k)
        lines[static_cast<std::size_t>(k)] =
            label(this, designText(k), twipRect(120, 720 + 255 * k, 4215, 255), kLineColour);
    Label7 = label(this, QString(), twipRect(120, 2160, 1815, 375), kWindowText);
    Command1 = new QPushButton(QStringLiteral("再看一下"), this);
    // The two buttons keep a margin from the window's right edge, as the texts do on the left.
    Command1->setGeometry(twipRect(1995, 2160, 1095, 495));
    Command2 = new QPushButton(QStringLiteral("关闭窗口"), this);
    Command2->setGeometry(twipRect(3180, 2160, 1095, 495));

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &Form10::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &Form10::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form10::Command2_Click);
    Form_Load();
}

QString Form10::lineText(int k, const MemberLaunch& member)
{
    switch (member.outcome) {
    case MemberLaunch::Outcome::Started:
        return QStringLiteral("程序%1 ").arg(k + 1) + qs(member.name) + QStringLiteral("启动成功！");
    case MemberLaunch::Outcome::Failed:
        return QStringLiteral("程序%1 ").arg(k + 1) + qs(member.name) + QStringLiteral("启动失败！");
    case MemberLaunch::Outcome::NotAssigned:
        break;
    }
    return designText(k);
}

void Form10::Form_Load()
{
    firstTick_ = true;
    remaining_ = 0;
    Label7->clear();
    Timer1.start();
}

void Form10::showReport(const LaunchResult& result, const QRect& screen)
{
    // A report still open from an earlier launch starts again, so two launches never mix.
    Form_Load();
    for (int k = 0; k < kLines; ++k)
        lines[static_cast<std::size_t>(k)]->setText(lineText(k, result[static_cast<std::size_t>(k)]));
    placeTopRight(screen);
    show();
    raise();
    placeTopRight(screen); // again with the frame the window manager gave it
}

void Form10::placeTopRight(const QRect& screen)
{
    const int frameWidth = isVisible() ? frameGeometry().width() : width();
    move(screen.x() + screen.width() - frameWidth, screen.y());
}

void Form10::Timer1_Timer()
{
    if (firstTick_) {
        remaining_ = kCountdownSeconds;
        firstTick_ = false;
        return;
    }
    --remaining_;
    Label7->setText(QString::number(remaining_) + QStringLiteral("秒后该窗口关闭！"));
    if (remaining_ <= 0)
        unload();
}

void Form10::Command1_Click()
{
    Timer1.stop();
    Label7->clear();
}

void Form10::Command2_Click()
{
    unload();
}

void Form10::unload()
{
    Timer1.stop();
    close();
}

} // namespace qbx
