#!/usr/bin/python3
"""When the main window becomes the active window (the user clicks its caption strip while
another program's window is active), the pop-up and the category window close. The category
delay is long here, so nothing else closes them."""

import fixtures
from harness import Session, check, run_test, wait_until
import screens


def prepare(folder):
    fixtures.prepare_network(folder, settings={"分类窗口": 30000})


def active_window(s):
    out = s.x("xprop", "-root", "_NET_ACTIVE_WINDOW")
    return int(out.split("#")[1].split(",")[0], 16) if "#" in out else None


def body(app_dir, artifacts):
    with Session("mainwin_activate", app_dir, artifacts, prepare=prepare) as s:
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)
        s.spawn("xmessage", ["xmessage", "-geometry", "300x200+600+600", "another window"])
        other = s.wait_window("xmessage")
        s.x("xdotool", "windowactivate", "--sync", str(other))
        wait_until(lambda: active_window(s) == other, 5, "the other window to become active")

        screens.open_popup(s, face, 2, arrow_on_right=True)
        popup = screens.wait_popup(s)
        cx, cy = screens.rest_on_column(s, popup, 1)
        screens.wait_catwin(s)

        # Round the tiles to the caption strip: up beside the main window, then along the top.
        gx, gy = screens.caption_point(s, main)
        s.move_pointer(cx, gy, steps=6)
        s.move_pointer(gx, gy, steps=6)
        check(screens.find_popup(s) and screens.find_catwin(s),
              "the pop-up closed before the main window was activated")
        s.screenshot("before-activating")
        s.x("xdotool", "click", "1")
        wait_until(lambda: active_window(s) == main, 5, "the main window to become active")
        wait_until(lambda: not screens.find_popup(s) and not screens.find_catwin(s), 5,
                   "the pop-up and the category window to close")
        s.screenshot("main-window-active")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
