#!/usr/bin/python3
"""Main window docked at the left edge: tile 2 ("网络") and its arrow strip open the pop-up with
the five minor categories, most used first, each with the title of its favourite program;
resting on a column drops the category window with the five most used programs of that minor
category, in order, and pointing at an icon shows its use count. Pointing writes nothing."""

import os

import fixtures
from harness import Session, check, check_equal, run_test, wait_until
import screens
from tooltips import wait_tooltip


def expected_popup():
    return [(name, shown[0]) for name, shown in map(fixtures.network_shown, range(5))]


def expected_cells(position):
    name, shown = fixtures.network_shown(position)
    titles = (shown + [""] * 5)[:5]
    return [(name if n == 0 else "", titles[n]) for n in range(5)]


def rest_on_column(s, popup, k):
    x, y = screens.centre((popup.rect[0] + popup.rect[2] * k // 5, popup.rect[1],
                           popup.rect[2] // 5, popup.rect[3]))
    s.move_pointer(x, y, steps=5)
    s.wiggle(x, y)


def body(app_dir, artifacts):
    with Session("mainwin_popup", app_dir, artifacts, prepare=fixtures.prepare_network) as s:
        data_file = os.path.join(s.prog, "yfrj.dat")
        with open(data_file, "rb") as f:
            before = f.read()
        s.start_qbx()
        main = s.wait_main_window()
        geom = screens.client_geometry(s, main)
        s.app()
        s.screenshot("started")

        # The pointer in tile 2: the tile lights, its name strip lights, the arrow shows right.
        tx, ty = screens.centre(screens.tile_rect(geom, 2))
        s.move_pointer(tx, ty, steps=4)
        s.wiggle(tx, ty)
        screens.wait_skins(s, geom, {("tile", 2): "pnl12.jpg", ("right", 2): "pnl21.jpg",
                                     ("left", 2): "pnl332.jpg", ("left", 1): "pnl321.jpg",
                                     ("right", 1): None}, "tile 2 to light up")
        # What a person reads on them: the category, and the arrow that opens it.
        shown = screens.strips(s, geom, 2)
        check_equal((screens.tile_node(s, 2).name, shown["left"].name, shown["right"].name),
                    ("网络", "网络", "打开 网络"), "the names of tile 2 and its strips")
        check(screens.find_popup(s) is None, "the pop-up opened before the arrow strip was reached")
        s.screenshot("tile-lit")

        screens.open_popup(s, geom, 2, arrow_on_right=True)
        popup, cols = screens.wait_popup_columns(s, expected_popup())
        s.screenshot("popup-network")
        px_, py_, pw_, ph_ = popup.rect
        mx, my, mw, mh = geom
        check(px_ >= mx + mw // 2, f"pop-up at {popup.rect} is not right of the main window {geom}")
        tile = screens.tile_rect(geom, 2)
        check(tile[1] - ph_ <= py_ <= tile[1] + tile[3],
              f"pop-up at {popup.rect} is not beside tile 2 {tile}")

        for k in (0, 1, 2):
            rest_on_column(s, popup, k)
            catwin, cells = screens.wait_catwin_cells(s, expected_cells(k))
            s.screenshot(f"category-window-column-{k}")
            col_left = px_ + pw_ * k // 5
            check(abs(catwin.rect[0] - col_left) <= 3 and abs(catwin.rect[1] - py_) <= 3,
                  f"category window at {catwin.rect}, expected over column {k} at "
                  f"({col_left}, {py_})")

        # Back on column 0: the second icon is "通信之二", started 40 times.
        rest_on_column(s, popup, 0)
        catwin, _ = screens.wait_catwin_cells(s, expected_cells(0))
        second = [p for p in fixtures.network_programs(["icon0.ico"] * 5)
                  if p["title"] == "通信之二"][0]
        cell = (catwin.rect[0], catwin.rect[1] + catwin.rect[3] // 5,
                catwin.rect[2], catwin.rect[3] // 5)
        icon_x = cell[0] + cell[2] // 2
        icon_y = cell[1] + cell[3] * 2 // 5
        s.move_pointer(icon_x, icon_y, steps=4)
        s.wiggle(icon_x, icon_y)
        tip = f"{second['name']}使用{second['useCounter'] - 1}次 {second['description']}"
        wait_tooltip(s, tip)
        s.screenshot("tooltip-second-program")
        s.check_running()

        with open(data_file, "rb") as f:
            check_equal(f.read() == before, True, "yfrj.dat unchanged by pointing")


if __name__ == "__main__":
    run_test(body)
