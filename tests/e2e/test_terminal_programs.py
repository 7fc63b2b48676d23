#!/usr/bin/python3
"""Programs start the way the desktop starts them. A desktop entry with Terminal=true runs in the
user's terminal: a stand-in x-terminal-emulator on PATH records the arguments it was given. A
plain script sees the home folder as its working folder, /dev/null as its input and a launch id
of the desktop's startup notification in DESKTOP_STARTUP_ID (one of ours, carrying the time of the
click, not the id Quillbox was started with). A program whose file is gone is counted, and a
notice "无法启动：" + its path shows at the pointer (no tray host runs here)."""

import os
import re
import stat

import fixtures
from harness import Session, check_equal, run_test, wait_until
import screens
from screens import click_node, named

RECORDER = """#!/bin/sh
printf '%s\\n' "$@" > "{out}.tmp"
mv "{out}.tmp" "{out}"
"""

PROBE = """#!/bin/sh
{{ pwd; readlink /proc/self/fd/0; env | grep '^DESKTOP_STARTUP_ID='; }} > "{out}.tmp"
mv "{out}.tmp" "{out}"
"""


def executable(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)


def prepare(folder):
    root = os.path.dirname(folder)
    executable(os.path.join(root, "bin", "x-terminal-emulator"),
               RECORDER.format(out=os.path.join(root, "terminal-args")))
    probe = os.path.join(folder, "tools", "probe.sh")
    executable(probe, PROBE.format(out=os.path.join(root, "probe-out")))
    entry = os.path.join(folder, "tools", "editor.desktop")
    with open(entry, "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Editor\nTerminal=true\n"
                "Exec=vim -p %F\n")
    P = fixtures.program
    progs = [
        P(1, 0, 0, 0, "业务", "编辑器", 5, entry),
        P(2, 1, 0, 0, "游戏", "探针", 5, probe),
        P(3, 3, 0, 0, "电脑", "已删除", 5, os.path.join(folder, "gone", "nothing.sh")),
    ]
    fixtures.write_programs(folder, progs)
    fixtures.write_settings(folder, {"启动": 1, "ycount": len(progs), "zhcount": 0, "wcount": 0,
                                     "主窗口": 3000, "分类窗口": 1000})


def read_when_there(path, what):
    wait_until(lambda: os.path.exists(path), 10, what)
    with open(path) as f:
        return f.read().splitlines()


def tile(s, name):
    return screens.tile_node(s, screens.TILE_NAMES.index(name))


def body(app_dir, artifacts):
    with Session("terminal_programs", app_dir, artifacts, prepare=prepare) as s:
        s.env["PATH"] = os.path.join(s.tmp, "bin") + os.pathsep + s.env.get("PATH", "/usr/bin:/bin")
        s.env["DESKTOP_STARTUP_ID"] = "theirs_TIME0"  # the launch that started Quillbox itself
        s.start_qbx()
        s.wait_main_window()

        click_node(s, tile(s, "办公"))
        args = read_when_there(os.path.join(s.tmp, "terminal-args"), "the terminal to be started")
        check_equal(args, ["-e", "vim", "-p"], "the terminal's arguments")

        click_node(s, tile(s, "娱乐"))
        seen = read_when_there(os.path.join(s.tmp, "probe-out"), "the probe script to run")
        check_equal(seen[:2], [s.env["HOME"], "/dev/null"], "working folder and input of a started program")
        check_equal([bool(re.fullmatch(r"DESKTOP_STARTUP_ID=qbx-\d+-\d+_TIME[1-9]\d*", v)) for v in seen[2:]],
                    [True], "the started program's launch id: " + repr(seen[2:]))

        click_node(s, tile(s, "学习"))
        gone = os.path.join(s.prog, "gone", "nothing.sh")
        wait_until(lambda: any(e["useCounter"] == 6 for e in s.dump_data()["catalogue"]
                               if e["major"] == 3), 10, "the gone program to be counted")
        wait_until(lambda: named(s, "无法启动：" + gone), 5, "the notice at the pointer")
        s.screenshot("notice")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
