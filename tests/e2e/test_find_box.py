#!/usr/bin/python3
"""The keyboard's way to a program: Ctrl+Alt+Space pressed while another program's window has the
focus opens "查找程序"; the initials of a Chinese title find it, Enter starts it and counts it in
yfrj.dat. `qbx --find` opens the box of the running copy; Escape closes it and starts nothing.
An unknown option is refused with a usage."""

import os
import subprocess
import time

import fixtures
from harness import Session, check, check_equal, run_test, wait_until
from screens import window_shown

BOX = "查找程序"


def prepare(folder):
    chat = os.path.join(folder, "tools", "chat.sh")
    fixtures.write_marker_script(chat, os.path.join(folder, "marker-chat"))
    P = fixtures.program
    progs = [
        P(1, 2, 0, 0, "通信", "微信", 3, chat, description="聊天"),
        P(2, 2, 0, 1, "通信", "文件传输", 9, fixtures.write_tool(folder)),
        P(3, 0, 0, 0, "业务", "Writer", 5, fixtures.write_tool(folder, "writer")),
    ]
    fixtures.write_programs(folder, progs)
    fixtures.write_settings(folder, {"启动": 1, "ycount": len(progs), "zhcount": 0, "wcount": 0,
                                     "主窗口": 3000, "分类窗口": 1000})


def use_of(s, record_no):
    return [e for e in s.dump_data()["catalogue"] if e["recordNo"] == record_no][0]["useCounter"]


def rows(s):
    """The rows the box lists, top to bottom."""
    found = [n for n in s.atspi.find(s.app(), role="list item", showing=True) if n.rect]
    return [n.name for n in sorted(found, key=lambda n: n.rect[1])]


def wait_box(s, shown=True):
    wait_until(lambda: window_shown(s, BOX) == shown, 10,
               f"the find box to {'open' if shown else 'close'}")


def body(app_dir, artifacts):
    with Session("find_box", app_dir, artifacts, prepare=prepare) as s:
        qbx = os.path.join(s.prog, s.binary)
        bad = subprocess.run([qbx, "--bogus"], env=s.qbx_env(), capture_output=True, timeout=30)
        check_equal(bad.returncode, 2, "exit status of an unknown option")
        check(b"usage" in bad.stderr, f"a usage on standard error: {bad.stderr!r}")

        s.start_qbx()
        s.wait_main_window()
        s.app()

        # 1. Another program has the focus; the key combination reaches qbx all the same.
        s.spawn("other", ["xmessage", "another program"])
        other = s.wait_window("xmessage")
        s.x("xdotool", "windowactivate", "--sync", str(other))
        check_equal(int(s.x("xdotool", "getactivewindow")), other, "the focused window")
        s.x("xdotool", "key", "ctrl+alt+space")
        wait_box(s)
        wait_until(lambda: s.x("xdotool", "getactivewindow", "getwindowname").strip() == BOX, 5,
                   "the box to take the focus")
        wait_until(lambda: "微信" in rows(s), 10, "the filed programs listed")
        s.screenshot("opened-by-shortcut")

        # 2. The initials list the Chinese title first; Enter starts it and counts it.
        s.x("xdotool", "type", "--delay", "80", "wx")
        wait_until(lambda: rows(s)[:1] == ["微信"], 10, "微信 first for 'wx'")
        s.screenshot("typed-wx")
        s.x("xdotool", "key", "Return")
        wait_until(lambda: fixtures.marker_starts(s.prog, "chat") == 1, 10, "微信 to start")
        wait_until(lambda: use_of(s, 1) == 4, 10, "微信 counted in yfrj.dat")
        wait_box(s, shown=False)

        # 3. qbx --find asks the running copy; what is typed that matches nothing says so.
        done = subprocess.run([qbx, "--find"], env=s.qbx_env(), capture_output=True, timeout=30)
        check_equal(done.returncode, 0, "exit status of qbx --find")
        wait_box(s)
        s.x("xdotool", "type", "--delay", "80", "zzq")
        wait_until(lambda: s.atspi.find(s.app(), role="label", name="没有找到程序", showing=True), 10,
                   "没有找到程序")
        s.screenshot("nothing-found")

        # 4. Escape closes the box and starts nothing.
        s.x("xdotool", "key", "ctrl+a", "BackSpace", "w", "x", "Escape")
        wait_box(s, shown=False)
        time.sleep(0.5)
        check_equal(fixtures.marker_starts(s.prog, "chat"), 1, "starts of 微信 after Escape")
        check_equal(use_of(s, 1), 4, "use of 微信 after Escape")
        s.check_running()
        s.screenshot("closed")


if __name__ == "__main__":
    run_test(body, "find_box")
