#!/usr/bin/python3
"""Starting programs as a person does: a left click on a tile starts its most used program, a
click on an icon of the category window starts that program; each start is counted in the data
file and re-orders the catalogue at once (the next tile click starts the new favourite). A
program whose file is gone is still counted; a path with blanks starts. The started programs are
small shell scripts that write a marker file."""

import os
import time

import fixtures
from harness import Session, check, check_equal, run_test, wait_until
import screens

def prepare(folder):
    tools = os.path.join(folder, "tools")
    paths = {
        "a": os.path.join(tools, "a.sh"),
        "b": os.path.join(tools, "b.sh"),
        "blank": os.path.join(folder, "My Tools", "run me.sh"),
    }
    for key, path in paths.items():
        fixtures.write_marker_script(path, os.path.join(folder, f"marker-{key}"))
    gone = os.path.join(folder, "gone", "nothing.sh")
    P = fixtures.program
    progs = [
        # 办公 (tile 0): A leads, B ties with it.
        P(1, 0, 0, 0, "业务", "程序甲", 5, paths["a"]),
        P(2, 0, 0, 1, "业务", "程序乙", 5, paths["b"]),
        # 娱乐 (tile 1): a path with blanks.
        P(3, 1, 0, 0, "游戏", "空格路径", 3, paths["blank"]),
        # 学习 (tile 3): a program that no longer exists, and one below it.
        P(4, 3, 0, 0, "电脑", "已删除", 4, gone),
        P(5, 3, 0, 1, "电脑", "留下", 4, paths["a"]),
    ]
    fixtures.write_programs(folder, progs)
    fixtures.write_settings(folder, {"启动": 1, "ycount": len(progs), "zhcount": 0, "wcount": 0,
                                     "主窗口": 3000, "分类窗口": 1000})


def entry(dump, record_no):
    found = [e for e in dump["catalogue"] if e["recordNo"] == record_no]
    check(len(found) == 1, f"record {record_no} is placed {len(found)} times in the catalogue")
    return found[0]


def starts(s, key):
    return fixtures.marker_starts(s.prog, key)


def wait_starts(s, key, count, what):
    wait_until(lambda: starts(s, key) >= count, 10, what)
    time.sleep(0.3)
    check_equal(starts(s, key), count, f"starts of {key}")


def wait_use(s, record_no, count, what):
    seen = {}

    def probe():
        seen["e"] = entry(s.dump_data(), record_no)
        return seen["e"]["useCounter"] == count
    try:
        wait_until(probe, 10, what)
    except AssertionError as e:
        raise AssertionError(f"{what}: saw {seen.get('e')}") from e
    return seen["e"]


def body(app_dir, artifacts):
    with Session("start_programs", app_dir, artifacts, prepare=prepare) as s:
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)
        s.app()
        s.screenshot("started")

        # 1. A left click on tile 0 starts its favourite A and counts it: 5 -> 6.
        screens.bring_back(s, main)
        s.click(*screens.centre(screens.tile_rect(face, 0)))
        wait_starts(s, "a", 1, "program A to start from tile 0")
        a = wait_use(s, 1, 6, "A counted in yfrj.dat")
        check_equal((a["minor"], a["slot"]), (0, 0), "A's place")
        s.screenshot("tile0-started")

        # 2. The category window of 办公/业务: B's icon (slot 1) clicked twice, 5 -> 7, passes A (6).
        for round_ in range(2):
            screens.open_category_window(s, main, face, 0)
            icon = wait_until(lambda: [n for n in screens.program_icons(s, screens.wait_catwin(s).rect)
                                       if n.description.endswith("b.sh")], 10, "B's icon in the category window")[0]
            s.screenshot(f"category-window-{round_}")
            s.click(*icon.centre)
            wait_starts(s, "b", round_ + 1, f"program B to start from the category window ({round_ + 1})")
            # The start unloads the category window and the pop-up.
            wait_until(lambda: not screens.find_catwin(s) and not screens.find_popup(s), 5,
                       "the category window and pop-up to close after the start")
        b = wait_use(s, 2, 7, "B counted twice")
        check_equal((b["minor"], b["slot"]), (0, 0), "B's place after passing A")
        check_equal(entry(s.dump_data(), 1)["slot"], 1, "A's slot after B passed it")
        s.move_pointer(600, 600, steps=3)
        s.screenshot("reordered")

        # 3. The tile now starts B. The window may have slid off the edge meanwhile (auto-hide is
        # on and the pointer was away): touching its strip brings it back first.
        screens.bring_back(s, main)
        s.click(*screens.centre(screens.tile_rect(face, 0)))
        wait_starts(s, "b", 3, "the tile to start its new favourite B")
        check_equal(starts(s, "a"), 1, "starts of A")
        wait_use(s, 2, 8, "B counted from the tile")

        # 4. A path with blanks starts.
        screens.bring_back(s, main)
        s.click(*screens.centre(screens.tile_rect(face, 1)))
        wait_starts(s, "blank", 1, "the program in 'My Tools/run me.sh' to start")
        wait_use(s, 3, 4, "the program with blanks counted")

        # 5. A program whose file is gone is still counted and moves ahead of its equal.
        screens.bring_back(s, main)
        s.click(*screens.centre(screens.tile_rect(face, 3)))
        gone = wait_use(s, 4, 5, "the missing program counted")
        check_equal(gone["slot"], 0, "the missing program's slot")
        check_equal(entry(s.dump_data(), 5)["useCounter"], 4, "use of the program below it")
        s.check_running()
        s.screenshot("done")


if __name__ == "__main__":
    run_test(body, "start_programs")
