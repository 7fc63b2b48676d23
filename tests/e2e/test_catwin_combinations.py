#!/usr/bin/python3
"""Tile 5 (combinations): its pop-up shows each combination group with its most used
combination and the icon of that combination's first program; resting on a group's column the
category window lists the group's combinations, and pointing at one shows its launch count."""

import fixtures
from harness import Session, check, check_equal, run_test
import screens
from tooltips import wait_tooltip

COMBOS = [
    # recordNo, group, position, groupName, name, useCounter, members, description
    (1, 0, 0, "常用", "上网", 5, [2, 1], "上网组合"),
    (2, 0, 1, "常用", "办公组", 3, [3], "办公组合"),
    (3, 1, 0, "游戏", "休闲", 2, [], "没有程序"),
]


def prepare(folder):
    progs = fixtures.prepare_network(folder, settings={"zhcount": len(COMBOS)})
    fixtures.write_combos(folder, [
        {"recordNo": rec, "group": g, "position": p, "groupName": gname, "name": name,
         "useCounter": use, "programs": members, "programCount": len(members),
         "description": desc}
        for rec, g, p, gname, name, use, members, desc in COMBOS])
    return progs


def body(app_dir, artifacts):
    progs = []
    with Session("catwin_combinations", app_dir, artifacts,
                 prepare=lambda f: progs.extend(prepare(f))) as s:
        by_record = {p["recordNo"]: p for p in progs}
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)

        screens.open_popup(s, face, 5, arrow_on_right=True)
        expected = [("常用", "上网"), ("游戏", "休闲")] + [("", "")] * 3
        popup, _ = screens.wait_popup_columns(s, expected)
        s.screenshot("popup-combinations")
        column_w = popup.rect[2] / 5
        icons = {int((n.centre[0] - popup.rect[0]) // column_w): n
                 for n in screens.program_icons(s, popup.rect)}
        # The icon of a group is the first member of its most used combination, named after
        # the combination.
        check_equal(icons[0].description if 0 in icons else None, by_record[2]["exePath"],
                    "icon of group 0")
        check_equal(icons[0].name, "上网", "the name of group 0's icon")
        check(1 not in icons, f"group 1 has no member, shows {icons}")

        cx, cy = screens.centre((popup.rect[0], popup.rect[1], popup.rect[2] // 5,
                                 popup.rect[3]))
        s.move_pointer(cx, cy, steps=4)
        s.wiggle(cx, cy)
        catwin, _ = screens.wait_catwin_cells(
            s, [("常用", "上网"), ("常用", "办公组")] + [("", "")] * 3)
        s.screenshot("category-window-combinations")

        # Pointing at the second combination's icon: launched twice.
        x0, y0, w0, h0 = catwin.rect
        ix, iy = x0 + w0 // 2, y0 + h0 // 5 + h0 // 10
        s.move_pointer(ix, iy, steps=3)
        s.wiggle(ix, iy)
        wait_tooltip(s, "办公组合使用2次")
        s.screenshot("tooltip-combination")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
