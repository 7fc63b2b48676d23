"""Where things are on the program's windows and how a person reaches them: the main window's
tiles and strips, the minor-category pop-up and the category window, found by their shape and
read through AT-SPI."""

import time

from harness import SCREEN_W, E2EError, px, wait_until

# Main window layout (twips, inside the window).
TILE_LEFT, TILE_TOP0, TILE_SIZE = 367, 480, 1050
STRIP_W = 360
STRIP_TOPS = [480, 1530, 2580, 3600, 4650, 5700, 6750]
RIGHT_STRIP_LEFT = [1410, 1415, 1415, 1415, 1410, 1410, 1410]
MAIN_W, MAIN_H = 1785, 8220        # client area
POPUP_W, POPUP_H = 4470, 960
CATWIN_W, CATWIN_H = 870, 4800


def window_shown(s, title):
    """Whether a window of qbx with this exact title is on screen (xdotool's search by name also
    returns the main window here: the names are compared again)."""
    return any(s.x("xdotool", "getwindowname", str(w), check=False).strip() == title and s.is_viewable(w)
               for w in s.windows_by_name(title, s.qbx.pid))


def one(s, role, name, within=None, timeout=10):
    """The one showing object of qbx with this role and name (inside `within` when given)."""
    def probe():
        found = [n for n in s.atspi.find(s.app(), role=role, name=name, showing=True, within=within)
                 if n.rect]
        return found[0] if found else None
    return wait_until(probe, timeout, f"a showing {role} {name!r}")


def click_node(s, node):
    """A left click in the middle of an object found through AT-SPI."""
    x, y = node.centre
    s.click(x, y)
    time.sleep(0.2)


def client_geometry(s, main_wid):
    """(x, y, w, h) of the main window's face, where the tiles are laid out.

    The window may carry its own caption strip above the face; the title text "Quillbox"
    (Label3, at 350, 100 twips on the face) tells where the face begins."""
    x, y, w, h = s.geometry(main_wid)
    title = [n for n in s.atspi.find(s.app(), role="label", name="Quillbox", showing=True)
             if n.rect and x <= n.rect[0] < x + w and y <= n.rect[1] < y + h]
    if title:
        fx, fy = title[0].rect[0] - px(350), title[0].rect[1] - px(100)
        if 0 <= fy - y <= 40 and abs(fx - x) <= 8:
            return (fx, fy, px(MAIN_W), px(MAIN_H))
    return (x, y, px(MAIN_W), px(MAIN_H))


