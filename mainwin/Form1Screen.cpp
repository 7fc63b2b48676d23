// The main window follows the screens: it belongs to the monitor holding most of it, its edges
// are that monitor's edges, and when the monitors change (one added or removed, a new size or
// resolution, another primary) the column stays docked (or hidden) at its edge there.

#include "Form1.h"

#include "AutoHide.h"
#include "ColumnScreen.h"
#include "Form1Layout.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace qbx {

void Form1::followScreen()
{
    knownScreens_ = desktop_.screens();
    noteHome();
    // Several signals come for one change (a monitor goes, another becomes the primary): the
    // column is placed once, after all of them.
    screenChange_.setSingleShot(true);
    screenChange_.setInterval(0);
    connect(&screenChange_, &QTimer::timeout, this, &Form1::screenResized);
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

void Form1::screenResized()
{
    const QRect old = home_;
    const QList<QRect> screens = desktop_.screens();
    const QRect now = followedScreen(old, screens);
    const int oldWidth = pxToTwips(old.width());
    QPoint at(leftTwips() - pxToTwips(old.x()), topTwips() - pxToTwips(old.y()));
    // The window manager may have moved a column off a monitor that went away before we hear of
    // it: where it stood docked counts.
    if (!atEdge(at.x(), oldWidth) && atEdge(homePlace_.x(), oldWidth))
        at = homePlace_;
    const QPoint place = resnapped(at, oldWidth, QSize(pxToTwips(now.width()), pxToTwips(now.height())));
    knownScreens_ = screens;
    const QPoint target(pxToTwips(now.x()) + place.x(), pxToTwips(now.y()) + place.y());
    if (target != QPoint(leftTwips(), topTwips())) {
        // The pop-ups stood beside the column's old place, perhaps on a monitor that is gone.
        closePopups();
        moveTwips(target.x(), target.y());
    }
    noteHome();
    Timer3_Timer();
    updateReservedEdge();
}

QRect Form1::columnScreen() const
{
    return homeScreen(geometry(), desktop_.screens());
}

void Form1::noteHome()
{
    // A move while the monitors are changing is no new home: the change is measured against
    // the screen the column was placed for.
    if (desktop_.screens() == knownScreens_) {
        home_ = columnScreen();
        homePlace_ = placeOnScreen();
    }
}

QPoint Form1::placeOnScreen() const
{
    const QRect screen = columnScreen();
    return {leftTwips() - pxToTwips(screen.x()), topTwips() - pxToTwips(screen.y())};
}

void Form1::moveOnScreen(QPoint place)
{
    const QRect screen = columnScreen();
    moveTwips(pxToTwips(screen.x()) + place.x(), pxToTwips(screen.y()) + place.y());
}

int Form1::screenWidthTwips() const
{
    return pxToTwips(columnScreen().width());
}

int Form1::screenHeightTwips() const
{
    return pxToTwips(columnScreen().height());
}

QPoint Form1::screenOrigin() const
{
    return columnScreen().topLeft();
}

bool Form1::slidesOff(bool leftEdge) const
{
    const QRect g = geometry();
    return outerEdge(leftEdge, columnScreen(), g.top(), g.bottom(), desktop_.screens());
}

} // namespace qbx
