#pragma once
// The icon theme the desktop uses, so program icons look as they do in the desktop's own menus
// (on Linux: platform/linux/IconTheme.cpp).
//
//   qbx::followDesktopIconTheme();   // once, after the QApplication exists
//   // once the first window is up (the answer comes later, where there is one to wait for):
//   qbx::askDesktopIconTheme(window, [&] { redraw the icons shown });

#include <functional>

class QObject;

namespace qbx {

// Sets Qt's icon theme and fallback theme from the desktop's setting files (read now).
void followDesktopIconTheme();

// Where the desktop keeps its theme where only a program of its own can tell (gsettings on
// GNOME-like desktops), asks it without waiting (no answer within 1.5 s counts as none); when it
// names an installed theme other than the one in use, switches to it and calls `changed` (on the
// thread of `context`, while `context` lives). Elsewhere does nothing.
void askDesktopIconTheme(QObject* context, std::function<void()> changed);

} // namespace qbx
