#!/usr/bin/python3
"""Filing a program through the classification editor: "设置" → "分类程序设置" opens "软件添加分类";
the user picks "网络" / "文传", chooses a program with "查找程序" by typing its path into the
real file dialog, gives it a title and presses "添加分类". The count line goes up, the pop-up of
tile 2 shows the new program's title, and the data files hold its record. Two more starts of qbx
come at the moment of filing: they hand over to the running one and end, one column stays, and
nothing is lost (qbx-data check is clean)."""

import os
import subprocess

import fixtures
from harness import MAIN_TITLE, Session, check, check_equal, run_test, wait_until
import screens
from screens import click_node, one

TITLE = "软件添加分类"


def prepare(folder):
    fixtures.write_tool(folder)


def body(app_dir, artifacts):
    with Session("editor_file_program", app_dir, artifacts, prepare=prepare) as s:
        program = os.path.join(os.path.dirname(s.prog), "tools", "hello")
        s.start_qbx()
        main = s.wait_main_window()
        face = screens.client_geometry(s, main)
        s.app()
        s.screenshot("started")

        screens.choose_menu_item(s, "设置", "分类程序设置", 0)
        editor = s.wait_window(TITLE)
        ex, ey, ew, eh = s.geometry(editor)
        inside = (ex, ey, ew, eh)
        check_equal((ew, eh), (424, 403), "the editor's client size (6360 × 6045 twips)")
        one(s, "label", "共有分类软件0个！", within=inside)
        s.screenshot("editor-open")

        click_node(s, one(s, "list item", "网络", within=inside))
        click_node(s, one(s, "list item", "文传", within=inside))
        click_node(s, one(s, "push button", "查找程序", within=inside))

        # The dialog speaks Chinese: its two buttons and its first filter, the applications.
        in_dialog = s.geometry(s.wait_window("查找exe文件"))
        one(s, "push button", "打开", within=in_dialog)
        one(s, "push button", "取消", within=in_dialog)
        one(s, "combo box", "应用程序 (*.desktop)", within=in_dialog)
        screens.choose_file(s, program)

        # The title box (the upper of the two text boxes) offers the file name; the user types a
        # title of their own.
        add = one(s, "push button", "添加分类", within=inside)
        boxes = [n for n in s.atspi.find(s.app(), role="text", showing=True, within=inside) if n.rect]
        check(len(boxes) >= 2, f"the editor's text boxes: {boxes}")
        title_box = min(boxes, key=lambda n: n.rect[1])
        click_node(s, title_box)
        s.x("xdotool", "key", "ctrl+a", "BackSpace")
        s.x("xdotool", "type", "--delay", "30", "Hello")
        s.screenshot("program-found")
        racers = [subprocess.Popen([os.path.join(s.prog, "qbx")], env=s.qbx_env(), cwd=s.tmp,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT) for _ in range(2)]
        click_node(s, add)

        one(s, "label", "共有分类软件1个！", within=inside)
        one(s, "list item", "1 hello", within=inside)
        s.screenshot("filed")

        data = s.dump_data()
        check_equal(data["settings"]["ycount"], 1, "ycount in the settings file")
        filed = [e for e in data["catalogue"] if e["name"] == "hello"]
        check(len(filed) == 1, f"the catalogue on disk: {data['catalogue']}")
        e = filed[0]
        check_equal((e["exePath"], e["majorName"], e["minorName"], e["title"], e["useCounter"],
                     e["major"], e["slot"], e["recordNo"]),
                    (program, "网络", "文传", "Hello", 1, 2, 0, 1), "the filed record")
        for n, p in enumerate(racers):
            out, _ = p.communicate(timeout=30)
            check_equal(p.returncode, 0, f"start {n + 2} during the filing ({out.decode(errors='replace')!r})")
        s.check_running()
        check_equal(len(s.windows_by_name(MAIN_TITLE)), 1, "columns after three starts")
        r = subprocess.run([os.path.join(s.app_dir, "qbx-data"), "check", s.prog], capture_output=True,
                           timeout=30)
        check_equal((r.returncode, r.stdout.decode()), (0, ""), "qbx-data check after the filing")

        click_node(s, one(s, "push button", "退出", within=inside))
        wait_until(lambda: not s.windows_by_name(TITLE), 10, "the editor to close")

        # The pop-up of "网络" now shows the program's title under its minor category.
        screens.open_popup(s, face, 2, arrow_on_right=True)
        screens.wait_popup_columns(s, lambda cols: ("文传", "Hello") in cols)
        s.screenshot("popup")


if __name__ == "__main__":
    run_test(body)