def caption_point(s, main_wid):
    """A point on the main window's caption strip, by which a person drags it."""
    x, y, w, h = s.geometry(main_wid)
    strips = [n for n in s.atspi.find(s.app(), name="Velmora软件", showing=True)
              if n.role != "frame" and n.rect and n.rect[3] < h // 2
              and x <= n.rect[0] < x + w and y <= n.rect[1] < y + h]
    if strips:
        return centre(strips[0].rect)
    face = client_geometry(s, main_wid)
    if face[1] - y >= 6:
        return (x + w // 2, y + (face[1] - y) // 2)
    return (x + w - 4, y + 2)


def _rect(origin, left, top, width, height):
    ox, oy = origin[0], origin[1]
    return (ox + px(left), oy + px(top), px(width), px(height))


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def tile_rect(main_geom, i):
    return _rect(main_geom, TILE_LEFT, TILE_TOP0 + TILE_SIZE * i, TILE_SIZE, TILE_SIZE)


def right_strip_rect(main_geom, i):
    return _rect(main_geom, RIGHT_STRIP_LEFT[i], STRIP_TOPS[i], STRIP_W, TILE_SIZE)


def left_strip_rect(main_geom, i):
    return _rect(main_geom, 0, STRIP_TOPS[i], STRIP_W, TILE_SIZE)


TILE_NAMES = ["办公", "娱乐", "网络", "学习", "系统", "程序组合", "预留"]


def named(s, name, showing=True):
    """Showing objects of qbx with this accessible name."""
    return [n for n in s.atspi.find(s.app(), name=name, showing=showing) if n.rect]


def choose_menu_item(s, button, item, index):
    """Pops up the menu of the main window's `button` and chooses `item`, its index-th item.
    Pop-up menus do not always reach the accessibility bus; then the keyboard chooses it."""
    before = set(s.qbx_windows())
    click_node(s, one(s, "push button", button))
    s.wait_new_window(before, f"the menu of {button!r} to pop up")
    items = [n for n in s.atspi.find(s.app(), role="menu item", name=item) if n.rect]
    if items and items[0].showing:
        click_node(s, items[0])
    else:
        s.x("xdotool", "key", *(["Down"] * (index + 1)), "Return")


def click_menu_item(s, before, rows, item):
    """A pointer click on `item` of the menu that popped up since `before` (qbx_windows() taken
    earlier). `rows` are the menu's rows as shown, "-" for a separator: where AT-SPI does not
    show the menu, the item's row is clicked (a separator is a thin row)."""
    weights = [0.4 if r == "-" else 1 for r in rows]
    tall = 22 * sum(weights)  # about 22 pixels a row

    def popped():
        new = [w for w in s.qbx_windows() if w not in before]
        return new if any(s.geometry(w)[3] > tall / 2 for w in new) else None
    # A tooltip or the category window may show meanwhile: the menu is the one of its rows' height.
    menu = min(wait_until(popped, 5, "the menu to pop up"), key=lambda w: abs(s.geometry(w)[3] - tall))
    time.sleep(0.3)
    x, y, w, h = s.geometry(menu)
    found = [n for n in s.atspi.find(s.app(), role="menu item", name=item, showing=True,
                                     within=(x, y, w, h)) if n.rect]
    if found:
        cx, cy = found[0].centre
    else:
        i = rows.index(item)
        cx, cy = x + w // 2, y + int(h * (sum(weights[:i]) + weights[i] / 2) / sum(weights))
    s.click(cx, cy)


def choose_file(s, path):
    """Types `path` into the open-file dialog "查找exe文件" and waits for it to close."""
    dialog = s.wait_window("查找exe文件")
    s.screenshot("file-dialog")
    s.x("xdotool", "windowactivate", "--sync", str(dialog), check=False)
    time.sleep(0.3)
    s.x("xdotool", "type", "--delay", "20", path)
    time.sleep(0.2)
    s.x("xdotool", "key", "Return")
    wait_until(lambda: not s.windows_by_name("查找exe文件"), 10, "the file dialog to close")


def arrow_strip(s, face, tile, on_right):
    """The arrow strip of a lit tile ("打开 <category>") once it shows, else where the layout puts
    it."""
    name = "打开 " + TILE_NAMES[tile]
    if not s.atspi.find(s.app(), name=name):
        return (right_strip_rect if on_right else left_strip_rect)(face, tile)
    return wait_until(lambda: (named(s, name) or [None])[0], 5, f"the arrow strip {name}").rect


def tile_node(s, tile):
    """Tile `tile` (0-6) as AT-SPI shows it: named after its category, the size of a tile (a
    name strip and the pop-up window carry the same name)."""
    def probe():
        found = [n for n in named(s, TILE_NAMES[tile]) if n.role not in ("frame", "window", "dialog")
                 and abs(n.rect[2] - px(TILE_SIZE)) <= 3 and abs(n.rect[3] - px(TILE_SIZE)) <= 3]
        return found[0] if found else None
    return wait_until(probe, 10, f"the tile {TILE_NAMES[tile]}")


def strips(s, face, tile):
    """{"left": node, "right": node} of the showing strips of `tile`, found where the layout
    puts them."""
    out = {}
    for side, rect in (("left", left_strip_rect(face, tile)), ("right", right_strip_rect(face, tile))):
        found = [n for n in s.atspi.find(s.app(), showing=True, within=rect)
                 if n.rect and abs(n.rect[2] - px(STRIP_W)) <= 3 and n.rect[3] > px(TILE_SIZE) // 2]
        if found:
            out[side] = found[0]
    return out


def tile_skins(s, face, tiles):
    """{("tile" | "left" | "right", i): the skin file shown} for the tiles `tiles` and their
    strips; None for a strip that is not showing."""
    out = {}
    for i in tiles:
        out[("tile", i)] = tile_node(s, i).description
        shown = strips(s, face, i)
        for side in ("left", "right"):
            out[(side, i)] = shown[side].description if side in shown else None
    return out


def wait_skins(s, face, expected, what):
    """Waits until tile_skins shows `expected` ({(part, i): skin or None})."""
    seen = {}

    def probe():
        seen.update(tile_skins(s, face, sorted({i for _, i in expected})))
        return all(seen[k] == v for k, v in expected.items())
    try:
        wait_until(probe, 5, what)
    except E2EError as e:
        raise E2EError(f"{what}: expected {expected}, saw {seen}") from e


def program_icons(s, rect):
    """Showing icon boxes that show a program, inside `rect`: their accessible name is the
    program's title, their description its path."""
    return [n for n in s.atspi.find(s.app(), showing=True, within=rect)
            if n.description.startswith("/") and n.role != "label"]


def bring_back(s, main_wid):
    """Touches the strip of an auto-hidden main window, as a person does before reaching for a
    tile, and waits until the window is back at the edge; a shown window is left alone. The
    pointer is then on the window, where the auto-hide timer leaves it."""
    x, y, w, h = s.geometry(main_wid)
    if x >= 0 and x + w <= SCREEN_W:
        return
    sx = 2 if x < 0 else SCREEN_W - 3
    sy = max(y, 0) + h // 2
    s.move_pointer(sx, sy)
    s.wiggle(sx, sy)
    wait_until(lambda: (lambda g: g[0] >= 0 and g[0] + g[2] <= SCREEN_W)(s.geometry(main_wid)),
               5, "the auto-hidden main window to come back")


def open_popup(s, face, tile, arrow_on_right=True):
    """Moves the pointer into the tile, then on to its arrow strip once that shows."""
    tx, ty = centre(tile_rect(face, tile))
    s.move_pointer(tx, ty, steps=4)
    s.wiggle(tx, ty)
    sx, _ = centre(arrow_strip(s, face, tile, arrow_on_right))
    s.move_pointer(sx, ty, steps=6)
    s.wiggle(sx, ty)


def rest_on_column(s, popup, k):
    """Moves the pointer on to column k (0-4) of the shown pop-up and rests there; returns the
    point."""
    x, y = centre((popup.rect[0] + popup.rect[2] * k // 5, popup.rect[1], popup.rect[2] // 5, popup.rect[3]))
    s.move_pointer(x, y, steps=4)
    s.wiggle(x, y)
    return x, y


def open_category_window(s, main_wid, face, tile):
    """Brings the main window back when it hid, opens the pop-up of `tile` and rests on its first
    column until the category window shows; returns the category window.

    Right after a dialog closed, the window manager may activate the main window late, which
    unloads the pop-up and the category window under the pointer; a person then moves the pointer
    again, and so does this (at most twice more)."""
    bring_back(s, main_wid)
    for attempt in range(3):
        open_popup(s, face, tile, arrow_on_right=True)
        try:
            popup = wait_popup(s, timeout=3)
            x, y = centre((popup.rect[0], popup.rect[1], popup.rect[2] // 5, popup.rect[3]))
            s.move_pointer(x, y, steps=5)
            s.wiggle(x, y)
            return wait_catwin(s, timeout=4)
        except E2EError:
            if attempt == 2:
                raise


def _windows(s):
    return [w for w in s.atspi.windows(s.app()) if w.showing and w.rect]


def _shaped(nodes, width, height, tolerance=0.25):
    """Windows whose size is within `tolerance` of width × height pixels."""
    out = []
    for n in nodes:
        _, _, w, h = n.rect
        if abs(w - width) <= width * tolerance and abs(h - height) <= height * tolerance:
            out.append(n)
    return out


def _settled(s, win):
    """Whether the accessible extents of a window agree with where the X server has it.

    Just after a window is shown (or shown again somewhere else) the toolkit may report a
    position it has not yet heard back from the window manager, such as (0, 0)."""
    for wid in s.qbx_windows():
        try:
            if s.geometry(wid) == tuple(win.rect):
                return True
        except E2EError:
            continue
    return False


def _find_window(s, width, height, settled=False):
    """A showing window of qbx by its shape (its title is what it shows); with `settled`, only
    once its extents are those the X server gives it."""
    found = _shaped(_windows(s), width, height)
    if found and settled and not _settled(s, found[0]):
        return None
    return found[0] if found else None


def find_popup(s, settled=False):
    """The minor-category pop-up, titled after the category it shows."""
    return _find_window(s, px(POPUP_W), px(POPUP_H), settled)


def find_catwin(s, settled=False):
    """The category window, titled after the column it opened over."""
    return _find_window(s, px(CATWIN_W), px(CATWIN_H), settled)


def wait_popup(s, timeout=10):
    """The shown pop-up, once its place on the screen has settled."""
    return wait_until(lambda: find_popup(s, settled=True), timeout, "the minor-category pop-up")


def wait_catwin(s, timeout=10):
    """The shown category window, once its place on the screen has settled."""
    return wait_until(lambda: find_catwin(s, settled=True), timeout, "the category window")


def _labels(s, win):
    """The window's own showing labels: another window lying over it (the category window over
    a pop-up column) has labels in the same place."""
    return s.atspi.labels_in(win.acc, win.rect)


def popup_columns(s, win):
    """[(overlay caption, title)] of the pop-up's five columns, left to right.

    The overlay of a column is its tall label (the whole column); the title is the short strip
    near the bottom."""
    labels = _labels(s, win)
    wx, wy, ww, wh = win.rect
    col_w = ww / 5
    overlays = [""] * 5
    titles = [""] * 5
    for n in labels:
        k = int((n.centre[0] - wx) // col_w)
        if not 0 <= k < 5:
            continue
        if n.rect[3] >= wh * 0.6:
            overlays[k] = n.name
        elif n.rect[3] <= wh * 0.4 and n.centre[1] > wy + wh // 2:
            titles[k] = n.name
    return list(zip(overlays, titles))


def catwin_cells(s, win):
    """[(overlay caption, title)] of the category window's five cells, top to bottom."""
    labels = _labels(s, win)
    wx, wy, ww, wh = win.rect
    cell_h = wh / 5
    overlays = [""] * 5
    titles = [""] * 5
    for n in labels:
        k = int((n.centre[1] - wy) // cell_h)
        if not 0 <= k < 5:
            continue
        if n.rect[3] >= cell_h * 0.6:
            overlays[k] = n.name
        elif n.rect[3] <= cell_h * 0.4:
            titles[k] = n.name
    return list(zip(overlays, titles))


def wait_popup_columns(s, expected, timeout=10):
    """Waits until the pop-up shows `expected` columns (a list, or a test of the columns seen);
    returns (window, columns seen). The pop-up is looked up afresh each time: it is unloaded
    and loaded again whenever the main window becomes active, which after a dialog closed may
    happen late, while the pointer already rests on it."""
    seen = {}
    wanted = expected if callable(expected) else (lambda cols: cols == expected)

    def probe():
        win = find_popup(s, settled=True)
        if not win:
            return None
        seen["cols"] = popup_columns(s, win)
        return win if wanted(seen["cols"]) else None
    try:
        return wait_until(probe, timeout, "the pop-up's columns"), seen["cols"]
    except E2EError as e:
        raise E2EError(f"pop-up columns: expected {expected}, saw {seen.get('cols')}") from e


def wait_catwin_cells(s, expected, timeout=10):
    seen = {}

    def probe():
        win = find_catwin(s, settled=True)
        if not win:
            return None
        seen["cells"] = catwin_cells(s, win)
        return win if seen["cells"] == expected else None
    try:
        return wait_until(probe, timeout, "the category window's cells"), seen["cells"]
    except E2EError as e:
        raise E2EError(f"category cells: expected {expected}, saw {seen.get('cells')}") from e
