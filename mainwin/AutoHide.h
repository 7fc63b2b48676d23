#pragma once
// Auto-hide, minimise and the tray icon's mouse handling of the main window.
//
// AutoHide runs the ticks of the main window's two hide timers (Timer1: the docked main window
// slides off the edge when the pointer has left it; Timer2: the category window and pop-up go
// when the pointer has left the category window), the menu items yc (auto-hide on or off) and
// zx (minimise or show), and the tray icon's double-click and right-click. It sees the
// windows only through AutoHideHost and the pointer through Desktop, so it is tested with the
// fake desktop. The window's snapping to the edges and its start-up modes are the window's own.
//
// Quiet when idle: Timer1 rests while the window is hidden at an edge or off the screen (the
// window's next move wakes it), Timer2 rests while neither the pop-up nor the category window is
// shown (the next window shown wakes it).

#include "HideTimer.h"

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>

#include <optional>

namespace qbx {

struct AppState;
class Desktop;
class Launcher;

// Design constants of the main window's edges, in twips.
inline constexpr int kHiddenLeftTw = -1775; // 100 twips stay visible at the left edge
inline constexpr int kVisibleStripTw = 100; // hidden right: screen width - 100
inline constexpr int kCategoryBoxWidthTw = 900;
inline constexpr int kCategoryBoxHeightTw = 4830;

// What AutoHide needs of the windows. The main window's place in twips from the top-left
// corner of its own screen (the monitor it is docked to).
class AutoHideHost {
public:
    virtual ~AutoHideHost() = default;
    virtual int mainLeft() const = 0;
    virtual int mainTop() const = 0;
    virtual void setMainLeft(int twips) = 0;
    virtual int screenWidth() const = 0;
    // That screen's top-left corner on the desktop, in pixels.
    virtual QPoint screenOrigin() const = 0;
    // Whether the main window may slide off its screen's left (or right) edge: not where the
    // neighbouring monitor lies beyond it, which the window would then stand on.
    virtual bool slidesOff(bool leftEdge) const = 0;
    // The category window's left and top on the desktop while it is loaded.
    virtual std::optional<QPoint> categoryWindowPos() const = 0;
    // Whether the pop-up or the category window is shown.
    virtual bool popupsShown() const = 0;
    // Hides the pop-up Form2 and the category window Form3.
    virtual void hidePopups() = 0;
    // Minimise: hides the editors Form6 and Form9, Form2, Form3 and the main window.
    virtual void hideAllWindows() = 0;
    virtual void showMainWindow() = 0;
    // Pops up the menu "操作" (cz) at `globalPos` (screen pixels).
    virtual void popUpOperationMenu(QPoint globalPos) = 0;
    // The state the menu items yc and zx show: auto-hide on, the windows minimised.
    virtual void showAutoHide(bool on) = 0;
    // Whether auto-hide is on, as yc shows it (Timer1 is off meanwhile while a menu is open).
    virtual bool autoHideOn() const = 0;
    virtual void showMinimised(bool minimised) = 0;
};

class AutoHide : public QObject {
    Q_OBJECT
public:
    // `timer1` and `timer2` are the window's hide timers (their ticks run Timer1_Timer and
    // Timer2_Timer).
    AutoHide(Launcher& launcher, AutoHideHost& host, HideTimer& timer1, HideTimer& timer2,
             QObject* parent = nullptr);

    void Timer1_Timer();
    void Timer2_Timer();
    void yc_Click();
    void zx_Click();
    // Another start of the program asked for the window: shown again when minimised, and moved
    // back on to the screen when it is hidden at an edge or placed off screen.
    void bringBack();
    // The tray icon: a double-click is zx; a right click pops up "操作" at the pointer. Other
    // activations are ignored.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

    // The main window moved: Timer1 may have something to do again.
    void mainWindowMoved() { timer1_.wake(); }
    // A window was shown: Timer2 may have something to do again.
    void windowShown() { timer2_.wake(); }
    bool minimised() const { return minimised_; }

private:
    Launcher& launcher_;
    const AppState& state_;
    Desktop& desktop_;
    AutoHideHost& host_;
    HideTimer& timer1_;
    HideTimer& timer2_;
    bool minimised_ = false;
};

} // namespace qbx
