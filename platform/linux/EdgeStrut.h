#pragma once
// The screen edge a docked window keeps, on X11: the window's _NET_WM_STRUT_PARTIAL (and the
// older _NET_WM_STRUT, for window managers that read only that one), which the window manager
// keeps maximised windows out of. Elsewhere (Wayland without XWayland) nothing is set.

#include "platform/Desktop.h"

#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>

class QWidget;

namespace qbx {

// The twelve values of _NET_WM_STRUT_PARTIAL for `r`: left, right, top, bottom, then the start
// and end of each (left_start_y, left_end_y, right_start_y, right_end_y, top_start_x, ...), in
// device pixels of the whole X screen of size `root`. `screen` is the logical geometry of the
// monitor the window stands on, `ratio` its device pixel ratio (a monitor keeps its origin and
// scales from there). All zero for side None.
std::array<std::uint32_t, 12> strutPartial(const EdgeReservation& r, const QRect& screen, const QSize& root,
                                           double ratio);

// Sets (or, for side None, removes) both properties on `window`'s X window.
void setEdgeStrut(QWidget* window, const EdgeReservation& r);

} // namespace qbx
