#include "ReservedEdge.h"

#include "Form1Layout.h"

namespace qbx {

EdgeReservation columnReservation(bool autoHide, int leftTw, int screenWidthTw, const QRect& window,
                                  const QRect& screen)
{
    EdgeReservation r;
    if (autoHide || window.isEmpty())
        return r;
    if (leftTw == 0) {
        r.side = EdgeReservation::Left;
        r.width = window.x() + window.width() - screen.x();
    } else if (leftTw == screenWidthTw - form1::kOuterWidth) {
        r.side = EdgeReservation::Right;
        r.width = screen.x() + screen.width() - window.x();
    } else {
        return r;
    }
    r.top = window.y();
    r.bottom = window.y() + window.height() - 1;
    return r;
}

} // namespace qbx
