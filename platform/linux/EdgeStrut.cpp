#include "EdgeStrut.h"

#include "Xcb.h"
#include "platform/Logging.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qbx {

namespace {

std::uint32_t device(double value)
{
    return static_cast<std::uint32_t>(std::max(0L, std::lround(value)));
}

// The size of the whole X screen now, in device pixels: it may be larger than the monitors
// together (a monitor went away, a virtual size was set), and EWMH counts from its edges.
QSize rootSize(xcb_connection_t* c, const QScreen& screen)
{
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (root) {
        xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, root->root), nullptr);
        if (g) {
            const QSize size(g->width, g->height);
            std::free(g);
            return size;
        }
    }
    const double ratio = screen.devicePixelRatio();
    const QRect all = screen.virtualGeometry();
    return {static_cast<int>(device(all.x() + all.width() * ratio)),
            static_cast<int>(device(all.y() + all.height() * ratio))};
}

} // namespace

std::array<std::uint32_t, 12> strutPartial(const EdgeReservation& r, const QRect& screen, const QSize& root,
                                           double ratio)
{
    std::array<std::uint32_t, 12> v{};
    const auto y = [&](int logical) { return device(screen.y() + (logical - screen.y()) * ratio); };
    switch (r.side) {
    case EdgeReservation::None:
        break;
    case EdgeReservation::Left:
        v[0] = device(screen.x() + r.width * ratio);
        v[4] = y(r.top);
        v[5] = y(r.bottom);
        break;
    case EdgeReservation::Right:
        v[1] = device(root.width() - (screen.x() + screen.width() * ratio) + r.width * ratio);
        v[6] = y(r.top);
        v[7] = y(r.bottom);
        break;
    }
    return v;
}

void setEdgeStrut(QWidget* window, const EdgeReservation& r)
{
    xcb_connection_t* c = x11Connection();
    if (!c || !window)
        return; // not on X11: the desktop has no such reservation
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t partial = internAtom(c, "_NET_WM_STRUT_PARTIAL");
    const xcb_atom_t strut = internAtom(c, "_NET_WM_STRUT");
    if (partial == XCB_ATOM_NONE || strut == XCB_ATOM_NONE) {
        qCWarning(lcWindows, "the X server names no strut properties: the screen edge is not reserved");
        return;
    }
    if (r.side == EdgeReservation::None) {
        xcb_delete_property(c, id, partial);
        xcb_delete_property(c, id, strut);
    } else {
        const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const auto values =
            strutPartial(r, screen->geometry(), rootSize(c, *screen), screen->devicePixelRatio());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, partial, XCB_ATOM_CARDINAL, 32, 12, values.data());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, strut, XCB_ATOM_CARDINAL, 32, 4, values.data());
    }
    xcb_flush(c);
}

} // namespace qbx
