#include "Form1.h"

#include "AppState.h"
#include "CaptionStrip.h"
#include "Colours.h"
#include "Desktop.h"
#include "EventLabel.h"
#include "Form1Layout.h"
#include "Form2.h"
#include "Form3.h"
#include "PictureBox.h"
#include "Repair.h"
#include "ProgramIcon.h"
#include "Skin.h"
#include "Store.h"
#include "Text.h"
#include "TrayIcon.h"
#include "Unclassified.h"
#include "Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QLoggingCategory>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace qbx {

using namespace form1;

namespace {

Q_LOGGING_CATEGORY(lcDataRepair, "qbx.data.repair")

constexpr const char* kTileRest = "pnl11.jpg";
constexpr const char* kArrowRight = "pnl21.jpg";

QString tileName(int i)
{
    if (i < kNamedMajors)
        return QStringLiteral("tile-") + qs(majorNames()[static_cast<std::size_t>(i)]);
    return i == kNamedMajors ? QStringLiteral("tile-程序组合") : QStringLiteral("tile-预留");
}

// Enables a timer; one whose interval is not positive never fires (HideTimer does not spin).
void enable(HideTimer& timer, bool on) { timer.setEnabled(on); }

// Runs one start-up step; a failing step is skipped and the next one runs.
template <typename Step> void step(Step&& s)
{
    try {
        s();
    } catch (...) {
    }
}

} // namespace

Form1::Form1(AppState& state, Desktop& desktop, QWidget* parent)
    : QWidget(parent), state_(state), desktop_(desktop), place_(*this)
{
    quitProgram = [] { QCoreApplication::quit(); };
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velmora软件"));
    setFixedSize(twipSize(kOuterWidth, kOuterHeight));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x1f, 0x3a, 0x68)); // border and caption strip
    setPalette(pal);
    buildControls();
    buildMenus();
    state_.tilesChanged = [this] { refreshTileIcons(); };
    Form_Load();
}

Form1::~Form1()
{
    state_.tilesChanged = nullptr;
    // The two windows refer to this one: they go with it, not later.
    delete form3_.release();
    delete form2_.release();
}

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
        left->setAccessibleName(QStringLiteral("strip-left-%1").arg(i));
        Image3[at] = left;
        connect(left, &PictureBox::mouseMoved, this,
                [this, i](QPoint p, Qt::MouseButtons b) { Image3_MouseMove(i, b, p.x(), p.y()); });
        auto* right = new PictureBox(client_);
        right->setGeometry(twipRect(kRightStripLeft[at], kStripTop[at], kStripWidth, kStripHeight));
        right->setAccessibleName(QStringLiteral("strip-right-%1").arg(i));
        Image2[at] = right;
        connect(right, &PictureBox::mouseMoved, this,
                [this, i](QPoint p, Qt::MouseButtons b) { Image2_MouseMove(i, b, p.x(), p.y()); });
    }

    Image4 = new PictureBox(client_);
    Image4->setGeometry(twipRect(0, 55, 370, 370));
    Image4->setAccessibleName(QStringLiteral("intro-icon"));
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
        tile->setAccessibleName(tileName(i));
        Picture1[at] = tile;
        connect(tile, &PictureBox::mouseMoved, this,
                [this, i](QPoint p, Qt::MouseButtons b) { Picture1_MouseMove(i, b, p.x(), p.y()); });
        connect(tile, &PictureBox::mousePressed, this, [this, i](Qt::MouseButton b, QPoint) { Picture1_MouseDown(i, b); });
        connect(tile, &PictureBox::mouseReleased, this, [this, i](Qt::MouseButton b, QPoint) { Picture1_MouseUp(i, b); });

        // The icon box lies inside its tile: the pointer over it is the pointer over the tile.
        auto* icon = new PictureBox(tile);
        icon->setGeometry(twipRect(kIconInset, kIconInset, kIconBox, kIconBox));
        icon->setAttribute(Qt::WA_TransparentForMouseEvents);
        icon->setDescribesPicture(false);
        icon->setAccessibleName(QStringLiteral("tile-icon-%1").arg(i));
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

