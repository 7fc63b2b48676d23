#!/usr/bin/python3
"""The command menu of a program, reached by a right click and the keyboard (Qt's pop-up menus
do not always reach AT-SPI): "更改标题" writes the new title and the rebuilt pop-up and the tile show it; "目录"
and "软件属性" ask the file manager (a stand-in owning org.freedesktop.FileManager1 on the test's
session bus records what it is asked); an item of the "目录" list starts that program and counts
it; "删除分类" moves the program into wfrj.dat and lowers ycount; on tile 5 only "打开" and
"程序组合" can be chosen."""

import os
import time

import fixtures
from harness import Session, check, check_equal, run_test, wait_until
import screens
from screens import click_node, one

HERE = os.path.dirname(os.path.abspath(__file__))
KEYS = ["a", "b", "c"]


def prepare(folder):
    paths = {k: os.path.join(folder, "tools", f"{k}.sh") for k in KEYS}
    for key, path in paths.items():
        fixtures.write_marker_script(path, os.path.join(folder, f"marker-{key}"))
    P = fixtures.program
    progs = [P(1, 0, 0, 0, "业务", "甲", 9, paths["a"]),
             P(2, 0, 0, 1, "业务", "乙", 5, paths["b"]),
             P(3, 0, 0, 2, "业务", "丙", 3, paths["c"])]
    fixtures.write_programs(folder, progs)
    # No "wcount": the program prepares its list of taken-out programs itself.
    fixtures.write_settings(folder, {"启动": 1, "ycount": len(progs), "zhcount": 0,
                                     "主窗口": 3000, "分类窗口": 1000})


def entry(dump, record_no):
    found = [e for e in dump["catalogue"] if e["recordNo"] == record_no]
    return found[0] if found else None


def calls(record):
    if not os.path.exists(record):
        return []
    with open(record) as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip()]


def icon_of(s, key):
    """The icon of program `key` in the shown category window."""
    def probe():
        win = screens.find_catwin(s, settled=True)
        return win and [n for n in screens.program_icons(s, win.rect)
                        if n.description.endswith(f"/{key}.sh")]
    return wait_until(probe, 10, f"the icon of {key}")[0]


def menu_on(s, x, y, downs, *then):
    """Right-clicks at (x, y) and walks the menu that pops up with the keyboard."""
    before = set(s.qbx_windows())
    s.click(x, y, button=3)
    s.wait_new_window(before, "the command menu to pop up")
    time.sleep(0.2)
    s.x("xdotool", "key", *(["Down"] * downs), *then)


def body(app_dir, artifacts):
    with Session("command_menu", app_dir, artifacts, prepare=prepare) as s:
        record = os.path.join(s.tmp, "file-manager-calls")
        s.spawn("file-manager", ["/usr/bin/python3", os.path.join(HERE, "file_manager_standin.py"), record])
        wait_until(lambda: ["ready"] in calls(record), 10, "the stand-in file manager")
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)
        s.app()
        a_uri = "file://" + os.path.join(s.prog, "tools", "a.sh")

        # "更改标题" (the sixth item) on 甲: the dialog shows its title; a new one is typed.
        screens.open_category_window(s, main, face, 0)
        menu_on(s, *icon_of(s, "a").centre, 6, "Return")
        dialog = s.wait_window("更改标题")
        inside = s.geometry(dialog)
        s.screenshot("change-title")
        s.x("xdotool", "key", "ctrl+a", "BackSpace")
        s.x("xdotool", "type", "--delay", "30", "NewT")
        click_node(s, one(s, "push button", "确定", within=inside))
        wait_until(lambda: not s.windows_by_name("更改标题"), 10, "the dialog to close")
        check_equal(entry(s.dump_data(), 1)["title"], "NewT", "the title in yfrj.dat")

        # The pop-up is rebuilt with the new title.
        screens.open_category_window(s, main, face, 0)
        screens.wait_popup_columns(s, lambda cols: cols[0][1] == "NewT")
        one(s, "filler", "NewT", within=screens.tile_rect(face, 0))  # the tile names it too
        s.screenshot("title-shown")

        # "目录" (seventh) opens its list and the file manager shows 甲 in its folder; the list's
        # second program (乙) is chosen and started.
        menu_on(s, *icon_of(s, "a").centre, 7, "Right")
        wait_until(lambda: ["ShowItems", a_uri] in calls(record), 10, "ShowItems for 甲")
        s.screenshot("folder-list")
        s.x("xdotool", "key", "Down", "Down", "Return")
        wait_until(lambda: fixtures.marker_starts(s.prog, "b") == 1, 10, "乙 to start from the list")
        wait_until(lambda: entry(s.dump_data(), 2)["useCounter"] == 6, 10, "乙 counted")

        # "软件属性" (eighth): the file manager's property sheet of 甲.
        menu_on(s, *icon_of(s, "a").centre, 8, "Return")
        wait_until(lambda: ["ShowItemProperties", a_uri] in calls(record), 10,
                   "ShowItemProperties for 甲")

        # "删除分类" (fifth) on 丙, confirmed: into wfrj.dat, one program fewer.
        before = set(s.qbx_windows())
        menu_on(s, *icon_of(s, "c").centre, 5, "Return")
        time.sleep(0.5)
        s.wait_new_window(before, "the question")
        time.sleep(0.3)
        s.screenshot("take-out-question")
        s.x("xdotool", "key", "Return")
        wait_until(lambda: entry(s.dump_data(), 3) is None, 10, "丙 to leave the catalogue")
        data = s.dump_data()
        check_equal(data["settings"]["ycount"], 2, "ycount after taking 丙 out")
        check([u for u in data["unclassified"] if u["name"] == "c_3"], "丙 kept in wfrj.dat")

        # Tile 5: the second usable item is "程序组合"; it opens the combination editor.
        screens.bring_back(s, main)
        menu_on(s, *screens.centre(screens.tile_rect(face, 5)), 2, "Return")
        s.wait_window("组合程序设置")
        s.screenshot("tile5-combinations")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
