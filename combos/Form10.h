#pragma once
// The report window "程序组合启动报告": after a combination was launched it says, member place by
// member place, whether the program started, failed to start or was not assigned. It stands on
// top of all windows at the top-right corner of the column's screen, counts down and closes itself five
// seconds after it was loaded; "再看一下" stops the countdown, "关闭窗口" closes it.
//
// A closed report window is deleted; a launch while one is open starts that one afresh.
// Accessible names: window title "程序组合启动报告"; labels and buttons by their texts.

#include "core/LaunchCombination.h"

#include <QTimer>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace qbx {

class Form10 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLines = 5;

    explicit Form10(QWidget* parent = nullptr);

    // Shows `result` in a report started afresh: the lines of places without a member keep their
    // design texts, the countdown begins anew, and the window is shown topmost at the top-right
    // corner of `screen` (the monitor the main window stands on, logical pixels of the desktop).
    void showReport(const LaunchResult& result, const QRect& screen);

    // The text of member place k (0-4) for what became of it.
    static QString lineText(int k, const MemberLaunch& member);

    QLabel* Label1 = nullptr;            // heading
    std::array<QLabel*, kLines> lines{}; // Label2 ... Label6
    QLabel* Label7 = nullptr;            // countdown
    QPushButton* Command1 = nullptr;     // "再看一下"
    QPushButton* Command2 = nullptr;     // "关闭窗口"
    QTimer Timer1;                       // the countdown, every 1000 ms

    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();

    // The countdown as the window holds it: FirstTick is set until the first tick, Remaining
    // counts the seconds left after it.
    bool firstTick() const { return firstTick_; }
    int remaining() const { return remaining_; }

private:
    void Form_Load();
    void placeTopRight(const QRect& screen);
    void unload();

    bool firstTick_ = true;
    int remaining_ = 0;
};

} // namespace qbx
