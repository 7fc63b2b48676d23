#!/usr/bin/python3
"""Filing an installed application through the picker: on a machine with applications, "查找程序"
in the classification editor opens "选择应用程序" listing them by Name; typing into the filter box
narrows the list, the arrow keys there move through it, "确定" chooses, and the editor files the
entry under its Name with its Name as title and its Comment as description. "浏览文件…" leads to
the file dialog."""

import os

import pyatspi

import fixtures
from harness import Session, check, check_equal, run_test, wait_until
import screens
from screens import click_node, one

TITLE = "软件添加分类"
PICKER = "选择应用程序"
QUESTION = "分类中还没有软件。要把本机已安装的应用程序按类别加入分类吗？"

# file id: (Name, Comment)
ENTRIES = {
    "chess": ("国际象棋", "Play chess"),
    "writer": ("文字处理", "Write letters"),
    "browser": ("浏览器", "Browse the web"),
}


def write_entries(s):
    apps = os.path.join(s.tmp, "share", "applications")
    icons = fixtures.make_icons(os.path.join(s.tmp, "icons"), len(ENTRIES))
    os.makedirs(apps, exist_ok=True)
    for (file_id, (name, comment)), icon in zip(ENTRIES.items(), icons):
        png = icon[:-4] + ".png"
        os.rename(icon, png)
        with open(os.path.join(apps, file_id + ".desktop"), "w") as f:
            f.write(f"[Desktop Entry]\nType=Application\nName={name}\nComment={comment}\n"
                    f"Icon={png}\nExec=/bin/true\nCategories=Game;\n")
    return apps


def list_items(s, within):
    """The names of the rows the picker's list shows."""
    shown = one(s, "list", "应用程序", within=within)
    return sorted(n.name for n in s.atspi.walk(shown.acc)
                  if n.role == "list item" and n.showing and n.rect and n.rect[3] > 0)


def rows(s, within):
    """(name, selected) of the rows the picker's list shows, top to bottom."""
    shown = one(s, "list", "应用程序", within=within)
    found = [n for n in s.atspi.walk(shown.acc)
             if n.role == "list item" and n.showing and n.rect and n.rect[3] > 0]
    return [(n.name, n.acc.getState().contains(pyatspi.STATE_SELECTED))
            for n in sorted(found, key=lambda n: n.rect[1])]


def open_picker(s, inside):
    click_node(s, one(s, "push button", "查找程序", within=inside))
    picker = s.wait_window(PICKER)
    return s.geometry(picker)


def body(app_dir, artifacts):
    with Session("editor_pick_application", app_dir, artifacts) as s:
        apps = write_entries(s)
        s.start_qbx()
        s.wait_main_window()
        one(s, "label", QUESTION, timeout=20)
        click_node(s, one(s, "push button", "取消"))
        wait_until(lambda: not screens.named(s, QUESTION), 10, "the question to close")

        screens.choose_menu_item(s, "设置", "分类程序设置", 0)
        inside = s.geometry(s.wait_window(TITLE))
        click_node(s, one(s, "list item", "娱乐", within=inside))
        click_node(s, one(s, "list item", "游戏", within=inside))

        # "浏览文件…" leaves the picker for the file dialog; cancelling that chooses nothing.
        in_picker = open_picker(s, inside)
        click_node(s, one(s, "push button", "浏览文件…", within=in_picker))
        dialog = s.wait_window("查找exe文件")
        s.x("xdotool", "windowactivate", "--sync", str(dialog), check=False)
        s.x("xdotool", "key", "Escape")
        wait_until(lambda: not s.windows_by_name("查找exe文件"), 10, "the file dialog to close")
        click_node(s, one(s, "push button", "确定"))  # "你还没有选择程序！请选择。"

        in_picker = open_picker(s, inside)
        wait_until(lambda: list_items(s, in_picker) == sorted(n for n, _ in ENTRIES.values()), 10,
                   "the picker to list every application")
        s.screenshot("picker")
        # The arrow keys in the filter box move through the list.
        click_node(s, one(s, "text", "输入名称筛选", within=in_picker))
        s.x("xdotool", "key", "Down")
        wait_until(lambda: [sel for _, sel in rows(s, in_picker)] == [False, True, False], 10,
                   "Down in the filter box to choose the second row")
        # The filter reads the Comment too, whatever its case.
        s.x("xdotool", "type", "--delay", "30", "CHESS")
        wait_until(lambda: list_items(s, in_picker) == ["国际象棋"], 10, "the filter to leave one application")
        s.screenshot("picker-filtered")
        click_node(s, one(s, "push button", "确定", within=in_picker))
        wait_until(lambda: not s.windows_by_name(PICKER), 10, "the picker to close")

        s.screenshot("chosen")
        click_node(s, one(s, "push button", "添加分类", within=inside))
        one(s, "list item", "1 国际象棋", within=inside)
        s.screenshot("filed")

        filed = [e for e in s.dump_data()["catalogue"] if e["name"] == "国际象棋"]
        check(len(filed) == 1, "the chosen application filed once")
        e = filed[0]
        check_equal((e["exePath"], e["title"], e["description"], e["majorName"], e["minorName"].strip()),
                    (os.path.join(apps, "chess.desktop"), "国际象棋", "Play chess", "娱乐", "游戏"),
                    "the filed record: Name as title, Comment as description")


if __name__ == "__main__":
    run_test(body)
