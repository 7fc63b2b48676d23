#include "AutoHide.h"

#include "core/Launcher.h"
#include "platform/Desktop.h"
#include "store/AppState.h"

#include "Form1Layout.h"
#include "platform/Logging.h"
#include "ui/Twips.h"

namespace qbx {

AutoHide::AutoHide(Launcher& launcher, AutoHideHost& host, HideTimer& timer1, HideTimer& timer2,
                   QObject* parent)
    : QObject(parent), launcher_(launcher), state_(launcher.state()), desktop_(launcher.desktop()),
      host_(host), timer1_(timer1), timer2_(timer2)
{
    connect(&timer1_, &HideTimer::timeout, this, &AutoHide::Timer1_Timer);
    connect(&timer2_, &HideTimer::timeout, this, &AutoHide::Timer2_Timer);
}

void AutoHide::Timer1_Timer()
{
    guarded(lcWindows, "Timer1_Timer", [&] {
        if (state_.sel.popupActive)
            return;
        const int w = host_.screenWidth();
        const int left = host_.mainLeft();
        if (left < 0 || left >= w - kVisibleStripTw) {
            timer1_.rest(); // already hidden: nothing to do until the window moves
            return;
        }
        const auto cursor = desktop_.cursorPos();
        if (!cursor)
            return;
        const QPoint origin = host_.screenOrigin();
        const double x = cursor->x() - origin.x();
        const double y = cursor->y() - origin.y();
        const int top = host_.mainTop();
        const bool aboveOrBelow = y < twipsToPxExact(top) || y > twipsToPxExact(top + form1::kOuterHeight);
        if (left == 0) {
            if ((x > twipsToPxExact(left + form1::kOuterWidth) || aboveOrBelow) && host_.slidesOff(true)) {
                host_.hidePopups();
                host_.setMainLeft(kHiddenLeftTw);
            }
        } else if (left == w - form1::kOuterWidth) {
            if ((x < twipsToPxExact(w - form1::kOuterWidth) || aboveOrBelow) && host_.slidesOff(false)) {
                host_.hidePopups();
                host_.setMainLeft(w - kVisibleStripTw);
            }
        }
        // A window that is neither docked left nor docked right is never hidden, nor one docked
        // at an edge it may not slide off.
    });
}

void AutoHide::Timer2_Timer()
{
    guarded(lcWindows, "Timer2_Timer", [&] {
        if (!state_.sel.popupActive && !host_.popupsShown()) {
            timer2_.rest(); // nothing to hide until a window is shown
            return;
        }
        const auto cursor = desktop_.cursorPos();
        if (!cursor)
            return;
        if (const auto f3 = host_.categoryWindowPos()) {
            // Both bounds belong to the box.
            const double l = twipsToPxExact(f3->x());
            const double t = twipsToPxExact(f3->y());
            const double r = twipsToPxExact(f3->x() + kCategoryBoxWidthTw);
            const double b = twipsToPxExact(f3->y() + kCategoryBoxHeightTw);
            if (cursor->x() >= l && cursor->x() <= r && cursor->y() >= t && cursor->y() <= b)
                return;
        }
        if (state_.sel.popupActive) {
            host_.hidePopups();
            launcher_.setPopupActive(false);
        }
    });
}

void AutoHide::yc_Click()
{
    guarded(lcWindows, "yc_Click", [&] {
        const int w = host_.screenWidth();
        if (!host_.autoHideOn()) {
            host_.showAutoHide(true);
            const int left = host_.mainLeft();
            if (left >= 0 && left < w / 2.0 && host_.slidesOff(true)) {
                host_.hidePopups();
                host_.setMainLeft(kHiddenLeftTw);
            } else if (left >= w - form1::kOuterWidth && left >= w / 2.0 && host_.slidesOff(false)) {
                host_.hidePopups();
                host_.setMainLeft(w - kVisibleStripTw);
            }
            timer1_.setEnabled(true);
        } else {
            host_.showAutoHide(false);
            if (host_.mainLeft() <= 0) {
                host_.hidePopups();
                host_.setMainLeft(0);
            }
            if (host_.mainLeft() >= w - kVisibleStripTw) {
                host_.hidePopups();
                host_.setMainLeft(w - form1::kOuterWidth);
            }
            timer1_.setEnabled(false);
        }
    });
}

void AutoHide::zx_Click()
{
    guarded(lcWindows, "zx_Click", [&] {
        if (!minimised_) {
            host_.hideAllWindows();
            minimised_ = true;
        } else {
            host_.showMainWindow();
            minimised_ = false;
        }
        host_.showMinimised(minimised_);
    });
    // Both windows' timers run again; the main window's only while auto-hide is on.
    timer1_.setEnabled(host_.autoHideOn());
    timer2_.setEnabled(true);
}

void AutoHide::bringBack()
{
    if (minimised_)
        zx_Click();
    guarded(lcWindows, "bringBack", [&] {
        const int w = host_.screenWidth();
        if (host_.mainLeft() < 0)
            host_.setMainLeft(0);
        else if (host_.mainLeft() > w - form1::kOuterWidth)
            host_.setMainLeft(w - form1::kOuterWidth);
        host_.showMainWindow();
    });
}

void AutoHide::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    guarded(lcWindows, "trayActivated", [&] {
        if (reason == QSystemTrayIcon::DoubleClick) {
            zx_Click();
        } else if (reason == QSystemTrayIcon::Context) {
            host_.popUpOperationMenu(desktop_.cursorPos().value_or(QPoint(0, 0)));
        }
    });
}

} // namespace qbx
