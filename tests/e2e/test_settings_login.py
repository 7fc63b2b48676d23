#!/usr/bin/python3
"""System settings and start at login with the real program, from a folder whose name holds a
blank: "设置" → "系统设置" opens the dialog; each choice is written before "确定" is pressed
("开机启动并隐藏" writes the autostart entry with the program's path and 启动=2, "3" in the first
list writes 主窗口=3000, "不开机启动" switches the entry off with Hidden=true). After "确定" and
"开机启动并隐藏" again, the program is ended and started the way a session starts it, from the
entry's Exec line (split here by the desktop-entry rules, no shell): it comes up auto-hidden.
The about box shows its caption and version line."""

import os
import time

import fixtures
from harness import SCREEN_W, Session, check, check_equal, run_test, wait_until
from screens import choose_menu_item, click_node, one, window_shown

TITLE = "系统设置"
MAX_STRIP = 15   # pixels visible of a window hidden at the left edge (openbox keeps a few more)


def prepare(folder):
    # Shown with auto-hide off, so the window waits for the test; the main-window delay of 4 s
    # shows as "4" in the dialog.
    fixtures.write_settings(folder, {"启动": 1, "ycount": 0, "zhcount": 0, "wcount": 0,
                                     "主窗口": 4000, "分类窗口": 1000})


def ini_value(s, section, key):
    """The value of a key in the program's 基本设置.ini as written on disk (GBK), or None."""
    with open(os.path.join(s.prog, "基本设置.ini"), "rb") as f:
        text = f.read().decode("gbk")
    current = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = line[1:-1].strip()
        elif current == section and "=" in line and line.split("=", 1)[0].strip() == key:
            return line.split("=", 1)[1].strip()
    return None


def wait_ini(s, section, key, value):
    wait_until(lambda: ini_value(s, section, key) == value, 5, f"{key}={value} in 基本设置.ini")


def entry_path(s):
    return os.path.join(s.env["XDG_CONFIG_HOME"], "autostart", "quillbox.desktop")