void Form1::buildMenus()
{
    sz = new QMenu(QStringLiteral("设置"), this);
    sz->setObjectName(QStringLiteral("sz"));
    fl = sz->addAction(QStringLiteral("分类程序设置"));
    cx = sz->addAction(QStringLiteral("程序组合设置"));
    xt = sz->addAction(QStringLiteral("系统设置"));

    cz = new QMenu(QStringLiteral("操作"), this);
    cz->setObjectName(QStringLiteral("cz"));
    zx = cz->addAction(QStringLiteral("最小化"));
    yc = cz->addAction(QStringLiteral("不自动隐藏"));
    cz->addSeparator()->setObjectName(QStringLiteral("zz"));
    gu = cz->addAction(QStringLiteral("关于"));
    bz = cz->addAction(QStringLiteral("帮助"));
    cz->addSeparator()->setObjectName(QStringLiteral("z"));
    tc = cz->addAction(QStringLiteral("退出"));

    const std::array<std::pair<QAction*, const char*>, 8> names{{{fl, "fl"},
                                                                 {cx, "cx"},
                                                                 {xt, "xt"},
                                                                 {zx, "zx"},
                                                                 {yc, "yc"},
                                                                 {gu, "gu"},
                                                                 {bz, "bz"},
                                                                 {tc, "tc"}}};
    for (const auto& [action, name] : names)
        action->setObjectName(QString::fromLatin1(name));

    connect(fl, &QAction::triggered, this, [this] { runMenuAction(openClassificationEditor); });
    connect(cx, &QAction::triggered, this, [this] { runMenuAction(openComboEditor); });
    connect(xt, &QAction::triggered, this, [this] { runMenuAction(openSystemSettings); });
    connect(zx, &QAction::triggered, this, [this] { runMenuAction(minimiseOrShow); });
    connect(yc, &QAction::triggered, this, [this] { runMenuAction(switchAutoHide); });
    connect(gu, &QAction::triggered, this, [this] {
        setHideTimers(true);
        runMenuAction(openAbout);
    });
    connect(bz, &QAction::triggered, this, &Form1::bz_Click);
    connect(tc, &QAction::triggered, this, &Form1::tc_Click);
}

void Form1::runMenuAction(const std::function<void()>& action)
{
    try {
        if (action)
            action();
    } catch (...) {
        // Nothing a menu opens may take the program down with it.
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
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(20);
    p.setFont(f);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("Q"));
    p.end();
    return QIcon(pixmap);
}

void Form1::Form_Load()
{
    setWindowIcon(programWindowIcon());
    // 2: the settings, and the two hide delays.
    step([this] {
        readSettings(state_.settingsFile(), state_.settings);
        Timer1.setInterval(std::max(0, int{state_.settings.mainHideDelayMs}));
        Timer2.setInterval(std::max(0, int{state_.settings.categoryHideDelayMs}));
    });
    // 3: the tray icon, then the picture box it belongs to gets "45.ico".
    step([this] {
        tray_ = std::make_unique<TrayIcon>(desktop_, windowIcon());
        showFile(*Picture3, state_.appDir, QStringLiteral("45.ico"));
    });
    // 4: topmost at the top-left corner.
    step([this] {
        makeTopmostTool(*this, true);
        moveTwips(0, 0);
    });
    // 5-7: the built-in names, the list of programs taken out, the data files.
    step([this] { state_.minorNames.fillBuiltIn(); });
    // A fresh installation gets its list of free records here, so nothing taken out is lost.
    step([this] { prepareUnclassifiedFile(state_); });
    // Loading mends what a killed run left behind (a change cut short, two records on one place)
    // and says so in the log.
    step([this] {
        for (const std::string& repair : loadAllRepairing(state_))
            qCWarning(lcDataRepair, "%s", repair.c_str());
    });
    // 8-13: the window at the top-left corner, its tiles and strips.
    step([this] { moveTwips(0, 0); });
    step([this] { placeInitialTiles(); });
    // 14: the program icon that opens the introduction.
    step([this] { showFile(*Image4, state_.appDir, QStringLiteral("exe13.ico")); });
    // 15: the start-up mode; Timer1 runs from creation unless the mode says otherwise.
    step([this] { applyStartMode(); });
}

