#!/usr/bin/python3
"""A first start with an empty catalogue on a machine with applications: the program asks once
whether to file them; yes files each by its desktop entry's categories under its Name, and a
restart does not ask again."""

import os

from harness import Session, check, check_equal, run_test, wait_until
import screens
from screens import click_node, one

QUESTION = "分类中还没有软件。要把本机已安装的应用程序按类别加入分类吗？"

# file id: (Name lines, Categories, where it is filed: (major, minor), name filed)
ENTRIES = {
    "writer": ("Name=Writer\nName[zh_CN]=文字处理", "Office;WordProcessor;", ("办公", "业务"), "文字处理"),
    "chess": ("Name=国际象棋", "Game;BoardGame;", ("娱乐", "游戏"), "国际象棋"),
    "music": ("Name=Music", "AudioVideo;Audio;Player;", ("娱乐", "音乐"), "Music"),
    "browser": ("Name=浏览器", "Network;WebBrowser;", ("网络", "网页"), "浏览器"),
    "studio": ("Name=Studio", "Development;IDE;", ("学习", "电脑"), "Studio"),
    "console": ("Name=终端", "System;TerminalEmulator;", ("系统", "管理"), "终端"),
    "notes": ("Name=Notes", "Utility;TextEditor;", ("系统", "其它"), "Notes"),
}


def write_entries(s):
    apps = os.path.join(s.tmp, "share", "applications")
    os.makedirs(apps, exist_ok=True)
    for file_id, (names, categories, _, _) in ENTRIES.items():
        with open(os.path.join(apps, file_id + ".desktop"), "w") as f:
            f.write(f"[Desktop Entry]\nType=Application\n{names}\nExec=/bin/true\n"
                    f"Categories={categories}\n")
    # Not listed in the menus: not filed.
    with open(os.path.join(apps, "helper.desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Helper\nExec=/bin/true\nNoDisplay=true\n"
                "Categories=Game;\n")
    return apps


def body(app_dir, artifacts):
    with Session("first_start_import", app_dir, artifacts) as s:
        apps = write_entries(s)
        s.start_qbx()
        main = s.wait_main_window()
        one(s, "label", QUESTION, timeout=20)
        s.screenshot("question")
        click_node(s, one(s, "push button", "确定"))
        wait_until(lambda: not screens.named(s, QUESTION), 10, "the question to close")

        data = wait_until(lambda: (lambda d: d if d["settings"]["ycount"] == len(ENTRIES) else None)(
            s.dump_data()), 10, "every application to be filed")
        filed = {e["exePath"]: e for e in data["catalogue"]}
        for file_id, (_, _, (major, minor), name) in ENTRIES.items():
            e = filed.get(os.path.join(apps, file_id + ".desktop"))
            check(e is not None, f"{file_id} was not filed: {sorted(filed)}")
            check_equal((e["majorName"], e["minorName"].strip(), e["name"], e["title"], e["useCounter"]),
                        (major, minor, name, name[:5], 1), f"the record of {file_id}")
        check(not [e for e in data["catalogue"] if e["name"] == "Helper"], "a hidden entry was filed")
        with open(os.path.join(s.prog, "基本设置.ini"), encoding="gbk") as f:
            check("应用程序导入=1" in f.read().replace(" ", ""), "the answer kept in the settings file")

        # The tiles show their new favourites, named as filed.
        face = screens.client_geometry(s, main)
        wait_until(lambda: [n for n in screens.program_icons(s, screens.tile_node(s, 0).rect)
                            if n.name == "文字处理"], 10, "tile 办公 to show 文字处理")
        s.screenshot("filed")

        s.qbx.terminate()
        s.qbx.wait(10)
        s.start_qbx()
        s.wait_main_window()
        screens.tile_node(s, 0)
        try:
            wait_until(lambda: screens.named(s, QUESTION), 3, "a second question")
        except AssertionError:
            pass
        else:
            raise AssertionError("the question came again after a restart")
        check_equal(s.dump_data()["settings"]["ycount"], len(ENTRIES), "the count after a restart")
        s.screenshot("restarted")


if __name__ == "__main__":
    run_test(body)
