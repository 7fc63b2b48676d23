// The main window's controls, its place on the screen and its window events.

#include "Form1.h"

#include "CaptionStrip.h"
#include "ClosingWatch.h"
#include "Form1Layout.h"
#include "Form2.h"
#include "TrayIcon.h"
#include "catwin/Form3.h"
#include "core/Launcher.h"
#include "platform/Desktop.h"
#include "platform/StartupTrace.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "ui/Colours.h"
#include "ui/EventLabel.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"
#include "ui/Windows.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>

#include <utility>

namespace qbx {

using namespace form1;

QString Form1::tileLabel(int i)
{
    return TileStrips::label(i);
}

Form1::Form1(Launcher& launcher, QWidget* parent)
    : QWidget(parent), launcher_(launcher), state_(launcher.state()), desktop_(launcher.desktop()),
      place_(*this), dock_(*this, place_, desktop_), popups_(launcher, *this, place_),
      tiles_(launcher, dock_, popups_, Picture1, Picture2, Image2, Image3)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velmora软件"));
    setFixedSize(twipSize(kOuterWidth, kOuterHeight));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x1f, 0x3a, 0x68)); // border and caption strip
    setPalette(pal);
    // Stays on top, as a tool window: set before the window is first shown.
    makeTopmostTool(*this, true);
    connect(&popups_, &PopupController::categoryIconPressed, this, &Form1::categoryIconPressed);
    connect(&popups_, &PopupController::categoryIconReleased, this, &Form1::categoryIconReleased);
    // The pop-up or the category window shown: the category-window timer has work again.
    connect(&popups_, &PopupController::windowShown, this, [this] {
        if (autoHide_)
            autoHide_->windowShown();
    });
    // The column follows its monitor: the windows beside its old place close first.
    connect(&dock_, &ColumnDock::aboutToFollowScreen, this, &Form1::closePopups);
    // However a menu or dialog closes, the hide timers end up as auto-hide says once none is left.
    connect(new ClosingWatch(this), &ClosingWatch::allClosed, this, [this] { setHideTimers(true); });
}

void Form1::build()
{
    if (std::exchange(built_, true))
        return;
    setFont(songTiFont());
    buildControls();
    buildMenus();
    nameControls();
    // Built after an early show, the controls are shown as the window's show would have.
    showChildrenMadeLate(*this);
    startup::checkpoint("the main window's controls and menus");
}

void Form1::load()
{
    build();
    Form_Load();
    dock_.followScreens();
}

// The pop-up and the category window, which refer to this window, go first with popups_.
Form1::~Form1() = default;

