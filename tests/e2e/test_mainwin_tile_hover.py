#!/usr/bin/python3
"""The tiles' hover states as a person sees them: the tile under the pointer lights with its
name and an arrow strip on the pop-up side; leaving it downward or to the left puts it back to
rest and hides its arrow; entering a tile hides an open pop-up and category window at once
(the category delay is long here, so nothing else hides them)."""

import fixtures
from harness import Session, check, run_test, wait_until
import screens
from screens import wait_skins


def prepare(folder):
    fixtures.prepare_network(folder, settings={"分类窗口": 30000})


def body(app_dir, artifacts):
    with Session("mainwin_tile_hover", app_dir, artifacts, prepare=prepare) as s:
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)
        t2 = screens.centre(screens.tile_rect(face, 2))
        t3 = screens.centre(screens.tile_rect(face, 3))

        s.move_pointer(*t2, steps=4)
        s.wiggle(*t2)
        wait_skins(s, face, {("tile", 2): "pnl12.jpg", ("right", 2): "pnl21.jpg",
                             ("left", 2): "pnl332.jpg"}, "tile 2 lit")

        # Down into tile 3: tile 2 rests, its arrow goes, tile 3 lights.
        s.move_pointer(*t3, steps=6)
        s.wiggle(*t3)
        wait_skins(s, face, {("tile", 2): "pnl11.jpg", ("right", 2): None,
                             ("left", 2): "pnl331.jpg", ("tile", 3): "pnl12.jpg",
                             ("right", 3): "pnl21.jpg", ("left", 3): "pnl342.jpg"},
                   "tile 3 lit after leaving tile 2 downward")
        s.screenshot("tile-3-lit")

        # Out to the left: tile 3 rests and shows no arrow.
        left = screens.centre(screens.left_strip_rect(face, 3))
        s.move_pointer(left[0], t3[1], steps=4)
        s.wiggle(left[0], t3[1])
        wait_skins(s, face, {("tile", 3): "pnl11.jpg", ("right", 3): None,
                             ("left", 3): "pnl341.jpg"}, "tile 3 at rest after leaving to the left")
        s.screenshot("left-through-the-name-side")

        # Back in and out through the arrow: the arrow stays and the pop-up opens.
        screens.open_popup(s, face, 3, arrow_on_right=True)
        popup = screens.wait_popup(s)
        check(screens.named(s, "打开 学习"), "the arrow strip went when the pointer reached it")
        cx, cy = screens.centre((popup.rect[0] + popup.rect[2] // 5 * 2, popup.rect[1],
                                 popup.rect[2] // 5, popup.rect[3]))
        s.move_pointer(cx, cy, steps=4)
        s.wiggle(cx, cy)
        screens.wait_catwin(s)
        s.screenshot("popup-and-category-window")

        # Back into a tile: both windows close at once.
        s.move_pointer(cx, t2[1], steps=3)
        s.move_pointer(*t2, steps=6)
        s.wiggle(*t2)
        wait_until(lambda: not screens.find_popup(s) and not screens.find_catwin(s), 3,
                   "the pop-up and the category window to close when a tile is entered")
        s.screenshot("closed-by-tile")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
