#!/usr/bin/python3
"""The tile's command menu acts on the tile's favourite, wherever the pop-up last pointed:
"更改分类" from a right click on tile 0, after the pointer rested on another column of its
pop-up, moves 甲 (the tile's favourite) and leaves 乙 (the column's program) where it was."""

import os

import fixtures
from harness import Session, check_equal, run_test, wait_until
import screens
from screens import click_node, one

EDITOR = "软件添加分类"
MENU1 = ["打开", "添加软件", "交换分类", "更改分类", "删除分类", "更改标题", "目录", "软件属性", "程序组合"]


def prepare(folder):
    tools = os.path.join(folder, "tools")
    P = fixtures.program
    fixtures.write_programs(folder, [P(1, 0, 0, 0, "业务", "甲", 9, os.path.join(tools, "a.sh")),
                                     P(2, 0, 1, 0, "联系", "乙", 5, os.path.join(tools, "b.sh"))])
    for key in "ab":
        fixtures.write_marker_script(os.path.join(tools, f"{key}.sh"), os.path.join(folder, f"marker-{key}"))
    fixtures.write_settings(folder, {"启动": 1, "ycount": 2, "zhcount": 0, "wcount": 0})


def placed(s, record_no):
    e = [e for e in s.dump_data()["catalogue"] if e["recordNo"] == record_no][0]
    return e["majorName"], e["minorName"]


def body(app_dir, artifacts):
    with Session("tile_menu_place", app_dir, artifacts, prepare=prepare) as s:
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)
        s.app()
        # The pointer rests on the pop-up's second column (乙's), then goes back to the tile.
        screens.open_popup(s, face, 0, arrow_on_right=True)
        popup = screens.wait_popup(s)
        screens.rest_on_column(s, popup, 1)
        screens.wait_catwin(s)
        tx, ty = screens.centre(screens.tile_rect(face, 0))
        s.move_pointer(tx, ty, steps=6)
        s.wiggle(tx, ty)
        wait_until(lambda: not screens.find_popup(s) and not screens.find_catwin(s), 5, "the pop-up to close")
        before = set(s.qbx_windows())
        s.click(tx, ty, button=3)
        screens.click_menu_item(s, before, MENU1, "更改分类")
        editor = s.geometry(s.wait_window(EDITOR))
        # 娱乐 in the major list (its first minor category follows); "更改".
        click_node(s, one(s, "list item", "娱乐", within=editor))
        s.screenshot("change-to-entertainment")
        click_node(s, one(s, "push button", "更改", within=editor))
        wait_until(lambda: not s.windows_by_name(EDITOR), 10, "the editor to close")
        check_equal(placed(s, 1), ("娱乐", "游戏"), "甲 (the tile's favourite) after 更改分类")
        check_equal(placed(s, 2), ("办公", "联系"), "乙 (the column last pointed at)")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
