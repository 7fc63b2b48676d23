#!/usr/bin/python3
"""Two monitors side by side: the primary (1024 x 768) and a lower one right of it (1280 x 600).
The column dropped at the second monitor's left edge docks there and keeps no edge (the edge is
the primary's too); the pop-up of tile 4 ("系统") opens beside it on that monitor, and the
category window stands upward, as there is no room below on that monitor (there would be on the
primary). When the second monitor goes away, the column docks at the left edge of the primary
and keeps that edge; its pop-ups, left on the monitor that went, close. Docked at the primary's
right edge it keeps that edge too, counted from the edge of the whole X screen."""

import fixtures
from harness import Session, check, px, run_test, wait_until
import screens
import test_catwin_upward
from test_autohide_tray import strut

PRIMARY = (1024, 768)
SECOND = (1280, 600)
SYSTEM = 4


def body(app_dir, artifacts):
    progs = []
    with Session("mainwin_two_monitors", app_dir, artifacts, monitors=[PRIMARY, SECOND],
                 prepare=lambda f: progs.extend(test_catwin_upward.prepare(f))) as s:
        s.start_qbx()
        main = s.wait_main_window()
        x0, _, _, _ = s.geometry(main)
        grab = screens.caption_point(s, main)
        # Dropped 12 pixels right of the second monitor's left edge: it snaps to that edge.
        s.drag(grab, (grab[0] + PRIMARY[0] + 12 - x0, grab[1]))
        s.move_pointer(PRIMARY[0] + 600, 500)
        wait_until(lambda: s.geometry(main)[0] == PRIMARY[0], 5,
                   f"the main window to dock at x {PRIMARY[0]}")
        face = screens.client_geometry(s, main)
        s.screenshot("docked-on-the-second-monitor")
        check(strut(s, main) is None, f"an edge shared with the primary is reserved: {strut(s, main)}")

        screens.open_popup(s, face, SYSTEM, arrow_on_right=True)
        names = fixtures.MINOR_NAMES[SYSTEM]
        titles = [t for t, _ in test_catwin_upward.DESKTOP]
        popup, _ = screens.wait_popup_columns(s, [(names[0], titles[0])] + [(n, "") for n in names[1:]])
        s.screenshot("popup-on-the-second-monitor")
        px0, py0, pw, ph = popup.rect
        check(px0 >= PRIMARY[0] + px(1417) - 4 and px0 + pw <= PRIMARY[0] + SECOND[0],
              f"pop-up at {popup.rect} is not beside the column on the second monitor")

        cx, cy = screens.centre((px0, py0, pw // 5, ph))
        s.move_pointer(cx, cy, steps=4)
        s.wiggle(cx, cy)
        catwin, _ = screens.wait_catwin_cells(
            s, [("", ""), ("", ""), ("", titles[2]), ("", titles[1]), ("桌面", titles[0])])
        s.screenshot("category-window-upward-on-the-second-monitor")
        x, y, w, h = catwin.rect
        check(abs(y + h - (py0 + px(985))) <= 3 and y >= 0 and x >= PRIMARY[0]
              and x + w <= PRIMARY[0] + SECOND[0],
              f"category window {catwin.rect} does not stand up from the pop-up {popup.rect}")

        s.move_pointer(PRIMARY[0] + 900, 550, steps=4)
        s.x("xrandr", "--delmonitor", s.monitor_name(1))
        wait_until(lambda: s.geometry(main)[0] == 0, 10, "the column to dock on the primary")
        # Its pop-ups, beside its old place, are gone with it.
        wait_until(lambda: not screens.find_popup(s) and not screens.find_catwin(s), 5,
                   "the pop-ups to close")
        wait_until(lambda: (strut(s, main) or [0])[0] == 125, 5, "the column to keep the primary's left edge")
        s.screenshot("docked-on-the-primary")
        # At the primary's right edge, now an outer edge: kept, counted from the right edge of
        # the whole X screen, which still reaches over where the second monitor was.
        grab = screens.caption_point(s, main)
        s.drag(grab, (grab[0] + PRIMARY[0] - px(1875) - 12, grab[1]))
        s.move_pointer(300, 500)
        wait_until(lambda: s.geometry(main)[0] == PRIMARY[0] - px(1875), 5,
                   "the column to dock at the primary's right edge")
        wait_until(lambda: (strut(s, main) or [0, 0])[1] == SECOND[0] + px(1875),
                   5, "the column to keep the primary's right edge")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