def read_entry(s):
    """The keys of the [Desktop Entry] group, values with the general escapes undone."""
    with open(entry_path(s), encoding="utf-8") as f:
        lines = f.read().splitlines()
    keys, group = {}, None
    for line in lines:
        if line.startswith("["):
            group = line
        elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
            k, v = line.split("=", 1)
            out, i = [], 0
            while i < len(v):
                if v[i] == "\\" and i + 1 < len(v):
                    out.append({"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}.get(v[i + 1], v[i:i + 2]))
                    i += 2
                else:
                    out.append(v[i])
                    i += 1
            keys[k.strip()] = "".join(out)
    return keys


def exec_argv(exec_line):
    """An Exec value split as a session splits it: blanks separate arguments, double quotes hold
    blanks, \\" \\` \\$ \\\\ inside quotes stand for the character; %% is a percent sign."""
    args, cur, in_arg, quoted, i = [], [], False, False, 0
    while i < len(exec_line):
        c = exec_line[i]
        if quoted:
            if c == "\\" and i + 1 < len(exec_line) and exec_line[i + 1] in '"`$\\':
                cur.append(exec_line[i + 1])
                i += 1
            elif c == '"':
                quoted = False
            else:
                cur.append(c)
        elif c in " \t":
            if in_arg:
                args.append("".join(cur))
                cur, in_arg = [], False
        else:
            in_arg = True
            if c == '"':
                quoted = True
            else:
                cur.append(c)
        i += 1
    check(not quoted, f"unterminated quote in Exec={exec_line!r}")
    if in_arg:
        args.append("".join(cur))
    return [a.replace("%%", "%") for a in args]


def body(app_dir, artifacts):
    with Session("settings_login", app_dir, artifacts, prepare=prepare) as s:
        # The program lives in a folder with a blank in its name.
        moved = os.path.join(os.path.dirname(s.prog), "程序 文件夹")
        os.rename(s.prog, moved)
        s.prog = moved
        program = os.path.join(moved, "qbx")

        s.start_qbx()
        main = s.wait_main_window()
        s.app()
        check(not os.path.exists(entry_path(s)), "no autostart entry before the dialog")

        choose_menu_item(s, "设置", "系统设置", 2)
        dialog = s.wait_window(TITLE)
        inside = s.geometry(dialog)
        s.screenshot("settings-open")
        # Opening wrote what it shows: option 1 (entry on), the delays 4 s and 1 s.
        wait_ini(s, "自动隐藏时间", "主窗口", "4000")
        check_equal(read_entry(s).get("Hidden"), None, "the entry written on opening with option 1")

        click_node(s, one(s, "radio button", "开机启动并隐藏", within=inside))
        wait_ini(s, "基本设置", "启动", "2")
        entry = read_entry(s)
        check_equal((entry.get("Type"), exec_argv(entry.get("Exec", "")), entry.get("Hidden")),
                    ("Application", [program], None), "the autostart entry after 开机启动并隐藏")
        check(entry.get("Name") and entry.get("Icon"), f"the entry's Name and Icon: {entry}")

        # The first list shows "4"; one up is "3", chosen with Return in its open list.
        combos = [n for n in s.atspi.find(s.app(), role="combo box", showing=True, within=inside) if n.rect]
        check(len(combos) == 2, f"the dialog's two lists: {combos}")
        click_node(s, min(combos, key=lambda n: n.rect[1]))
        time.sleep(0.3)
        s.x("xdotool", "key", "Up", "Return")
        wait_ini(s, "自动隐藏时间", "主窗口", "3000")
        s.screenshot("delay-3")

        click_node(s, one(s, "radio button", "不开机启动", within=inside))
        wait_ini(s, "基本设置", "启动", "4")
        entry = read_entry(s)
        check_equal((entry.get("Hidden"), exec_argv(entry.get("Exec", ""))), ("true", [program]),
                    "the entry switched off")
        s.screenshot("login-off")

        click_node(s, one(s, "radio button", "开机启动并隐藏", within=inside))
        wait_ini(s, "基本设置", "启动", "2")

        # The key combination box records what is pressed, the find box's own combination among
        # them (of two pressed in a row, the last is kept); the combination is held again once the
        # box loses the focus, so after the dialog the new one opens the find box.
        named = s.atspi.find(s.app(), name="查找程序快捷键", showing=True, within=inside)
        click_node(s, min((n for n in named if n.rect), key=lambda n: n.rect[2] * n.rect[3]))
        s.x("xdotool", "key", "ctrl+alt+space", "ctrl+alt+j")
        wait_ini(s, "基本设置", "快捷键", "Ctrl+Alt+J")
        check(not window_shown(s, "查找程序"), "the find box shut while the keys are recorded")
        s.screenshot("shortcut-recorded")
        click_node(s, one(s, "push button", "确定", within=inside))
        wait_until(lambda: not s.windows_by_name(TITLE), 10, "the dialog to close")
        s.x("xdotool", "key", "ctrl+alt+j")
        wait_until(lambda: window_shown(s, "查找程序"), 10, "the find box opened by the new combination")
        s.x("xdotool", "key", "Escape")

        # The about box, opened from "操作".
        choose_menu_item(s, "操作", "关于", 2)
        box = s.wait_window("关于 Quillbox")
        one(s, "label", "版本 0.8.0", within=s.geometry(box))
        s.screenshot("about")
        click_node(s, one(s, "push button", "确定", within=s.geometry(box)))
        wait_until(lambda: not s.windows_by_name("关于 Quillbox"), 10, "the about box to close")
        s.check_running()

        # A new session: the program starts from the entry's Exec line and comes up hidden.
        s.qbx.terminate()
        s.qbx.wait(10)
        argv = exec_argv(read_entry(s)["Exec"])
        check_equal(argv, [program], "the Exec line")
        s.move_pointer(600, 700)
        s.start_qbx(argv=argv)
        main = s.wait_main_window()

        def hidden():
            x, _, w, _ = s.geometry(main)
            visible = max(0, min(x + w, SCREEN_W) - max(x, 0))
            return x < 0 and 1 <= visible <= MAX_STRIP
        wait_until(hidden, 10, "the window hidden at the left edge after a start at login")
        s.screenshot("started-at-login")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
