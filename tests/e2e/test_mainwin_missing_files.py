#!/usr/bin/python3
"""Without a skin folder, data files or settings file the main window still comes up at the
top-left corner with its seven tiles, and tile 2's pop-up lists the five minor names of
"网络" in their fixed order, with no programs; the reserved tile 6 opens an empty pop-up."""

import os

import fixtures
from harness import E2EError, Session, check, check_equal, run_test, wait_until
import screens


def body(app_dir, artifacts):
    with Session("mainwin_missing_files", app_dir, artifacts, with_skin=False) as s:
        for name in ("yfrj.dat", "wfrj.dat", "zhrj.dat", "基本设置.ini"):
            check(not os.path.exists(os.path.join(s.prog, name)), f"{name} left in the folder")
        s.start_qbx()
        main = s.wait_main_window()
        x, y, w, h = s.geometry(main)
        s.screenshot("started-bare")
        check_equal((x, y), (0, 0), "main window position")
        geom = screens.client_geometry(s, main)

        screens.open_popup(s, geom, 2, arrow_on_right=True)
        expected = [(name, "") for name in fixtures.MINOR_NAMES[fixtures.NETWORK]]
        screens.wait_popup_columns(s, expected)
        s.screenshot("popup-without-programs")

        # Tile 6 is reserved: its pop-up opens empty.
        # The pointer then rests on the pop-up's first column, which may open the category
        # window over it; that window is not refilled for tile 6 and keeps tile 2's names, but
        # the pop-up under it is empty.
        # It is opened with one flick: a single motion from inside the tile onto its arrow (the
        # tile holds the pointer, so that motion reaches the tile, not the arrow).
        tx, ty = screens.centre(screens.tile_rect(geom, 6))
        s.move_pointer(tx, ty, steps=4)
        s.wiggle(tx, ty)
        wait_until(lambda: screens.named(s, "打开 预留"), 5, "the arrow of tile 6")
        sx, _ = screens.centre(screens.arrow_strip(s, geom, 6, True))
        s.move_pointer(sx, ty)
        below = screens.tile_rect(geom, 5)[1]
        seen = {}

        def beside_tile_6():
            popup = screens.find_popup(s, settled=True)
            if popup:
                seen["rect"] = popup.rect
            return popup and popup.rect[1] > below
        try:
            wait_until(beside_tile_6, 10, "the pop-up beside tile 6")
        except E2EError as e:
            raise E2EError(f"pop-up at {seen.get('rect')} "
                           f"not beside tile 6") from e
        screens.wait_popup_columns(s, [("", "")] * 5)
        s.screenshot("popup-tile-6")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
