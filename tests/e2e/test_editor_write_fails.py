#!/usr/bin/python3
"""A filing whose write fails is not shown: with "yfrj.dat" on a read-only mount, the user files a
program through the classification editor. A message says the change was not saved and was
taken back; the editor lists nothing new, its count stays at 0, the catalogue on disk is still
empty and qbx-data check finds nothing wrong."""

import os
import subprocess

import fixtures
from harness import Session, check, check_equal, run_test, wait_until
import screens
from screens import click_node, one

TITLE = "软件添加分类"


def prepare(folder):
    fixtures.write_tool(folder)
    open(os.path.join(folder, "yfrj.dat"), "wb").close()


def showing_labels(s):
    return [n.name or "" for n in s.atspi.find(s.app(), role="label", showing=True)]


def file_program(s, program):
    screens.choose_menu_item(s, "设置", "分类程序设置", 0)
    editor = s.wait_window(TITLE)
    inside = s.geometry(editor)
    one(s, "label", "共有分类软件0个！", within=inside)
    click_node(s, one(s, "list item", "网络", within=inside))
    click_node(s, one(s, "list item", "文传", within=inside))
    click_node(s, one(s, "push button", "查找程序", within=inside))
    screens.choose_file(s, program)
    click_node(s, one(s, "push button", "添加分类", within=inside))
    return inside


def body(app_dir, artifacts):
    with Session("editor_write_fails", app_dir, artifacts, prepare=prepare) as s:
        program = os.path.join(os.path.dirname(s.prog), "tools", "hello")
        catalogue = os.path.join(s.prog, "yfrj.dat")
        subprocess.run(["mount", "--bind", catalogue, catalogue], check=True)
        try:
            subprocess.run(["mount", "-o", "remount,bind,ro", catalogue], check=True)
            s.start_qbx()
            s.wait_main_window()
            s.app()
            inside = file_program(s, program)

            told = wait_until(lambda: [t for t in showing_labels(s) if "已撤销" in t], 10,
                              "a message that the filing was taken back")
            check("这次更改没有保存，已撤销。" in told[0] and "yfrj.dat" in told[0], f"the message: {told}")
            s.screenshot("told")
            s.x("xdotool", "key", "Return")
            wait_until(lambda: not [t for t in showing_labels(s) if "已撤销" in t], 10, "the message to close")

            one(s, "label", "共有分类软件0个！", within=inside)
            items = [n.name for n in s.atspi.find(s.app(), role="list item", showing=True, within=inside)]
            check(not any(name and name.endswith("hello") for name in items), f"the editor lists {items}")
            s.screenshot("nothing-listed")
            s.check_running()
        finally:
            subprocess.run(["umount", "-l", catalogue], check=False)

        data = s.dump_data()
        check_equal(data["catalogue"], [], "the catalogue on disk")
        check(data["settings"].get("ycount", 0) == 0, f"ycount in the settings file: {data['settings']}")
        r = subprocess.run([os.path.join(s.app_dir, "qbx-data"), "check", s.prog], capture_output=True,
                           timeout=30)
        check_equal((r.returncode, r.stdout.decode()), (0, ""), "qbx-data check")


if __name__ == "__main__":
    run_test(body)