void Form1::placeInitialTiles()
{
    const bool room = Form2::kWidth + kPopupSideRoom - kSideStripWidth <= screenWidthTwips();
    // The flag tells which side the names stand on: with room the names are drawn on the left.
    popupOnRight_ = room;
    if (room) {
        for (int i = 0; i < kNamedMajors; ++i) {
            const auto at = static_cast<std::size_t>(i);
            step([&] {
                Image2[at]->hide();
                const ProgramEntry& e = state_.catalogue.at(i, 0, 0);
                if (!e.name.empty() && !e.exePath.empty())
                    drawProgramIcon(desktop_, e.exePath, *Picture2[at]);
                showSkin(*Picture1[at], state_.appDir, QString::fromLatin1(kTileRest));
                showSkin(*Image2[at], state_.appDir, QString::fromLatin1(kArrowRight));
                showSkin(*Image3[at], state_.appDir, nameStripSkin(i, false));
            });
        }
    } else {
        // No icons are drawn here: the pop-up would open to the left of a window at the left edge.
        for (int i = 0; i < kTiles; ++i) {
            const auto at = static_cast<std::size_t>(i);
            step([&] {
                Image3[at]->hide();
                showSkin(*Picture1[at], state_.appDir, QString::fromLatin1(kTileRest));
                showSkin(*Image3[at], state_.appDir, QString::fromLatin1(kArrowRight));
                showSkin(*Image2[at], state_.appDir, nameStripSkin(i, false));
            });
        }
    }
    step([this] { rebuildSlotMap(state_); });
    step([this] {
        Image2[5]->hide();
        drawCombinationTileIcon();
        showSkin(*Picture1[5], state_.appDir, QString::fromLatin1(kTileRest));
        showSkin(*Image2[5], state_.appDir, QString::fromLatin1(kArrowRight));
        showSkin(*Image3[5], state_.appDir, QStringLiteral("pnl361.jpg"));
    });
    step([this] {
        Image2[6]->hide();
        showSkin(*Picture1[6], state_.appDir, QString::fromLatin1(kTileRest));
        showSkin(*Image2[6], state_.appDir, QString::fromLatin1(kArrowRight));
        showSkin(*Image3[6], state_.appDir, QStringLiteral("pnl371.jpg"));
    });
}

void Form1::applyStartMode()
{
    enable(Timer1, true);
    enable(Timer2, true);
    switch (state_.settings.startMode) {
    case 1:
        moveTwips(0, 0);
        enable(Timer1, false);
        yc->setText(QStringLiteral("自动隐藏"));
        break;
    case 2:
        moveTwips(-1775, 0);
        yc->setText(QStringLiteral("不自动隐藏"));
        break;
    case 3:
        moveTwips(-2000, 0);
        yc->setText(QStringLiteral("不自动隐藏"));
        break;
    default:
        break; // as created: at the top-left corner, auto-hide on
    }
}

void Form1::drawTileIcon(int major)
{
    const auto at = static_cast<std::size_t>(major);
    Picture2[at]->clear();
    const ProgramEntry& e = state_.catalogue.at(major, 0, 0);
    if (!e.exePath.empty())
        drawProgramIcon(desktop_, e.exePath, *Picture2[at]);
}

void Form1::drawCombinationTileIcon()
{
    PictureBox& box = *Picture2[5];
    box.clear();
    const int first = state_.combos.at(0, 0).programs[0];
    if (first >= 1)
        drawProgramIcon(desktop_, readProgramRecord(state_, first).exePath, box);
}

