#include "HideTimer.h"

namespace qbx {

HideTimer::HideTimer(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &HideTimer::timeout);
}

void HideTimer::setInterval(int ms)
{
    interval_ = ms;
    rearm();
}

void HideTimer::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    resting_ = false;
    rearm();
}

void HideTimer::rest()
{
    resting_ = true;
    timer_.stop();
}

void HideTimer::wake()
{
    if (!resting_)
        return;
    resting_ = false;
    rearm();
}

void HideTimer::rearm()
{
    if (!enabled_ || resting_ || interval_ <= 0) {
        timer_.stop();
        return;
    }
    if (!timer_.isActive() || timer_.interval() != interval_)
        timer_.start(interval_);
}

} // namespace qbx
