#!/usr/bin/python3
"""Auto-hide and the tray icon with the real program: docked at the left edge with auto-hide on,
the main window slides off after the main-window delay once the pointer has left it, leaving a
thin strip (100 twips asked for); touching the strip brings it back. With a tray host (Debian's trayer) running, a
double-click on the tray icon hides the window and a second one shows it again; a right click
pops up the menu "操作". While auto-hide is off and the window is docked, it keeps its edge for
itself (_NET_WM_STRUT_PARTIAL, read with xprop); while auto-hide is on it keeps nothing."""

import re
import time

import fixtures
from harness import SCREEN_H, E2EError, Session, check, run_test, wait_until

DELAY_MS = 800


def prepare(folder):
    # Mode 4: the window stays at the top-left corner with auto-hide on.
    fixtures.write_settings(folder, {"启动": 4, "ycount": 0, "zhcount": 0, "wcount": 0,
                                     "主窗口": DELAY_MS, "分类窗口": 1000})


def start_tray_host(s):
    """trayer at the bottom right of the screen, ready to embed the program's icon (started
    once more when its panel does not show: on a busy machine it sometimes never maps it)."""
    for attempt in range(2):
        p = s.spawn("trayer", ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                               "--width", "120", "--heighttype", "pixel", "--height", "32",
                               "--SetDockType", "true", "--expand", "false", "--transparent", "false"])
        try:
            wait_until(lambda: s.windows_by_name("panel"), 15, "trayer to start")
            break
        except E2EError:
            if attempt == 1:
                raise
            p.kill()
            p.wait(5)
    time.sleep(0.5)


def tray_icon(s):
    """(x, y, w, h) on the screen of the icon window trayer embeds for the program."""
    for line in s.x("xwininfo", "-root", "-tree", check=False).splitlines():
        m = re.search(r'"Quillbox": \("qbx" "Quillbox"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)', line)
        if m:
            w, h, x, y = (int(v) for v in m.groups())
            if w <= 64 and h <= 64 and y > SCREEN_H - 100:
                return (x, y, w, h)
    return None


def main_window(s):
    """The main window itself (the tray's icon window may carry the same title)."""
    tall = [w for w in s.windows_by_name("Velmora软件", s.qbx.pid) if s.geometry(w)[3] > 200]
    check(len(tall) == 1, f"main windows found: {tall}")
    return tall[0]


def strut(s, wid):
    """The window's _NET_WM_STRUT_PARTIAL as numbers, or None when it has none."""
    out = s.x("xprop", "-id", str(wid), "_NET_WM_STRUT_PARTIAL", check=False)
    m = re.search(r"=\s*([\d, ]+)$", out.strip())
    return [int(v) for v in m.group(1).split(",")] if m else None


def left_of(s, wid):
    return s.geometry(wid)[0]


def body(app_dir, artifacts):
    with Session("autohide_tray", app_dir, artifacts, prepare=prepare) as s:
        # The tray host first, so the program finds it when it puts its icon in place.
        start_tray_host(s)
        # The pointer rests where the window comes up: auto-hide is on from the start, and a
        # pointer elsewhere would let the window slide off before it is looked at.
        s.move_pointer(60, 300)
        s.start_qbx()
        s.wait_main_window()
        main = main_window(s)
        s.wiggle(60, 300)
        x0 = left_of(s, main)
        check(x0 == 0, f"the window starts at left {x0}, expected 0")
        check(strut(s, main) is None, f"with auto-hide on the edge is kept: {strut(s, main)}")
        s.screenshot("docked")

        # The pointer leaves: at the timer's next tick the window is hidden with a strip left.
        s.move_pointer(600, 500, steps=3)
        wait_until(lambda: left_of(s, main) < 0, 5, "the window to slide off the left edge")
        x = left_of(s, main)
        width = s.geometry(main)[2]
        # 7 pixels (100 twips) are asked for; openbox keeps about a tenth of a managed window on
        # the screen (13 pixels), so a thin strip is what is checked.
        check(1 <= x + width <= 15, f"hidden at left {x} (width {width}): {x + width} pixels stay")
        s.screenshot("hidden")

        # Touching the strip brings it back.
        s.move_pointer(3, 400)
        s.wiggle(3, 400)
        wait_until(lambda: left_of(s, main) == 0, 5, "the window to come back")
        s.screenshot("back")
        # While the pointer stays on it, it stays.
        s.move_pointer(60, 400)
        s.wiggle(60, 400)
        time.sleep(DELAY_MS / 1000 * 2.5)
        check(left_of(s, main) == 0, "the window hid while the pointer was over it")

        # The tray: trayer embeds the program's icon window (named "Quillbox", class "qbx").
        icon = wait_until(lambda: tray_icon(s), 10, "the program's icon in trayer")
        tx, ty = icon[0] + icon[2] // 2, icon[1] + icon[3] // 2
        s.screenshot("tray")
        s.move_pointer(tx, ty)
        s.x("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        wait_until(lambda: not s.is_viewable(main), 5, "a double-click on the tray icon to hide the main window")
        s.screenshot("minimised")
        time.sleep(0.5)
        s.x("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        wait_until(lambda: s.is_viewable(main), 5, "a second double-click to show the main window again")
        s.screenshot("shown-again")

        # A right click pops up "操作" at the icon (pop-up menus do not reach the accessibility
        # bus, so the keyboard chooses): its second item, "不自动隐藏", switches auto-hide off
        # and brings the window back to the edge, where it then stays.
        before = set(s.qbx_windows())
        s.x("xdotool", "click", "3")
        s.wait_new_window(before, "the menu to pop up at the tray icon")
        s.screenshot("tray-menu")
        s.x("xdotool", "key", "--delay", "100", "Down", "Down", "Return")
        wait_until(lambda: left_of(s, main) == 0, 5, "auto-hide switched off from the tray menu")
        time.sleep(DELAY_MS / 1000 * 2.5)
        check(left_of(s, main) == 0, "the window hid with auto-hide switched off")
        # Docked with auto-hide off: its width at the left edge, over its height.
        height = s.geometry(main)[3]
        kept = wait_until(lambda: strut(s, main), 5, "the left edge to be kept")
        check(kept[:4] == [125, 0, 0, 0] and kept[4:6] == [s.geometry(main)[1], s.geometry(main)[1] + height - 1],
              f"_NET_WM_STRUT_PARTIAL {kept}")
        s.screenshot("edge-kept")
        # Auto-hide on again (the tray menu's same item): the edge is given back.
        s.move_pointer(tx, ty)
        before = set(s.qbx_windows())
        s.x("xdotool", "click", "3")
        s.wait_new_window(before, "the menu to pop up at the tray icon again")
        s.x("xdotool", "key", "--delay", "100", "Down", "Down", "Return")
        wait_until(lambda: strut(s, main) is None, 5, "the edge to be given back")
        s.check_running()


if __name__ == "__main__":
    run_test(body, "autohide_tray")
