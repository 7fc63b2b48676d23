#!/usr/bin/python3
"""A full catalogue (755 programs, each with an icon file of its own) loads: each of tiles 0-4
shows the icon of its category's most used program, and tile 4's pop-up shows the favourites of
the five minor categories of "系统"."""

import fixtures
from harness import E2EError, Session, check, run_test, wait_until
import screens

COUNT = 755


def body(app_dir, artifacts):
    progs = {}

    def prepare(folder):
        for p in fixtures.prepare_full(folder, COUNT):
            progs[(p["major"], p["minor"], p["slot"])] = p

    with Session("mainwin_full_catalogue", app_dir, artifacts, prepare=prepare) as s:
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)
        s.screenshot("started-full")

        for m in range(5):
            want = (progs[(m, 0, 0)]["title"], progs[(m, 0, 0)]["exePath"])
            seen = {}

            def probe():
                tile = screens.tile_node(s, m)
                seen["icons"] = [(n.name, n.description) for n in screens.program_icons(s, tile.rect)]
                return want in seen["icons"]
            try:
                wait_until(probe, 5, f"tile {m} to show {want}")
            except E2EError:
                raise E2EError(f"tile {m} shows the icons {seen.get('icons')}, expected {want}")

        screens.open_popup(s, face, 4, arrow_on_right=True)
        expected = [(fixtures.MINOR_NAMES[4][k], progs[(4, k, 0)]["title"]) for k in range(5)]
        popup, _ = screens.wait_popup_columns(s, expected)
        s.screenshot("popup-system")
        icons = sorted((n.name, n.description) for n in screens.program_icons(s, popup.rect))
        check(icons == sorted((progs[(4, k, 0)]["title"], progs[(4, k, 0)]["exePath"]) for k in range(5)),
              f"pop-up icons show {icons}")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
