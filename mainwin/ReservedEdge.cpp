#include "ReservedEdge.h"

#include "ColumnScreen.h"
#include "Form1Layout.h"
#include "ui/Twips.h"

namespace qbx {

EdgeReservation columnReservation(bool autoHide, int leftTw, const QRect& window, const QRect& screen,
                                  const QList<QRect>& screens)
{
    EdgeReservation r;
    if (autoHide || window.isEmpty())
        return r;
    if (leftTw == 0) {
        r.side = EdgeReservation::Left;
        r.width = window.x() + window.width() - screen.x();
    } else if (leftTw == pxToTwips(screen.width()) - form1::kOuterWidth) {
        r.side = EdgeReservation::Right;
        r.width = screen.x() + screen.width() - window.x();
    } else {
        return r;
    }
    if (!outerEdge(r.side == EdgeReservation::Left, screen, window.top(), window.bottom(), screens))
        return {};
    r.top = window.y();
    r.bottom = window.y() + window.height() - 1;
    return r;
}

} // namespace qbx