void Form1::buildControls()
{
    auto* caption = new CaptionStrip(QStringLiteral("Velmora软件"), this);
    caption->setGeometry(twipRect(kBorder, 0, kClientWidth, kCaptionHeight - kBorder / 3));
    caption->setFont(songTiFont(true));
    caption->setIndent(twipsToPx(60));
    QPalette cpal = caption->palette();
    cpal.setColor(QPalette::WindowText, Qt::white);
    caption->setPalette(cpal);

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setGeometry(twipRect(kBorder, kCaptionHeight, kClientWidth, kClientHeight));
    client_->setMouseTracking(true);
    client_->setAutoFillBackground(true);
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, QColor(0x2b, 0x4c, 0x7e));
    client_->setPalette(pal);
    client_->installEventFilter(this);

    auto band = [this](int top, int height) {
        auto* label = new EventLabel(client_);
        label->setGeometry(twipRect(0, top, 1815, height));
        label->setColours(0x00603A1C, kCaptionText);
        connect(label, &EventLabel::mouseMoved, this, [this](QPoint, Qt::MouseButtons) { Form_MouseMove(); });
        return label;
    };
    Label1 = band(0, 480);
    Label2 = band(7850, 405);

    Picture3 = new PictureBox(client_);
    Picture3->setGeometry(twipRect(720, 120, 735, 255));
    Picture3->hide();

    for (int i = 0; i < kTiles; ++i) {
        const auto at = static_cast<std::size_t>(i);
        auto* left = new PictureBox(client_);
        left->setGeometry(twipRect(0, kStripTop[at], kStripWidth, kStripHeight));
        Image3[at] = left;
        connect(left, &PictureBox::mouseMoved, this,
                [this, i](QPoint p, Qt::MouseButtons b) { Image3_MouseMove(i, b, p.x(), p.y()); });
        auto* right = new PictureBox(client_);
        right->setGeometry(twipRect(kRightStripLeft[at], kStripTop[at], kStripWidth, kStripHeight));
        Image2[at] = right;
        connect(right, &PictureBox::mouseMoved, this,
                [this, i](QPoint p, Qt::MouseButtons b) { Image2_MouseMove(i, b, p.x(), p.y()); });
        left->installEventFilter(this);
        right->installEventFilter(this);
    }

    Image4 = new PictureBox(client_);
    Image4->setGeometry(twipRect(0, 55, 370, 370));
    Image4->setAccessibleName(QStringLiteral("软件介绍"));
    Image4->setToolTip(QStringLiteral("点击看软件介绍！"));
    Image4->setCursor(Qt::PointingHandCursor);
    connect(Image4, &PictureBox::mouseReleased, this, [this](Qt::MouseButton b, QPoint p) {
        if (b == Qt::LeftButton && Image4->rect().contains(QPoint(twipsToPx(p.x()), twipsToPx(p.y()))))
            Image4_Click();
    });

    Label3 = new EventLabel(client_);
    Label3->setGeometry(twipRect(350, 100, 1500, 405));
    Label3->setText(QStringLiteral("Quillbox"));
    QFont titleFont = songTiFont(true);
    titleFont.setPointSize(12);
    Label3->setFont(titleFont);
    Label3->setTextColour(0x000000FF);
    Label3->setAlignment(Qt::AlignCenter);
    connect(Label3, &EventLabel::mouseMoved, this, [this](QPoint, Qt::MouseButtons) { Form_MouseMove(); });

    for (int i = 0; i < kTiles; ++i) {
        const auto at = static_cast<std::size_t>(i);
        auto* tile = new PictureBox(client_);
        tile->setGeometry(twipRect(kTileLeft, tileTop(i), kTileSize, kTileSize));
        tile->setAccessibleName(tileLabel(i));
        Picture1[at] = tile;
        connect(tile, &PictureBox::mouseMoved, this,
                [this, i](QPoint p, Qt::MouseButtons b) { Picture1_MouseMove(i, b, p.x(), p.y()); });
        connect(tile, &PictureBox::mousePressed, this,
                [this, i](Qt::MouseButton b, QPoint) { Picture1_MouseDown(i, b); });
        connect(tile, &PictureBox::mouseReleased, this,
                [this, i](Qt::MouseButton b, QPoint) { Picture1_MouseUp(i, b); });
        tile->installEventFilter(this);

        // The icon box lies inside its tile: the pointer over it is the pointer over the tile.
        auto* icon = new PictureBox(tile);
        icon->setGeometry(twipRect(kIconInset, kIconInset, kIconBox, kIconBox));
        icon->setAttribute(Qt::WA_TransparentForMouseEvents);
        icon->setDescribesPicture(false);
        Picture2[at] = icon;
    }

    Command1 = new QPushButton(QStringLiteral("设置"), client_);
    Command1->setGeometry(twipRect(0, 7850, 900, 375));
    Command1->setFocusPolicy(Qt::NoFocus);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    Command2 = new QPushButton(QStringLiteral("操作"), client_);
    Command2->setGeometry(twipRect(900, 7850, 900, 375));
    Command2->setFocusPolicy(Qt::NoFocus);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

void Form1::nameControls()
{
    const std::array<std::pair<QObject*, const char*>, 9> singles{{{Label1, "Label1"},
                                                                   {Label2, "Label2"},
                                                                   {Label3, "Label3"},
                                                                   {Image4, "Image4"},
                                                                   {Picture3, "Picture3"},
                                                                   {Command1, "Command1"},
                                                                   {Command2, "Command2"},
                                                                   {&Timer1, "Timer1"},
                                                                   {&Timer2, "Timer2"}}};
    for (const auto& [control, name] : singles)
        control->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < kTiles; ++i) {
        const auto at = static_cast<std::size_t>(i);
        Picture1[at]->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        Picture2[at]->setObjectName(QStringLiteral("Picture2_%1").arg(i));
        Image2[at]->setObjectName(QStringLiteral("Image2_%1").arg(i));
        Image3[at]->setObjectName(QStringLiteral("Image3_%1").arg(i));
    }
}

QIcon Form1::programWindowIcon() const
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2b, 0x4c, 0x7e));
    p.setPen(QPen(QColor(0xe6, 0x67, 0x37), 2));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(Qt::white);
    QFont f = songTiFont(true);
    f.setPixelSize(20);
    p.setFont(f);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("Q"));
    p.end();
    return QIcon(pixmap);
}

// ---- window events ----

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        closePopups();
}

void Form1::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    dock_.updateReservedEdge();
}

void Form1::closeEvent(QCloseEvent* event)
{
    closePopups();
    if (tray_)
        tray_->remove();
    emit unloading();
    event->accept();
    emit quitRequested();
}

void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    dock_.moved();
    if (autoHide_)
        autoHide_->mainWindowMoved();
    dock_.updateReservedEdge();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    // The pointer over the window's background (the client area between the controls).
    if (watched == client_ && event->type() == QEvent::MouseMove)
        Form_MouseMove();
    // The pointer left a tile or a strip beside it.
    if (event->type() == QEvent::Leave) {
        for (int i = 0; i < kTiles; ++i) {
            const auto at = static_cast<std::size_t>(i);
            if (watched == Picture1[at] || watched == Image2[at] || watched == Image3[at])
                pointerLeft(i, watched == Picture1[at]);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Timer3_Timer()
{
    dock_.keepAgainstEdges();
}

} // namespace qbx
