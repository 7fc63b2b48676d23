#include "IconCell.h"

#include "Colours.h"
#include "EventLabel.h"
#include "PictureBox.h"
#include "Twips.h"

namespace qbx {

namespace {
constexpr int kIconLeft = 200;
constexpr int kIconTop = 240;
constexpr int kIconSize = 480;
constexpr int kCaptionTop = 770;
constexpr int kCaptionHeight = 180;
} // namespace

EventLabel* addCellOverlay(QWidget* parent, const QRect& twips, const QFont& font)
{
    auto* overlay = new EventLabel(parent);
    overlay->setGeometry(twipRect(twips.x(), twips.y(), twips.width(), twips.height()));
    overlay->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    overlay->setFont(font);
    overlay->setColours(kOverlayDesigned, kWindowText);
    return overlay;
}

PictureBox* addCellIcon(QWidget* parent, int left, int top)
{
    auto* icon = new PictureBox(parent);
    icon->setDescribesPicture(false);
    icon->setGeometry(twipRect(left + kIconLeft, top + kIconTop, kIconSize, kIconSize));
    return icon;
}

EventLabel* addCellCaption(QWidget* parent, int left, int top, const QFont& font)
{
    auto* caption = new EventLabel(parent);
    caption->setGeometry(twipRect(left, top + kCaptionTop, kCellWidth, kCaptionHeight));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFont(font);
    return caption;
}

} // namespace qbx
