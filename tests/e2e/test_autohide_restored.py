#!/usr/bin/python3
"""Auto-hide is as the "操作" menu says once a menu or dialog has closed, however it closed:
"设置" dismissed without a choice lets the column hide again; "不自动隐藏" chosen from the
"操作" button switches auto-hide off; "关于" then does not switch it back on."""

import time

import fixtures
from harness import Session, check, run_test, wait_until
import screens
from screens import click_node, one
from test_autohide_tray import left_of, main_window

DELAY_MS = 1000
CZ_ON = ["最小化", "不自动隐藏", "-", "关于", "帮助", "-", "退出"]
CZ_OFF = ["最小化", "自动隐藏", "-", "关于", "帮助", "-", "退出"]
AWAY = (700, 500)


def prepare(folder):
    # Mode 4: at the top-left corner with auto-hide on.
    fixtures.write_settings(folder, {"启动": 4, "ycount": 0, "zhcount": 0, "wcount": 0,
                                     "主窗口": DELAY_MS, "分类窗口": 1000})


def menu(s, button, rows, item):
    before = set(s.qbx_windows())
    click_node(s, one(s, "push button", button))
    screens.click_menu_item(s, before, rows, item)


def stays(s, main, what):
    s.move_pointer(*AWAY, steps=3)
    time.sleep(DELAY_MS / 1000 * 3)
    check(left_of(s, main) == 0, f"the column hid {what}")


def body(app_dir, artifacts):
    with Session("autohide_restored", app_dir, artifacts, prepare=prepare) as s:
        s.move_pointer(60, 300)
        s.start_qbx()
        s.wait_main_window()
        main = main_window(s)
        s.app()
        s.wiggle(60, 300)

        # "设置" pops up; a click beside the menu closes it without a choice.
        before = set(s.qbx_windows())
        click_node(s, one(s, "push button", "设置"))
        s.wait_new_window(before, "the menu of 设置")
        s.click(*AWAY)
        wait_until(lambda: left_of(s, main) < 0, 5, "the column to hide after the menu closed unused")

        # "不自动隐藏" from the "操作" button: the column stays.
        screens.bring_back(s, main)
        menu(s, "操作", CZ_ON, "不自动隐藏")
        stays(s, main, "with auto-hide switched off from the 操作 button")

        # "关于", closed with its button: auto-hide stays off.
        menu(s, "操作", CZ_OFF, "关于")
        node = wait_until(lambda: [n for n in s.atspi.find(s.app(), role="push button", name="确定",
                                                           showing=True) if n.rect], 10, "the about box")[0]
        s.screenshot("about")
        click_node(s, node)
        stays(s, main, "after 关于 with auto-hide off")
        s.screenshot("still-docked")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
