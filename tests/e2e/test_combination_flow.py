#!/usr/bin/python3
"""A combination from start to launch, as a person makes it: "设置" → "程序组合设置" opens
"组合程序设置"; a new group carries on to the prompt for a combination's name, a new combination
opens the member picker ("软件添加分类") at once, and "新增" picks the second member. A click on
the combination tile then starts both programs (small scripts that leave marker files, one in a
folder with a blank); the report window at the top-right corner says so line by line and closes
itself. The data files show the combination counted once, its members not at all. With one
member's file gone, that member's line says it failed while the other still starts."""

import os

import fixtures
from harness import SCREEN_W, Session, check, check_equal, run_test, wait_until
import screens
from screens import click_node, one

EDITOR = "组合程序设置"
PICKER = "软件添加分类"
REPORT = "程序组合启动报告"

def paths(folder):
    return {"alpha": os.path.join(folder, "tools", "alpha"),
            "beta": os.path.join(folder, "My Tools", "beta")}


def prepare(folder):
    for key, path in paths(folder).items():
        fixtures.write_marker_script(path, os.path.join(folder, f"marker-{key}"))
    P = fixtures.program
    progs = [P(1, 0, 0, 0, "业务", "阿尔法", 4, paths(folder)["alpha"], name="alpha"),
             P(2, 0, 0, 1, "业务", "贝塔", 3, paths(folder)["beta"], name="beta")]
    fixtures.write_programs(folder, progs)
    fixtures.write_settings(folder, {"启动": 1, "ycount": len(progs), "zhcount": 0, "wcount": 0,
                                     "主窗口": 3000, "分类窗口": 1000})


def starts(s, key):
    return fixtures.marker_starts(s.prog, key)


def inside(s, title):
    return s.geometry(s.wait_window(title))


def type_into(s, box, text):
    click_node(s, box)
    s.x("xdotool", "key", "ctrl+a", "BackSpace")
    s.x("xdotool", "type", "--delay", "30", text)


def answer_message(s, text):
    """The message box saying `text` is up; its "确定" closes it."""
    label = one(s, "label", text)
    s.screenshot("message")
    button = [n for n in s.atspi.find(s.app(), role="push button", name="确定", showing=True) if n.rect]
    check(button, f"the OK button of the message {text!r}")
    click_node(s, button[0])
    wait_until(lambda: not [n for n in s.atspi.find(s.app(), role="label", name=text, showing=True)
                            if n.rect], 10, f"the message {text!r} to close")
    return label


def pick_member(s, row):
    """The member picker is up: the program in `row` of its program list joins the combination."""
    box = inside(s, PICKER)
    s.screenshot(f"picker-{row}")
    click_node(s, one(s, "list item", row, within=box))
    click_node(s, one(s, "push button", "加入组合", within=box))
    wait_until(lambda: not s.windows_by_name(PICKER), 10, "the member picker to close")


def the_combination(s):
    data = s.dump_data()
    return data, [c for c in data["combos"] if c["name"] == "work"]


def report_lines(s, expected):
    def probe():
        seen = {n.name for n in s.atspi.find(s.app(), role="label", showing=True) if n.rect}
        return all(e in seen for e in expected)
    wait_until(probe, 10, f"the report to show {expected}")


def body(app_dir, artifacts):
    with Session("combination_flow", app_dir, artifacts, prepare=prepare) as s:
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)
        s.app()

        before = set(s.qbx_windows())
        click_node(s, one(s, "push button", "设置"))
        s.wait_new_window(before, "the menu of \"设置\" to pop up")
        items = [n for n in s.atspi.find(s.app(), role="menu item", name="程序组合设置") if n.rect]
        if items and items[0].showing:
            click_node(s, items[0])
        else:
            s.x("xdotool", "key", "Down", "Down", "Return")
        editor = inside(s, EDITOR)
        check_equal(editor[2:], (408, 388), "the editor's client size (6120 × 5820 twips)")
        check_equal(len([n for n in s.atspi.find(s.app(), role="list item", name="自定义", within=editor)]),
                    5, "the group list of an empty table")
        s.screenshot("editor-open")

        # A group: the editor carries on to the combination's name.
        type_into(s, one(s, "text", "类别名", within=editor), "daily")
        click_node(s, one(s, "push button", "新增", within=editor))
        answer_message(s, "请打出组合名! ")
        one(s, "list item", "daily", within=editor)
        s.screenshot("group-made")

        # A combination: the member picker opens at once; then "新增" picks the second member.
        type_into(s, one(s, "text", "类别名", within=editor), "work")
        type_into(s, one(s, "text", "程序组合说明", within=editor), "two tools")
        click_node(s, one(s, "push button", "新增", within=editor))
        pick_member(s, "1 alpha")
        one(s, "list item", "alpha", within=editor)
        click_node(s, one(s, "push button", "新增", within=editor))
        pick_member(s, "2 beta")
        one(s, "list item", "beta", within=editor)
        s.screenshot("members-picked")

        data, combos = the_combination(s)
        check_equal(len(combos), 1, f"the combination on disk: {data['combos']}")
        c = combos[0]
        check_equal((c["groupName"], c["programs"], c["programCount"], c["useCounter"], c["description"]),
                    ("daily", [1, 2, 0, 0, 0], 2, 1, "two toolsalpha+beta+"), "the combination's record")
        check_equal(data["settings"]["zhcount"], 1, "zhcount")
        click_node(s, one(s, "push button", "退出", within=editor))
        wait_until(lambda: not s.windows_by_name(EDITOR), 10, "the editor to close")

        # The combination tile starts both members and reports them.
        s.click(*screens.centre(screens.tile_rect(face, 5)))
        wait_until(lambda: starts(s, "alpha") == 1 and starts(s, "beta") == 1, 10, "both members to start")
        report = s.wait_window(REPORT)
        report_lines(s, ["程序1 alpha启动成功！", "程序2 beta启动成功！", "程序3 没有安排程序。",
                         "程序4 没有安排程序。", "程序5 没有安排程序。"])
        x, y, w, h = s.geometry(report)
        check(abs(x + w - SCREEN_W) <= 12 and y <= 40, f"the report at the top-right corner: {(x, y, w, h)}")
        s.screenshot("report")
        wait_until(lambda: not s.windows_by_name(REPORT), 15, "the report to close by itself")

        data, combos = the_combination(s)
        check_equal(combos[0]["useCounter"], 2, "the combination counted once")
        uses = {e["name"]: e["useCounter"] for e in data["catalogue"]}
        check_equal(uses, {"alpha": 4, "beta": 3}, "the members' use counts")

        # A member whose file is gone fails; the other still starts.
        os.remove(paths(s.prog)["beta"])
        screens.bring_back(s, main)
        s.click(*screens.centre(screens.tile_rect(face, 5)))
        wait_until(lambda: starts(s, "alpha") == 2, 10, "the first member to start again")
        s.wait_window(REPORT)
        report_lines(s, ["程序1 alpha启动成功！", "程序2 beta启动失败！"])
        s.screenshot("report-failed-member")
        click_node(s, one(s, "push button", "关闭窗口"))
        wait_until(lambda: not s.windows_by_name(REPORT), 10, "the report to close")
        check_equal(the_combination(s)[1][0]["useCounter"], 3, "the combination counted again")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
