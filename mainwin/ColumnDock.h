#pragma once
// Where the column stands: on the monitor holding most of it, whose edges are its edges. It is
// pulled back within the screen and snapped to the edges when it is moved, follows its monitor
// when the monitors change (docked or hidden at the right edge it stays there), and, while
// auto-hide is off and it is docked at an outer edge, keeps that edge from maximised windows
// (ReservedEdge.h). Places are in twips from the top-left corner of the column's screen.

#include "platform/Desktop.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>

class QWidget;

namespace qbx {

class TwipPlace;

class ColumnDock : public QObject {
    Q_OBJECT
public:
    // `window` is the column, `place` its place in twips on the desktop.
    ColumnDock(QWidget& window, TwipPlace& place, Desktop& desktop, QObject* parent = nullptr);

    // Starts following the monitors: from now on a change of them places the column again.
    void followScreens();
    // The monitors changed: the column stays on its screen, or goes to the primary when that
    // screen is gone; docked or hidden at the right edge it stays there, and the edges are
    // snapped to again.
    void screensChanged();

    // The screen holding most of the column (ColumnScreen.h), and its size in twips.
    QRect screen() const;
    int screenWidthTwips() const;
    int screenHeightTwips() const;
    QPoint placeOnScreen() const;
    void moveOnScreen(QPoint place);
    // Whether the column may slide off its screen's left (or right) edge.
    bool slidesOff(bool leftEdge) const;
    // Whether the pop-up has room to open on the right of the column.
    bool roomOnRight() const;

    // Keeps the column against the edges after a move: near the top or the left edge it goes
    // to it, just short of the right edge it docks there.
    void keepAgainstEdges();
    // Pulls the column back within the screen: left edge test first, or right edge test first.
    void snapToEdges(bool leftTestFirst);
    // The column moved (by the program or by a person).
    void moved();

    // Whether auto-hide is on: while it is off the docked column keeps its edge.
    bool autoHideOn() const { return autoHideOn_; }
    void setAutoHide(bool on);
    // Gives the edge back for a moment while the window is shown or brought forward: window
    // managers place a window that is mapped or activated outside the edges kept, its own too.
    void holdReservedEdge();
    // Reserves the edge the column is docked to, or gives it back; the desktop hears only
    // changes. A hidden column keeps nothing.
    void updateReservedEdge();

signals:
    // The monitors changed and the column is about to move to its new place: the windows that
    // stood beside it (perhaps on a monitor that is gone) should close.
    void aboutToFollowScreen();

private:
    void noteHome();

    QWidget& window_;
    TwipPlace& place_;
    Desktop& desktop_;
    bool autoHideOn_ = true;
    bool snapping_ = false;
    EdgeReservation reservedEdge_;
    static constexpr int kEdgeHoldMs = 1000;
    QTimer edgeHold_;
    // The column's screen and the screens as they were when the column was last placed; a
    // change of monitors is measured against them.
    QRect home_;
    QPoint homePlace_; // in twips from home_'s corner
    QList<QRect> knownScreens_;
    QTimer screenChange_;
};

} // namespace qbx
