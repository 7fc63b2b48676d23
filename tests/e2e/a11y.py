"""Reading the program's windows through AT-SPI (Debian's python3-pyatspi).

Import this module only after DBUS_SESSION_BUS_ADDRESS and DISPLAY name the test's own session
(harness.Session.atspi does that). Nothing is cached on our side: every query asks the program
again, so a label that has just changed reads its new text.
"""

import pyatspi
from gi.repository import Atspi


class Node:
    """A snapshot of one accessible object: what a test compares and prints."""

    def __init__(self, acc, depth):
        self.acc = acc
        self.depth = depth
        self.role = acc.getRoleName()
        self.name = acc.name or ""
        self.description = acc.description or ""
        states = acc.getState()
        self.showing = states.contains(pyatspi.STATE_SHOWING)
        self.visible = states.contains(pyatspi.STATE_VISIBLE)
        try:
            e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            self.rect = (e.x, e.y, e.width, e.height)
        except NotImplementedError:
            self.rect = None

    @property
    def centre(self):
        x, y, w, h = self.rect
        return x + w // 2, y + h // 2

    def contains(self, x, y):
        if not self.rect:
            return False
        rx, ry, rw, rh = self.rect
        return rx <= x < rx + rw and ry <= y < ry + rh

    def __repr__(self):
        flags = "showing" if self.showing else ("visible" if self.visible else "hidden")
        desc = f" tip={self.description!r}" if self.description else ""
        return f"{self.role} {self.name!r}{desc} {self.rect} {flags}"


def _fresh(acc):
    try:
        acc.clear_cache()
    except Exception:
        pass
    return acc


def application(pid):
    """The application object of process `pid`, or None while it has not registered."""
    desktop = pyatspi.Registry.getDesktop(0)
    _fresh(desktop)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        try:
            if app.get_process_id() == pid:
                try:
                    app.set_cache_mask(Atspi.Cache.NONE)
                except Exception:
                    pass
                return app
        except Exception:
            continue
    return None


def walk(acc, depth=0, max_depth=12):
    """Every object under `acc` (itself included) as Nodes, depth first."""
    _fresh(acc)
    try:
        node = Node(acc, depth)
    except Exception:
        return
    yield node
    if depth >= max_depth:
        return
    for i in range(acc.childCount):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            yield from walk(child, depth + 1, max_depth)


def windows(app):
    """The top-level windows (frames, dialogs, tool windows) of the application."""
    out = []
    _fresh(app)
    for i in range(app.childCount):
        # A window unloaded while it is read (the pop-ups are) is no longer there, as in walk().
        try:
            w = app.getChildAtIndex(i)
            if w is not None:
                out.append(Node(_fresh(w), 1))
        except Exception:
            continue
    return out


def find(app, role=None, name=None, showing=None, within=None):
    """Objects under `app` matching the role name (e.g. "label"), name and showing state;
    `within` = (x, y, w, h) keeps only those whose centre lies inside that rectangle."""
    found = []
    for n in walk(app):
        if role is not None and n.role != role:
            continue
        if name is not None and n.name != name:
            continue
        if showing is not None and n.showing != showing:
            continue
        if within is not None:
            if not n.rect:
                continue
            wx, wy, ww, wh = within
            cx, cy = n.centre
            if not (wx <= cx < wx + ww and wy <= cy < wy + wh):
                continue
        found.append(n)
    return found


def labels_in(app, rect):
    """Showing labels whose centre lies in `rect`, in reading order (by row, then column)."""
    nodes = find(app, role="label", showing=True, within=rect)
    return sorted(nodes, key=lambda n: (n.rect[1], n.rect[0]))


def dump(acc):
    return "\n".join("  " * n.depth + repr(n) for n in walk(acc))
