#!/usr/bin/python3
"""No click dies. From every opener (a left click on each tile, the tile's command menu, the
category window's command menu, "设置", "操作" and the tray icon's menu) each dialog, message and
question it opens (among them "帮助"'s message when no application opens the introduction) is
closed by a click on its own button; a click on another program's window then reaches that
program. Only the pointer is used: menu items and buttons are clicked where
AT-SPI (or the menu's own rows) puts them."""

import os
import time

import fixtures
from harness import SCREEN_H, SCREEN_W, Session, check, run_test, wait_until
import screens
from screens import click_node, one
from test_autohide_tray import main_window, start_tray_host, tray_icon

OTHER = (SCREEN_W - 300, SCREEN_H - 300, 220, 160)  # the other program's window: x, y, w, h

# The rows of the menus as they pop up ("-" a separator); auto-hide is off, so "自动隐藏".
MENU1 = ["打开", "添加软件", "交换分类", "更改分类", "删除分类", "更改标题", "目录", "软件属性", "程序组合"]
SZ = ["分类程序设置", "程序组合设置", "系统设置"]
CZ = ["最小化", "自动隐藏", "-", "关于", "帮助", "-", "退出"]

# What a command opens: the button of its own that closes it.
CLOSED_BY = {"添加软件": "退出", "交换分类": "退出", "更改分类": "退出", "删除分类": "取消",
             "更改标题": "取消", "软件属性": "确定", "程序组合": "退出",
             "分类程序设置": "退出", "程序组合设置": "退出", "系统设置": "确定", "关于": "确定"}
EDITING = ["添加软件", "交换分类", "更改分类", "删除分类", "更改标题", "软件属性"]

# (opener, where, command or None for a plain left click, the button that closes what opens
# or None when nothing of the program's opens)
CASES = (
    [("tile", t, None, None) for t in range(5)]
    + [("tile", 5, None, "关闭窗口"), ("tile", 6, None, "确定")]
    + [("tile menu", 0, c, CLOSED_BY[c]) for c in EDITING] + [("tile menu", 5, "程序组合", "退出")]
    + [("category menu", 0, c, CLOSED_BY[c]) for c in EDITING]
    + [("category menu", 5, "程序组合", "退出")]
    + [("设置", None, c, CLOSED_BY[c]) for c in SZ]
    + [("操作", None, "关于", "确定"), ("操作", None, "帮助", "确定"), ("tray", None, "关于", "确定")])


def prepare(folder):
    a = os.path.join(folder, "tools", "a.sh")
    fixtures.write_marker_script(a, os.path.join(folder, "marker-a"))
    fixtures.write_programs(folder, [fixtures.program(1, 0, 0, 0, "业务", "甲", 9, a)])
    fixtures.write_combos(folder, [{"recordNo": 1, "group": 0, "position": 0, "groupName": "常用",
                                    "name": "一个", "useCounter": 1, "programs": [1],
                                    "programCount": 1, "description": ""}])
    fixtures.write_settings(folder, {"启动": 1, "ycount": 1, "zhcount": 1, "wcount": 0,
                                     "主窗口": 3000, "分类窗口": 1000})


def close_by_button(s, before, button, label):
    """What opened since `before` is closed with a click on its own `button`."""
    def opened():
        for wid in [w for w in s.qbx_windows() if w not in before]:
            found = s.atspi.find(s.app(), role="push button", name=button, showing=True,
                                 within=s.geometry(wid))
            if found and found[0].rect:
                return wid, found[0]
        return None
    wid, node = wait_until(opened, 10, f"{label}: a window with {button!r}")
    time.sleep(0.3)
    s.screenshot(label)
    click_node(s, node)
    wait_until(lambda: not s.is_viewable(wid), 10, f"{label}: closed by a click on {button!r}")


def clicks_on_other(s):
    with open(os.path.join(s.tmp, "other.log"), errors="replace") as f:
        return f.read().count("ButtonPress")


def open_from(s, main, face, opener, where, command):
    """Opens what `command` of `opener` opens (or clicks tile `where` when it is None)."""
    before = set(s.qbx_windows())
    if opener == "tile":
        screens.bring_back(s, main)
        s.click(*screens.centre(screens.tile_rect(face, where)))
        return before
    if opener == "tile menu":
        s.click(*screens.centre(screens.tile_rect(face, where)), button=3)
        screens.click_menu_item(s, before, MENU1, command)
    elif opener == "category menu":
        catwin = screens.open_category_window(s, main, face, where)
        x, y, w, h = catwin.rect
        icons = screens.program_icons(s, catwin.rect)  # 甲, or the combination's first member
        before = set(s.qbx_windows())
        s.click(*(icons[0].centre if icons else (x + w // 2, y + h // 10)), button=3)
        screens.click_menu_item(s, before, MENU1, command)
    elif opener == "tray":
        icon = wait_until(lambda: tray_icon(s), 10, "the program's icon in trayer")
        s.click(*screens.centre(icon), button=3)
        screens.click_menu_item(s, before, CZ, command)
    else:
        click_node(s, one(s, "push button", opener))
        screens.click_menu_item(s, before, SZ if opener == "设置" else CZ, command)
    return before


def body(app_dir, artifacts):
    with Session("no_dead_clicks", app_dir, artifacts, prepare=prepare) as s:
        start_tray_host(s)
        x, y, w, h = OTHER
        s.spawn("other", ["stdbuf", "-oL", "xev", "-name", "other", "-geometry", f"{w}x{h}+{x}+{y}"])
        wait_until(lambda: s.windows_by_name("other"), 10, "the other program's window")
        # No application opens the introduction: xdg-open ends with status 3, and "帮助" says so.
        opener = fixtures.write_tool(s.prog, "xdg-open", status=3)
        s.env["PATH"] = os.path.dirname(opener) + os.pathsep + s.env["PATH"]
        s.start_qbx()
        s.wait_main_window()
        main = main_window(s)
        face = screens.client_geometry(s, main)
        s.app()

        for opener, where, command, button in CASES:
            label = f"{opener}-{where}-{command}".replace(" ", "_")
            before = open_from(s, main, face, opener, where, command)
            if button:
                close_by_button(s, before, button, label)
            else:
                time.sleep(0.5)
            seen = clicks_on_other(s)
            s.click(*screens.centre(OTHER))
            wait_until(lambda: clicks_on_other(s) > seen, 5,
                       f"{label}: the click on another program's window to reach it")
        check(fixtures.marker_starts(s.prog, "a") >= 2, "tile 0 and tile 5 started 甲")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
