#pragma once
// The X connection Qt holds, for the few X11 requests Qt has no interface for.
//
//   if (xcb_connection_t* c = qbx::x11Connection()) xcb_intern_atom(...)

#include <xcb/xcb.h>

namespace qbx {

// Qt's connection to the X server; null when not on X11 (Wayland, offscreen) or without an application.
xcb_connection_t* x11Connection();

// The atom for `name`, created when the server has none yet; XCB_ATOM_NONE when the server refuses.
xcb_atom_t internAtom(xcb_connection_t* c, const char* name);

} // namespace qbx
