#include "AutoHide.h"

#include "AppState.h"
#include "Desktop.h"
#include "Twips.h"

#include <QAction>

namespace qbx {

// ---- HideTimer ----

HideTimer::HideTimer(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &HideTimer::timeout);
}

void HideTimer::setInterval(int ms) {
    interval_ = ms;
    rearm();
}

void HideTimer::setEnabled(bool on) {
    if (on == enabled_)
        return;
    enabled_ = on;
    resting_ = false;
    rearm();
}

void HideTimer::rest() {
    resting_ = true;
    timer_.stop();
}

void HideTimer::wake() {
    if (!resting_)
        return;
    resting_ = false;
    rearm();
}

void HideTimer::rearm() {
    if (!enabled_ || resting_ || interval_ <= 0) {
        timer_.stop(); // a 0 ms timer would spin: such a timer never fires
        return;
    }
    if (!timer_.isActive() || timer_.interval() != interval_)
        timer_.start(interval_);
}

// ---- AutoHide ----

AutoHide::AutoHide(AppState& state, Desktop& desktop, AutoHideHost& host, QAction& yc, QAction& zx,
                   QObject* parent)
    : QObject(parent), state_(state), desktop_(desktop), host_(host), yc_(yc), zx_(zx) {
    Timer1.setInterval(state_.settings.mainHideDelayMs);
    Timer2.setInterval(state_.settings.categoryHideDelayMs);
    Timer1.setEnabled(true);
    Timer2.setEnabled(true);
    connect(&Timer1, &HideTimer::timeout, this, &AutoHide::Timer1_Timer);
    connect(&Timer2, &HideTimer::timeout, this, &AutoHide::Timer2_Timer);
}

AutoHide::~AutoHide() = default;

int AutoHide::screenWidth() const { return pxToTwips(desktop_.screenGeometry().width()); }

int AutoHide::mainLeft() const {
    const int px = host_.mainWindowPos().x();
    return haveSet_ && px == setPixels_.x() ? setTwips_.x() : pxToTwips(px);
}

int AutoHide::mainTop() const {
    const int px = host_.mainWindowPos().y();
    return haveSet_ && px == setPixels_.y() ? setTwips_.y() : pxToTwips(px);
}

void AutoHide::moveMainTwips(int left, int top) {
    setTwips_ = QPoint(left, top);
    setPixels_ = QPoint(twipsToPx(left), twipsToPx(top));
    haveSet_ = true;
    if (host_.mainWindowPos() != setPixels_)
        host_.moveMainWindow(setPixels_);
}

void AutoHide::setMainLeft(int twips) { moveMainTwips(twips, mainTop()); }
void AutoHide::setMainTop(int twips) { moveMainTwips(mainLeft(), twips); }

bool AutoHide::hiddenAtEdge(int left, int screenW) const {
    return left < 0 || left >= screenW - kVisibleStripTw;
}

void AutoHide::Timer1_Timer() {
    try {
        if (state_.sel.popupActive)
            return;
        const int w = screenWidth();
        const int left = mainLeft();
        if (hiddenAtEdge(left, w)) {
            Timer1.rest(); // nothing to do until the window moves back
            return;
        }
        const auto cursor = desktop_.cursorPos();
        if (!cursor)
            return;
        const double x = cursor->x();
        const double y = cursor->y();
        const int top = mainTop();
        const bool aboveOrBelow = y < top / 15.0 || y > (top + kMainHeightTw) / 15.0;
        if (left == 0) {
            if (x > (left + kMainWidthTw) / 15.0 || aboveOrBelow) {
                host_.hidePopups();
                setMainLeft(kHiddenLeftTw);
            }
        } else if (left == w - kMainWidthTw) {
            if (x < (w - kMainWidthTw) / 15.0 || aboveOrBelow) {
                host_.hidePopups();
                setMainLeft(w - kVisibleStripTw);
            }
        }
        // A window that is neither docked left nor docked right is never hidden.
    } catch (...) {
    }
}

