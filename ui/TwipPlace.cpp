#include "TwipPlace.h"

#include "Twips.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace qbx {

namespace {
// How long after a request a move still counts as the window manager's answer to it.
constexpr qint64 kAnswerWindowMs = 1000;
} // namespace

TwipPlace::TwipPlace(QWidget& window, AfterShow afterShow) : window_(window), afterShow_(afterShow)
{
    window_.installEventFilter(this);
}

bool TwipPlace::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_) {
        if (event->type() == QEvent::Move)
            noteMoved();
        else if (event->type() == QEvent::Show && afterShow_ == AfterShow::AskAgain)
            noteShown();
    }
    return false;
}

bool TwipPlace::standsWhereAsked() const
{
    if (!set_)
        return false;
    const QPoint at = window_.pos();
    return at == pixels_ || (landedKnown_ && at == landed_);
}

int TwipPlace::left() const
{
    return standsWhereAsked() ? twips_.x() : pxToTwips(window_.x());
}

int TwipPlace::top() const
{
    return standsWhereAsked() ? twips_.y() : pxToTwips(window_.y());
}

void TwipPlace::move(int left, int top)
{
    twips_ = QPoint(left, top);
    pixels_ = QPoint(twipsToPx(left), twipsToPx(top));
    set_ = true;
    landedKnown_ = false;
    // Only a window asked to stand partly beyond the left or right screen edge is pulled back.
    const QScreen* screen = window_.screen();
    const int width = window_.frameGeometry().width();
    if (screen &&
        (pixels_.x() < screen->geometry().left() || pixels_.x() + width - 1 > screen->geometry().right())) {
        requested_.start();
    } else {
        requested_.invalidate();
    }
    window_.move(pixels_);
}

void TwipPlace::noteShown()
{
    shown_.start();
    askedAgain_ = false;
}

void TwipPlace::noteMoved()
{
    if (!set_ || landedKnown_)
        return;
    const QPoint at = window_.pos();
    if (at == pixels_)
        return;
    if (!requested_.isValid()) {
        if (!askedAgain_ && shown_.isValid() && shown_.elapsed() <= kAnswerWindowMs && window_.isVisible()) {
            askedAgain_ = true;
            window_.move(pixels_);
        }
        return;
    }
    // The window manager's answer keeps the height and pulls the window a little towards the
    // screen; anything else (a drag, a move of the program's own) is read as it is.
    const bool pulledIn = pixels_.x() < 0 ? at.x() > pixels_.x() && at.x() <= 0
                                          : at.x() < pixels_.x() && at.x() >= pixels_.x() - window_.width();
    if (at.y() == pixels_.y() && pulledIn && requested_.elapsed() <= kAnswerWindowMs) {
        landed_ = at;
        landedKnown_ = true;
    }
    requested_.invalidate();
}

} // namespace qbx
