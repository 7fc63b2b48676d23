#pragma once
// What the column keeps of its screen edge: while auto-hide is off and it is docked at the left
// or the right edge of its screen, its width there over its own height, so that maximised
// windows do not slide under it; nothing while auto-hide is on or the column stands anywhere
// else. An edge shared with a neighbouring monitor is not kept: the desktop counts such a
// reservation from the edge of the whole desktop, so it would take the neighbour's strip too.

#include "platform/Desktop.h"

#include <QList>
#include <QRect>

namespace qbx {

// `leftTw`: the column's left in twips from its screen's left edge (the edge rules compare exact
// values); `window`, `screen` (the column's) and `screens` (all of them) in logical pixels.
EdgeReservation columnReservation(bool autoHide, int leftTw, const QRect& window, const QRect& screen,
                                  const QList<QRect>& screens);

} // namespace qbx
