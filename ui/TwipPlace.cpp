#include "TwipPlace.h"

#include "Twips.h"

#include <QWidget>

namespace qbx {

int TwipPlace::left() const
{
    const int x = window_.x();
    return set_ && x == pixels_.x() ? twips_.x() : pxToTwips(x);
}

int TwipPlace::top() const
{
    const int y = window_.y();
    return set_ && y == pixels_.y() ? twips_.y() : pxToTwips(y);
}

void TwipPlace::move(int left, int top)
{
    twips_ = QPoint(left, top);
    pixels_ = QPoint(twipsToPx(left), twipsToPx(top));
    set_ = true;
    window_.move(pixels_);
}

} // namespace qbx
