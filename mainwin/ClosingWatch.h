#pragma once
// Notices when the last menu or dialog of the program has closed, however it closed (a choice,
// a click beside the menu, "取消", the window's close box, a key): the main window then puts its
// hide timers back as auto-hide says, whichever command opened what.

#include <QObject>

namespace qbx {

class ClosingWatch : public QObject {
    Q_OBJECT
public:
    // Watches every window of the application while it lives.
    explicit ClosingWatch(QObject* parent = nullptr);

signals:
    // A menu or dialog closed and no other menu or modal dialog is open any more.
    void allClosed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void settle();
    bool pending_ = false;
};

} // namespace qbx
