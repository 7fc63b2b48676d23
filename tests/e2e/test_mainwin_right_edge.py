#!/usr/bin/python3
"""The main window dragged by its caption strip near the right screen edge snaps flush against
it; the pop-up of tile 2 then opens on the left with its columns mirrored (the most used minor
category next to the main window), and resting on a column still opens the right category."""

import time

import fixtures
from harness import SCREEN_W, Session, check, check_equal, px, run_test, wait_until
import screens


def body(app_dir, artifacts):
    with Session("mainwin_right_edge", app_dir, artifacts, prepare=fixtures.prepare_network) as s:
        s.start_qbx()
        main = s.wait_main_window()
        x0, y0, w, h = s.geometry(main)
        grab = screens.caption_point(s, main)
        docked_left = SCREEN_W - px(1875)
        # Drop it 20 pixels short of the docked place: within snapping distance.
        target_left = docked_left - 20
        s.drag(grab, (grab[0] + target_left - x0, grab[1]))
        s.move_pointer(docked_left - 300, 600)
        left = wait_until(lambda: (lambda g: g[0] if abs(g[0] - docked_left) <= 1 else None)(
            s.geometry(main)), 5, f"the main window to snap to left {docked_left}")
        time.sleep(0.1)
        geom = screens.client_geometry(s, main)
        check_equal(s.geometry(main)[1], 0, "main window top after the drag")
        s.screenshot("docked-right")

        screens.open_popup(s, geom, 2, arrow_on_right=False)
        mirrored = [(name, shown[0])
                    for name, shown in map(fixtures.network_shown, reversed(range(5)))]
        popup, _ = screens.wait_popup_columns(s, mirrored)
        s.screenshot("popup-on-the-left")
        check(popup.rect[0] + popup.rect[2] <= left + w // 2,
              f"pop-up at {popup.rect} is not left of the main window at {left}")
        check(popup.rect[0] >= 0, f"pop-up at {popup.rect} runs off the screen")

        # Column 4 lies next to the main window and stands for the most used minor category.
        for k, position in ((4, 0), (0, 4), (3, 1)):
            name, shown = fixtures.network_shown(position)
            titles = (shown + [""] * 5)[:5]
            cx, cy = screens.centre((popup.rect[0] + popup.rect[2] * k // 5, popup.rect[1],
                                     popup.rect[2] // 5, popup.rect[3]))
            s.move_pointer(cx, cy, steps=5)
            s.wiggle(cx, cy)
            catwin, _ = screens.wait_catwin_cells(
                s, [(name if n == 0 else "", titles[n]) for n in range(5)])
            s.screenshot(f"category-window-column-{k}")
            check(abs(catwin.rect[0] - (popup.rect[0] + popup.rect[2] * k // 5)) <= 3,
                  f"category window at {catwin.rect} not over column {k} of {popup.rect}")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
