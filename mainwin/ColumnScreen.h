#pragma once
// Which monitor the column belongs to, and where it stands when the monitors change. Logical
// pixels of the whole desktop (a monitor left of the primary has a negative x); the screen
// lists have the primary first.

#include <QList>
#include <QPoint>
#include <QRect>

namespace qbx {

// The screen holding most of `window`; of two holding as much, the one under its centre. A
// window on no screen at all (its monitor went away) belongs to the primary.
QRect homeScreen(const QRect& window, const QList<QRect>& screens);

// After the monitors changed: the screen that is now what `old` was (the one at its origin, else
// the one overlapping it most); the primary when it is gone.
QRect followedScreen(const QRect& old, const QList<QRect>& screens);

// Whether the desktop ends at the left (or right) edge of `screen` along the rows `top`..`bottom`:
// no other screen lies beyond that edge there. A column slides off and reserves only such an
// edge; beyond an inner edge lies the neighbouring monitor.
bool outerEdge(bool leftEdge, const QRect& screen, int top, int bottom, const QList<QRect>& screens);

// Whether a column `left` twips from the left of a screen `width` twips wide stands docked or
// hidden at one of its edges.
bool atEdge(int left, int width);

// Where the column stands, in twips from its screen's top-left corner, once that screen changed
// from `oldWidth` twips wide to `newSize`: hidden or docked at the right edge it stays there,
// one now beyond the right or bottom edge is pulled back in; the left edge keeps its place.
QPoint resnapped(QPoint place, int oldWidth, QSize newSize);

} // namespace qbx
