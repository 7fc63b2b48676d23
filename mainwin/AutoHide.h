#pragma once
// Auto-hide, minimise, edge snapping and the tray icon's mouse handling of the main window.
//
// AutoHide holds the main window's two hide timers (Timer1: the main window, Timer2: the
// category window and pop-up) and runs their ticks, the snapping to the screen edges, the menu
// items yc ("不自动隐藏"/"自动隐藏") and zx ("最小化"/"显示Quillbox"), restoreAutoHide and the tray
// icon's double-click and right-click. It sees the windows only through AutoHideHost and the
// pointer and screen through Desktop, so it is tested with the fake desktop.
//
// All positions in the rules are twips (15 a pixel). Positions the rules set are remembered
// exactly: the hidden right edge (screen width - 100) has no whole pixel, and reading it back
// from the window must still say "hidden".
//
// Quiet when idle: a timer whose interval is 0 or less never fires and is not armed (the
// settings file may hold 0); a timer whose ticks cannot change anything (main window hidden,
// no pop-up shown) rests until the main window moves or a window is shown.

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QTimer>

#include <optional>

class QAction;

namespace qbx {

struct AppState;
class Desktop;

// Design constants of the main window's edges, in twips.
inline constexpr int kMainWidthTw = 1875;
inline constexpr int kMainHeightTw = 8595;
inline constexpr int kHiddenLeftTw = -1775;  // 100 twips stay visible at the left edge
inline constexpr int kVisibleStripTw = 100;  // hidden right: screen width - 100
inline constexpr int kSnapDistanceTw = 500;
inline constexpr int kOffScreenLeftTw = -2000; // start-up mode 3
inline constexpr int kCategoryBoxWidthTw = 900;
inline constexpr int kCategoryBoxHeightTw = 4830;

inline constexpr const char* kAutoHideOnCaption = "不自动隐藏"; // yc while auto-hide is on
inline constexpr const char* kAutoHideOffCaption = "自动隐藏";  // yc while auto-hide is off
inline constexpr const char* kMinimiseCaption = "最小化";
inline constexpr const char* kShowCaption = "显示Quillbox";

// A timer that behaves as the window's timers do: it has an enabled state and an interval, and
// fires every interval while enabled. An interval of 0 or less means it never fires.
class HideTimer : public QObject {
    Q_OBJECT
public:
    explicit HideTimer(QObject* parent = nullptr);
    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }
    // Whether a tick is due (enabled, a positive interval, not resting).
    bool isArmed() const { return timer_.isActive(); }
    // Stops the ticks while nothing can change; wake() starts them again if enabled.
    void rest();
    void wake();

signals:
    void timeout();

private:
    void rearm();
    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
    bool resting_ = false;
};

// What AutoHide needs of the windows. Positions are logical pixels of the screen.
class AutoHideHost {
public:
    virtual ~AutoHideHost() = default;
    virtual QPoint mainWindowPos() const = 0;
    virtual void moveMainWindow(QPoint topLeft) = 0;
    // The category window's top-left corner while it is loaded.
    virtual std::optional<QPoint> categoryWindowPos() const = 0;
    // Whether the pop-up or the category window is shown.
    virtual bool popupsShown() const = 0;
    // Hides the pop-up Form2 and the category window Form3.
    virtual void hidePopups() = 0;
    // Minimise: hides the editors Form6 and Form9, Form2, Form3 and the main window.
    virtual void hideAllWindows() = 0;
    virtual void showMainWindow() = 0;
    // Pops up the menu "操作" (cz) at `globalPos`.
    virtual void popUpOperationMenu(QPoint globalPos) = 0;
};

class AutoHide : public QObject {
    Q_OBJECT
public:
    // `yc` and `zx` are the menu items whose captions carry the auto-hide and minimise states.
    AutoHide(AppState& state, Desktop& desktop, AutoHideHost& host, QAction& yc, QAction& zx,
             QObject* parent = nullptr);
    ~AutoHide() override;

    HideTimer Timer1; // main window; interval mainHideDelayMs; enabled when created
    HideTimer Timer2; // category window; interval categoryHideDelayMs; enabled when created

    void Timer1_Timer();
    void Timer2_Timer();
    // Snapping to the top, left and right edges (the window's moves call it).
    void Timer3_Timer();
    void yc_Click();
    void zx_Click();
    void restoreAutoHide();
    // The tray icon: a double-click is zx; a right click sets yc's caption from Timer1 and pops
    // up "操作" at the pointer. Other activations are ignored.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    // The start-up mode's position, Timer1 state and yc caption (1, 2, 3; others change nothing).
    void applyStartMode(int startMode);
    // Both hide timers at once (menus switch them off, a start switches them on).
    void setHideTimers(bool on);

    // The main window moved (by the user, the program or the window manager): snap, and let the
    // main-window timer tick again.
    void mainWindowMoved();
    // A window was shown: the category-window timer ticks again.
    void windowShown();

    // Form1's left and top in twips, and moving it by twips.
    int mainLeft() const;
    int mainTop() const;
    void setMainLeft(int twips);
    void setMainTop(int twips);
    int screenWidth() const;

private:
    void moveMainTwips(int left, int top);
    bool hiddenAtEdge(int left, int screenW) const;

    AppState& state_;
    Desktop& desktop_;
    AutoHideHost& host_;
    QAction& yc_;
    QAction& zx_;
    // The last position set in twips and the pixels it became, to read it back exactly.
    QPoint setTwips_;
    QPoint setPixels_;
    bool haveSet_ = false;
    bool snapping_ = false;
};

} // namespace qbx
