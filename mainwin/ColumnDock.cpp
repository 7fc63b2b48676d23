#include "ColumnDock.h"

#include "ColumnScreen.h"
#include "Form1Layout.h"
#include "Form2.h"
#include "ReservedEdge.h"
#include "ui/TwipPlace.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qbx {

using namespace form1;

ColumnDock::ColumnDock(QWidget& window, TwipPlace& place, Desktop& desktop, QObject* parent)
    : QObject(parent), window_(window), place_(place), desktop_(desktop)
{
    edgeHold_.setSingleShot(true);
    edgeHold_.setInterval(kEdgeHoldMs);
    connect(&edgeHold_, &QTimer::timeout, this, &ColumnDock::updateReservedEdge);
}

void ColumnDock::followScreens()
{
    knownScreens_ = desktop_.screens();
    noteHome();
    // Several signals come for one change (a monitor goes, another becomes the primary): the
    // column is placed once, after all of them.
    screenChange_.setSingleShot(true);
    screenChange_.setInterval(0);
    connect(&screenChange_, &QTimer::timeout, this, &ColumnDock::screensChanged);
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, &screenChange_, qOverload<>(&QTimer::start));
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    auto* app = static_cast<QGuiApplication*>(QCoreApplication::instance());
    connect(app, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        screenChange_.start();
    });
    connect(app, &QGuiApplication::screenRemoved, &screenChange_, qOverload<>(&QTimer::start));
    connect(app, &QGuiApplication::primaryScreenChanged, &screenChange_, qOverload<>(&QTimer::start));
}

void ColumnDock::screensChanged()
{
    const QRect old = home_;
    const QList<QRect> screens = desktop_.screens();
    const QRect now = followedScreen(old, screens);
    const int oldWidth = pxToTwips(old.width());
    QPoint at(place_.left() - pxToTwips(old.x()), place_.top() - pxToTwips(old.y()));
    // The window manager may have moved a column off a monitor that went away before we hear of
    // it: where it stood docked counts.
    if (!atEdge(at.x(), oldWidth) && atEdge(homePlace_.x(), oldWidth))
        at = homePlace_;
    const QPoint place = resnapped(at, oldWidth, QSize(pxToTwips(now.width()), pxToTwips(now.height())));
    knownScreens_ = screens;
    const QPoint target(pxToTwips(now.x()) + place.x(), pxToTwips(now.y()) + place.y());
    if (target != QPoint(place_.left(), place_.top())) {
        emit aboutToFollowScreen();
        place_.move(target.x(), target.y());
    }
    noteHome();
    keepAgainstEdges();
    updateReservedEdge();
}

QRect ColumnDock::screen() const
{
    return homeScreen(window_.geometry(), desktop_.screens());
}

void ColumnDock::noteHome()
{
    // A move while the monitors are changing is no new home: the change is measured against
    // the screen the column was placed for.
    if (desktop_.screens() == knownScreens_) {
        home_ = screen();
        homePlace_ = placeOnScreen();
    }
}

QPoint ColumnDock::placeOnScreen() const
{
    const QRect s = screen();
    return {place_.left() - pxToTwips(s.x()), place_.top() - pxToTwips(s.y())};
}

void ColumnDock::moveOnScreen(QPoint place)
{
    const QRect s = screen();
    place_.move(pxToTwips(s.x()) + place.x(), pxToTwips(s.y()) + place.y());
}

int ColumnDock::screenWidthTwips() const
{
    return pxToTwips(screen().width());
}

int ColumnDock::screenHeightTwips() const
{
    return pxToTwips(screen().height());
}

bool ColumnDock::slidesOff(bool leftEdge) const
{
    const QRect g = window_.geometry();
    return outerEdge(leftEdge, screen(), g.top(), g.bottom(), desktop_.screens());
}

bool ColumnDock::roomOnRight() const
{
    return Form2::kWidth - kSideStripWidth + kPopupSideRoom <= screenWidthTwips() - placeOnScreen().x();
}

void ColumnDock::keepAgainstEdges()
{
    if (snapping_)
        return;
    snapping_ = true;
    const int width = screenWidthTwips();
    const QPoint at = placeOnScreen();
    int left = at.x();
    int top = at.y();
    if (top < 500)
        top = 0;
    if (left > 0 && left < 500)
        left = 0;
    if (left > width - kSnapZone && left < width - kOuterWidth)
        left = width - kOuterWidth;
    if (left != at.x() || top != at.y())
        moveOnScreen(QPoint(left, top));
    snapping_ = false;
}

void ColumnDock::snapToEdges(bool leftTestFirst)
{
    const auto leftTest = [this] {
        if (const QPoint at = placeOnScreen(); at.x() < 0)
            moveOnScreen(QPoint(0, at.y()));
    };
    const auto rightTest = [this] {
        const int width = screenWidthTwips();
        if (const QPoint at = placeOnScreen(); at.x() > width - kSnapZone)
            moveOnScreen(QPoint(width - kOuterWidth, at.y()));
    };
    if (leftTestFirst) {
        leftTest();
        rightTest();
    } else {
        rightTest();
        leftTest();
    }
}

void ColumnDock::moved()
{
    keepAgainstEdges();
    noteHome();
}

void ColumnDock::setAutoHide(bool on)
{
    autoHideOn_ = on;
    updateReservedEdge();
}

void ColumnDock::holdReservedEdge()
{
    edgeHold_.start();
    updateReservedEdge();
}

void ColumnDock::updateReservedEdge()
{
    const bool settled = window_.isVisible() && !edgeHold_.isActive();
    const EdgeReservation r = settled ? columnReservation(autoHideOn_, placeOnScreen().x(),
                                                          window_.geometry(), screen(), desktop_.screens())
                                      : EdgeReservation{};
    if (r == reservedEdge_)
        return;
    reservedEdge_ = r;
    desktop_.reserveEdge(&window_, r);
}

} // namespace qbx
