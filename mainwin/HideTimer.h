#pragma once
// A timer that behaves as the main window's hide timers do: it has an enabled state and an
// interval, and fires every interval while enabled. An interval of 0 or less (the settings file
// may hold 0) means it never fires: it keeps its enabled state but is not armed, since a 0 ms
// timer would spin. A timer whose ticks cannot change anything may rest until wake().

#include <QObject>
#include <QTimer>

namespace qbx {

class HideTimer : public QObject {
    Q_OBJECT
public:
    explicit HideTimer(QObject* parent = nullptr);
    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }
    bool isActive() const { return enabled_; } // QTimer's name for the enabled state
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

} // namespace qbx
