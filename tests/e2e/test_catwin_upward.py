#!/usr/bin/python3
"""With the main window dragged down the screen, the pop-up of tile 4 ("系统") lies too low for
the category window to hang down from it: the category window stands upward over the hovered
column, its bottom cell (over the pop-up) shows the most used program and the minor name, and
pointing at that cell's icon shows slot 0's use count."""

import os

import fixtures
from harness import SCREEN_H, Session, check, px, run_test, wait_until
import screens
from tooltips import wait_tooltip

SYSTEM = 4
DESKTOP = [("桌面之一", 9), ("桌面之二", 5), ("桌面之三", 2)]


def prepare(folder):
    icons = fixtures.make_icons(os.path.join(folder, "test-icons"))
    progs = [fixtures.program(i + 1, SYSTEM, 0, i, "桌面", title, count, icons[i], f"桌面说明{i}")
             for i, (title, count) in enumerate(DESKTOP)]
    fixtures.write_programs(folder, progs)
    fixtures.write_settings(folder, {"启动": 1, "ycount": len(progs)})
    return progs


def body(app_dir, artifacts):
    progs = []
    with Session("catwin_upward", app_dir, artifacts,
                 prepare=lambda f: progs.extend(prepare(f))) as s:
        s.start_qbx()
        main = s.wait_main_window()
        grab = screens.caption_point(s, main)
        target_top = 430
        s.drag(grab, (grab[0], grab[1] + target_top))
        s.move_pointer(700, 900)
        wait_until(lambda: abs(s.geometry(main)[1] - target_top) <= 2, 5,
                   f"the main window to stay at top {target_top}")
        face = screens.client_geometry(s, main)
        s.screenshot("main-window-low")

        screens.open_popup(s, face, SYSTEM, arrow_on_right=True)
        names = fixtures.MINOR_NAMES[SYSTEM]
        expected = [(names[0], DESKTOP[0][0])] + [(n, "") for n in names[1:]]
        popup, _ = screens.wait_popup_columns(s, expected)
        check(SCREEN_H - popup.rect[1] < px(4800),
              f"pop-up at {popup.rect} leaves room below; the test needs it low")

        cx, cy = screens.centre((popup.rect[0], popup.rect[1], popup.rect[2] // 5, popup.rect[3]))
        s.move_pointer(cx, cy, steps=4)
        s.wiggle(cx, cy)
        titles = [t for t, _ in DESKTOP]
        catwin, _ = screens.wait_catwin_cells(
            s, [("", ""), ("", ""), ("", titles[2]), ("", titles[1]), ("桌面", titles[0])])
        s.screenshot("category-window-upward")
        bottom = catwin.rect[1] + catwin.rect[3]
        check(abs(bottom - (popup.rect[1] + px(985))) <= 3 and catwin.rect[1] < popup.rect[1],
              f"category window {catwin.rect} does not stand up from the pop-up {popup.rect}")

        # The bottom cell's icon is slot 0.
        x0, y0, w0, h0 = catwin.rect
        ix, iy = x0 + w0 // 2, y0 + h0 * 4 // 5 + px(240 + 240)
        s.move_pointer(ix, iy, steps=3)
        s.wiggle(ix, iy)
        first = progs[0]
        wait_tooltip(s, f"{first['name']}使用{first['useCounter'] - 1}次 {first['description']}")
        s.screenshot("tooltip-slot-0")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
