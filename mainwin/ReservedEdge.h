#pragma once
// What the column keeps of its screen edge: while auto-hide is off and it is docked at the left
// or the right edge, its width there over its own height, so that maximised windows do not slide
// under it; nothing while auto-hide is on or the column stands anywhere else.

#include "Desktop.h"

#include <QRect>

namespace qbx {

// `leftTw` and `screenWidthTw`: the column's left and the screen's width in twips (the edge
// rules compare exact values); `window` and `screen`: their geometry in logical pixels.
EdgeReservation columnReservation(bool autoHide, int leftTw, int screenWidthTw, const QRect& window,
                                  const QRect& screen);

} // namespace qbx
