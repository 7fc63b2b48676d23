#!/usr/bin/python3
"""Without a skin folder, data files or settings file the main window still comes up at the
top-left corner with its seven tiles, and tile 2's pop-up lists the five minor names of
"网络" in their fixed order, with no programs; the reserved tile 6 opens an empty pop-up."""

import os

import fixtures
from harness import Session, check, check_equal, run_test
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
        screens.open_popup(s, geom, 6, arrow_on_right=True)
        popup = screens.wait_popup(s)
        check(popup.rect[1] > screens.tile_rect(geom, 5)[1],
              f"pop-up at {popup.rect} not beside tile 6")
        screens.wait_popup_columns(s, [("", "")] * 5)
        s.screenshot("popup-tile-6")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