void Form1::refreshTileIcons()
{
    for (int m = 0; m < kNamedMajors; ++m)
        step([&] { drawTileIcon(m); });
    step([this] { drawCombinationTileIcon(); });
}

int Form1::screenWidthTwips() const { return pxToTwips(desktop_.screenGeometry().width()); }
int Form1::screenHeightTwips() const { return pxToTwips(desktop_.screenGeometry().height()); }

// ---- the pop-up and the category window ----

Form2& Form1::form2()
{
    if (!form2_) {
        form2_.reset(new Form2(state_, *this, [this]() -> Form3& { return form3(); }));
        form2_->moveTwips(lastPopupGeometry_.left(), lastPopupGeometry_.top());
        connect(form2_.get(), &Form2::unloadRequested, this, &Form1::unloadPopup);
    }
    return *form2_;
}

Form3& Form1::form3()
{
    if (!form3_) {
        form3_.reset(new Form3(state_, desktop_, *this, [this] {
            return form2_ ? form2_->twipGeometry() : lastPopupGeometry_;
        }));
    }
    return *form3_;
}

void Form1::unloadPopup()
{
    if (!form2_)
        return;
    lastPopupGeometry_ = form2_->twipGeometry();
    form2_->hide();
    form2_.reset();
}

void Form1::closePopups()
{
    if (form3_) {
        form3_->hide();
        form3_.reset();
    }
    unloadPopup();
}

// ---- timers ----

void Form1::restoreAutoHide()
{
    enable(Timer1, yc->text() == QStringLiteral("不自动隐藏"));
}

void Form1::setCategoryTimer(bool on)
{
    enable(Timer2, on);
}

void Form1::setHideTimers(bool on)
{
    enable(Timer1, on);
    enable(Timer2, on);
}

// ---- buttons, menu items, the program icon ----

void Form1::Command1_Click()
{
    setHideTimers(false);
    sz->popup(desktop_.cursorPos().value_or(QCursor::pos()));
}

void Form1::Command2_Click()
{
    setHideTimers(false);
    cz->popup(desktop_.cursorPos().value_or(QCursor::pos()));
}

void Form1::Image4_Click() { bz_Click(); }

void Form1::bz_Click()
{
    step([this] {
        const std::u8string path = state_.file("Quillbox介绍.txt").u8string();
        const QString intro =
            QString::fromUtf8(reinterpret_cast<const char*>(path.data()), static_cast<qsizetype>(path.size()));
        // Without a text application the click would otherwise do nothing at all.
        if (!desktop_.openWithDefaultApp(intro))
            desktop_.message(this, QStringLiteral("无法打开软件介绍：") + intro);
    });
}

void Form1::tc_Click()
{
    if (tray_)
        tray_->remove();
    runMenuAction(quitProgram);
}

// ---- window events ----

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        closePopups();
}

void Form1::closeEvent(QCloseEvent* event)
{
    closePopups();
    if (tray_)
        tray_->remove();
    emit unloading();
    event->accept();
    runMenuAction(quitProgram);
}

void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    place_.noteMoved();
    Timer3_Timer();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    // The pointer over the window's background (the client area between the controls).
    if (watched == client_ && event->type() == QEvent::MouseMove)
        Form_MouseMove();
    return QWidget::eventFilter(watched, event);
}

void Form1::Timer3_Timer()
{
    if (snapping_)
        return;
    snapping_ = true;
    const int width = screenWidthTwips();
    int left = leftTwips();
    int top = topTwips();
    const int oldLeft = left;
    const int oldTop = top;
    if (top < 500)
        top = 0;
    if (left > 0 && left < 500)
        left = 0;
    if (left > width - kSnapZone && left < width - kOuterWidth)
        left = width - kOuterWidth;
    if (left != oldLeft || top != oldTop)
        moveTwips(left, top);
    snapping_ = false;
}

} // namespace qbx
