#!/usr/bin/python3
"""One Quillbox per data folder, and starting it again as the way back without a tray host.

The first qbx is minimised from "操作" → "最小化" (no tray host runs, so nothing else shows it);
a second start ends at once with status 0 and the first one shows its window again. Then three
starts at the same moment: all of them hand over, one process and one column remain, and the
data files are still clean (qbx-data check)."""

import os
import subprocess

import fixtures
from harness import MAIN_TITLE, Session, check, check_equal, run_test, wait_until
from screens import choose_menu_item


def prepare(folder):
    fixtures.prepare_network(folder, start_mode=1)


def start_again(s):
    return subprocess.Popen([os.path.join(s.prog, "qbx")], env=s.qbx_env(), cwd=s.tmp,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)


def finished(p, what):
    out, _ = p.communicate(timeout=30)
    check_equal(p.returncode, 0, f"{what} (output: {out.decode(errors='replace')!r})")


def columns(s):
    return s.windows_by_name(MAIN_TITLE)


def body(app_dir, artifacts):
    with Session("one_instance", app_dir, artifacts, prepare=prepare) as s:
        s.start_qbx()
        main = s.wait_main_window()
        s.screenshot("first-start")

        choose_menu_item(s, "操作", "最小化", 0)
        wait_until(lambda: not s.is_viewable(main), 5, "the window to be minimised")
        s.screenshot("minimised")

        finished(start_again(s), "exit status of the second start")
        wait_until(lambda: s.is_viewable(main), 10, "the second start to bring the window back")
        x, y, _, _ = s.geometry(main)
        check(x >= 0 and y >= 0, f"the window came back on the screen (at {x},{y})")
        s.screenshot("shown-by-second-start")

        # Several starts at once.
        racers = [start_again(s) for _ in range(3)]
        for n, p in enumerate(racers):
            finished(p, f"exit status of simultaneous start {n + 1}")
        s.check_running()
        check_equal(len(columns(s)), 1, "columns on the screen after four starts")
        s.screenshot("after-simultaneous-starts")

        tool = os.path.join(s.app_dir, "qbx-data")
        r = subprocess.run([tool, "check", s.prog], capture_output=True, timeout=30)
        check_equal((r.returncode, r.stdout.decode()), (0, ""), "qbx-data check of the data folder")


if __name__ == "__main__":
    run_test(body)
