// The main window follows the screen: when its size or resolution changes, or another monitor
// becomes the primary one, the column stays docked (or hidden) at its edge.

#include "Form1.h"

#include "AutoHide.h"
#include "Form1Layout.h"

#include <QGuiApplication>
#include <QScreen>

namespace qbx {

void Form1::followScreen()
{
    screenWidthTw_ = screenWidthTwips();
    const auto watch = [this](QScreen* screen) {
        if (screen)
            connect(screen, &QScreen::geometryChanged, this, [this] { screenResized(); });
    };
    watch(QGuiApplication::primaryScreen());
    auto* app = static_cast<QGuiApplication*>(QCoreApplication::instance());
    connect(app, &QGuiApplication::primaryScreenChanged, this, [this, watch](QScreen* screen) {
        watch(screen);
        screenResized();
    });
}

void Form1::screenResized()
{
    const int oldWidth = screenWidthTw_;
    const int width = screenWidthTw_ = screenWidthTwips();
    const int left = leftTwips();
    if (left == oldWidth - kVisibleStripTw)
        moveTwips(width - kVisibleStripTw, topTwips()); // hidden at the right edge
    else if (left == oldWidth - form1::kOuterWidth || left > width - form1::kOuterWidth)
        moveTwips(width - form1::kOuterWidth, topTwips()); // docked right, or now beyond the edge
    Timer3_Timer();
    updateReservedEdge();
}

} // namespace qbx
