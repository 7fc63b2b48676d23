#pragma once
// The one conversion between the design unit (twips) and logical pixels: 15 twips a pixel.
// Qt scales logical pixels on high-density screens, so the layout keeps its proportions there.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace qbx {

inline constexpr int kTwipsPerPixel = 15;

// Nearest pixel, halves away from zero, so that negative positions mirror positive ones.
constexpr int twipsToPx(int twips)
{
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int pxToTwips(int px)
{
    return px * kTwipsPerPixel;
}

// Exact, for comparing a pointer position in pixels with an edge given in twips.
constexpr double twipsToPxExact(int twips)
{
    return twips / double(kTwipsPerPixel);
}

// A control's rectangle from its design values; both edges are converted, so neighbouring
// controls never leave a pixel gap between them.
inline QRect twipRect(int left, int top, int width, int height)
{
    const int l = twipsToPx(left);
    const int t = twipsToPx(top);
    return QRect(l, t, twipsToPx(left + width) - l, twipsToPx(top + height) - t);
}

inline QSize twipSize(int width, int height)
{
    return QSize(twipsToPx(width), twipsToPx(height));
}

inline QPoint pxPointToTwips(QPoint p)
{
    return QPoint(pxToTwips(p.x()), pxToTwips(p.y()));
}

} // namespace qbx
