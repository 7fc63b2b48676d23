#include "MainWindowActions.h"

#include "AppState.h"
#include "Desktop.h"
#include "Form1.h"
#include "Form2.h"
#include "Form3.h"
#include "PictureBox.h"
#include "TrayIcon.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QMenu>

namespace qbx {

namespace {

constexpr const char* kSunkenLookName = "pressed-look";

} // namespace

MainWindowActions::MainWindowActions(Form1& form1, AppState& state, Desktop& desktop, QObject* parent)
    : QObject(parent), form1_(form1), state_(state), desktop_(desktop), sound_(state.appDir) {
    TileClicks::Hooks hooks;
    hooks.showTileSkin = [this](int tile, const char* skin) { form1_.showTileSkin(tile, QString::fromLatin1(skin)); };
    hooks.launchMostUsedCombination = [this] {
        if (launchMostUsedCombination)
            launchMostUsedCombination();
    };
    hooks.openTileCommandMenu = [this](int tile) {
        if (openTileCommandMenu)
            openTileCommandMenu(tile);
    };
    hooks.messageOwner = &form1_;
    tiles_ = std::make_unique<TileClicks>(state_, desktop_, sound_, std::move(hooks));
    form1_.onPicture1MouseDown = [this](int tile, Qt::MouseButton b) { tiles_->Picture1_MouseDown(tile, b); };
    form1_.onPicture1MouseUp = [this](int tile, Qt::MouseButton b) { tiles_->Picture1_MouseUp(tile, b); };

    AutoHideHost& host = *this;
    autoHide_ = std::make_unique<AutoHide>(state_, desktop_, host, form1_.Timer1, form1_.Timer2, *form1_.yc,
                                           *form1_.zx);
    form1_.minimiseOrShow = [this] { autoHide_->zx_Click(); };
    form1_.switchAutoHide = [this] { autoHide_->yc_Click(); };
    if (TrayIcon* tray = form1_.trayIcon())
        connect(tray, &TrayIcon::activated, autoHide_.get(), &AutoHide::trayActivated);

    // The main window's moves wake the main-window timer; windows being shown wake the category
    // timer and give a new category window its handlers.
    form1_.installEventFilter(this);
    qApp->installEventFilter(this);
    if (Form3* f3 = form1_.categoryWindow())
        attachCategoryWindow(*f3);
}

MainWindowActions::~MainWindowActions() {
    if (qApp)
        qApp->removeEventFilter(this);
    form1_.onPicture1MouseDown = nullptr;
    form1_.onPicture1MouseUp = nullptr;
    form1_.minimiseOrShow = nullptr;
    form1_.switchAutoHide = nullptr;
    if (Form3* f3 = form1_.categoryWindow()) {
        f3->onPicture1MouseDown = nullptr;
        f3->onPicture1MouseUp = nullptr;
    }
}

bool MainWindowActions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move && watched == &form1_) {
        autoHide_->mainWindowMoved();
    } else if (event->type() == QEvent::Show && watched->isWidgetType()) {
        if (auto* f3 = qobject_cast<Form3*>(watched); f3 && f3 == form1_.categoryWindow() && !f3->onPicture1MouseUp)
            attachCategoryWindow(*f3);
        if (static_cast<QWidget*>(watched)->isWindow())
            autoHide_->windowShown();
    }
    return QObject::eventFilter(watched, event);
}

// ---- the category window's icons ----

void MainWindowActions::attachCategoryWindow(Form3& window) {
    window.onPicture1MouseDown = [this, &window](int n, Qt::MouseButton b) { categoryMouseDown(window, n, b); };
    window.onPicture1MouseUp = [this, &window](int n, Qt::MouseButton b) { categoryMouseUp(window, n, b); };
}

void MainWindowActions::setSunken(Form3& window, int cell, bool sunken) {
    if (cell < 0 || cell >= Form3::kCells)
        return;
    PictureBox* box = window.Picture1[static_cast<std::size_t>(cell)];
    if (!box)
        return;
    // The three-dimensional border of a pressed icon box, drawn over the icon.
    auto* frame = box->findChild<QFrame*>(QString::fromLatin1(kSunkenLookName), Qt::FindDirectChildrenOnly);
    if (!frame && sunken) {
        frame = new QFrame(box);
        frame->setObjectName(QString::fromLatin1(kSunkenLookName));
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(2);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (!frame)
        return;
    frame->setGeometry(box->rect());
    frame->setVisible(sunken);
}

void MainWindowActions::categoryMouseDown(Form3& window, int cell, Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        setSunken(window, cell, true);
    sound_.PlayClickSound();
}

void MainWindowActions::categoryMouseUp(Form3& window, int cell, Qt::MouseButton button) {
    if (cell < 0 || cell >= Form3::kCells)
        return;
    state_.sel.curSlot = static_cast<std::int16_t>(window.slotOfCell(cell));
    if (button == Qt::RightButton) {
        if (openCategoryMenu)
            openCategoryMenu(window, cell);
        return;
    }
    setSunken(window, cell, false);
    SelectionHooks hooks;
    hooks.launchCombination = [this](int g, int p) {
        if (launchCombination)
            launchCombination(g, p);
    };
    hooks.messageOwner = &window;
    // The start may unload the category window: nothing touches `window` after it.
    startSelection(state_, desktop_, form1_, StartOrigin::IconClick, hooks);
}

// ---- AutoHideHost over Form1 ----

int MainWindowActions::mainLeft() const { return form1_.leftTwips(); }
int MainWindowActions::mainTop() const { return form1_.topTwips(); }
void MainWindowActions::setMainLeft(int twips) { form1_.moveTwips(twips, form1_.topTwips()); }
int MainWindowActions::screenWidth() const { return form1_.screenWidthTwips(); }

std::optional<QPoint> MainWindowActions::categoryWindowPos() const {
    if (const Form3* f3 = form1_.categoryWindow())
        return QPoint(f3->leftTwips(), f3->topTwips());
    return std::nullopt;
}

bool MainWindowActions::popupsShown() const {
    const Form2* f2 = form1_.popup();
    const Form3* f3 = form1_.categoryWindow();
    return (f2 && f2->isVisible()) || (f3 && f3->isVisible());
}

void MainWindowActions::hidePopups() { form1_.closePopups(); }

void MainWindowActions::hideAllWindows() {
    form1_.closePopups();
    // The two editors, when one is open.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("Form6") || w->objectName() == QLatin1String("Form9"))
            w->hide();
    }
    form1_.hide();
}

void MainWindowActions::showMainWindow() { form1_.show(); }

void MainWindowActions::popUpOperationMenu(QPoint globalPos) { form1_.cz->popup(globalPos); }

} // namespace qbx
