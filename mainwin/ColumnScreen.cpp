#include "ColumnScreen.h"

#include "AutoHide.h"
#include "Form1Layout.h"

#include <algorithm>

namespace qbx {

namespace {

qint64 area(const QRect& r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

} // namespace

QRect homeScreen(const QRect& window, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return {};
    QRect best = screens.first();
    qint64 bestArea = 0;
    for (const QRect& s : screens) {
        const qint64 shared = area(s.intersected(window));
        if (shared > bestArea || (shared == bestArea && shared > 0 && s.contains(window.center()))) {
            best = s;
            bestArea = shared;
        }
    }
    return best;
}

QRect followedScreen(const QRect& old, const QList<QRect>& screens)
{
    for (const QRect& s : screens) {
        if (s.topLeft() == old.topLeft())
            return s;
    }
    return homeScreen(old, screens);
}

bool outerEdge(bool leftEdge, const QRect& screen, int top, int bottom, const QList<QRect>& screens)
{
    return std::none_of(screens.begin(), screens.end(), [&](const QRect& s) {
        const bool rows = s.top() <= bottom && s.bottom() >= top;
        return rows && (leftEdge ? s.left() < screen.left() : s.right() > screen.right());
    });
}

bool atEdge(int left, int width)
{
    return left == 0 || left == kHiddenLeftTw || left == width - form1::kOuterWidth ||
           left == width - kVisibleStripTw;
}

QPoint resnapped(QPoint place, int oldWidth, QSize newSize)
{
    using namespace form1;
    int left = place.x();
    if (left == oldWidth - kVisibleStripTw)
        left = newSize.width() - kVisibleStripTw; // hidden at the right edge
    else if (left == oldWidth - kOuterWidth || left > newSize.width() - kOuterWidth)
        left = newSize.width() - kOuterWidth; // docked right, or now beyond the edge
    const int top = std::clamp(place.y(), 0, std::max(0, newSize.height() - kOuterHeight));
    return {left, top};
}

} // namespace qbx