void AutoHide::Timer2_Timer() {
    try {
        if (!state_.sel.popupActive && !host_.popupsShown()) {
            Timer2.rest(); // nothing to hide until a window is shown
            return;
        }
        const auto cursor = desktop_.cursorPos();
        if (!cursor)
            return;
        if (const auto f3 = host_.categoryWindowPos()) {
            const double l = pxToTwips(f3->x()) / 15.0;
            const double t = pxToTwips(f3->y()) / 15.0;
            const double r = (pxToTwips(f3->x()) + kCategoryBoxWidthTw) / 15.0;
            const double b = (pxToTwips(f3->y()) + kCategoryBoxHeightTw) / 15.0;
            if (cursor->x() >= l && cursor->x() <= r && cursor->y() >= t && cursor->y() <= b)
                return;
        }
        if (state_.sel.popupActive) {
            host_.hidePopups();
            state_.sel.popupActive = false;
        }
    } catch (...) {
    }
}

void AutoHide::Timer3_Timer() {
    if (snapping_)
        return;
    snapping_ = true;
    try {
        if (mainTop() < kSnapDistanceTw)
            setMainTop(0);
        const int w = screenWidth();
        const int left = mainLeft();
        if (left > 0 && left < kSnapDistanceTw)
            setMainLeft(0);
        else if (left > w - kMainWidthTw - kSnapDistanceTw && left < w - kMainWidthTw)
            setMainLeft(w - kMainWidthTw);
    } catch (...) {
    }
    snapping_ = false;
}

void AutoHide::mainWindowMoved() {
    Timer3_Timer();
    Timer1.wake();
}

void AutoHide::windowShown() { Timer2.wake(); }

void AutoHide::yc_Click() {
    const int w = screenWidth();
    const int left = mainLeft();
    if (!Timer1.isEnabled()) {
        yc_.setText(QString::fromUtf8(kAutoHideOnCaption));
        if (left >= 0 && left < w / 2.0) {
            host_.hidePopups();
            setMainLeft(kHiddenLeftTw);
        } else if (left >= w - kMainWidthTw && left >= w / 2.0) {
            host_.hidePopups();
            setMainLeft(w - kVisibleStripTw);
        }
        Timer1.setEnabled(true);
    } else {
        yc_.setText(QString::fromUtf8(kAutoHideOffCaption));
        if (left <= 0) {
            host_.hidePopups();
            setMainLeft(0);
        }
        if (mainLeft() >= w - kVisibleStripTw) {
            host_.hidePopups();
            setMainLeft(w - kMainWidthTw);
        }
        Timer1.setEnabled(false);
    }
}

void AutoHide::zx_Click() {
    if (zx_.text() == QString::fromUtf8(kMinimiseCaption)) {
        host_.hideAllWindows();
        zx_.setText(QString::fromUtf8(kShowCaption));
    } else {
        host_.showMainWindow();
        zx_.setText(QString::fromUtf8(kMinimiseCaption));
    }
    setHideTimers(true);
}

void AutoHide::restoreAutoHide() {
    Timer1.setEnabled(yc_.text() == QString::fromUtf8(kAutoHideOnCaption));
}

void AutoHide::setHideTimers(bool on) {
    Timer1.setEnabled(on);
    Timer2.setEnabled(on);
}

void AutoHide::trayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) {
        zx_Click();
    } else if (reason == QSystemTrayIcon::Context) {
        yc_.setText(QString::fromUtf8(Timer1.isEnabled() ? kAutoHideOnCaption : kAutoHideOffCaption));
        const auto cursor = desktop_.cursorPos();
        host_.popUpOperationMenu(cursor.value_or(QPoint(0, 0)));
    }
}

void AutoHide::applyStartMode(int startMode) {
    switch (startMode) {
    case 1:
        moveMainTwips(0, 0);
        Timer1.setEnabled(false);
        yc_.setText(QString::fromUtf8(kAutoHideOffCaption));
        break;
    case 2:
        moveMainTwips(kHiddenLeftTw, 0);
        Timer1.setEnabled(true);
        yc_.setText(QString::fromUtf8(kAutoHideOnCaption));
        break;
    case 3:
        moveMainTwips(kOffScreenLeftTw, 0);
        Timer1.setEnabled(true);
        yc_.setText(QString::fromUtf8(kAutoHideOnCaption));
        break;
    default:
        break; // left where start-up placed it, with the timer and caption as created
    }
}

} // namespace qbx
