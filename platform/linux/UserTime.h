#pragma once
// The X server time of the user's last key or button event in this program. A launch carries it
// in its startup id: the window manager then knows the started program's window answers an input
// just made and gives it the focus (an id with time 0 asks for the opposite).
//
//   qbx::watchX11UserTime();                  // once, with the application running
//   ... const unsigned long t = qbx::x11UserTime();

#include <cstdint>
#include <optional>

namespace qbx {

// Starts watching the X events Qt receives (once; nothing happens without an X11 connection).
void watchX11UserTime();

// The time of the last key or button event seen since watching began; 0 before any.
unsigned long x11UserTime();

// The time a key or button event carries, read from the xcb event as Qt receives it: a core
// event, or an XInput 2 event of the extension with major opcode `xinputOpcode` (0 when the
// server has none); nullopt for every other event.
std::optional<std::uint32_t> userEventTime(const void* xcbEvent, int xinputOpcode);

} // namespace qbx
