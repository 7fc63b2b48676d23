#!/usr/bin/python3
"""qbx killed at every write it makes into its folder, in turn: during a re-sort after a tile
click, during the first-start preparation and while a program is filed. After each kill qbx is
started again (it mends what the kill left), and then the folder must pass `qbx-data check`,
every filed program must be shown in the catalogue exactly once, no use count may have gone
backwards and no record may hold another program than before.

The kill comes from kill_at_write.so, preloaded into qbx: it counts the writes into the folder
and sends itself SIGKILL just before the chosen one.

Usage: test_kill_at_every_write.py PROGRAM_FOLDER ARTIFACT_FOLDER [--rounds N]
(QBX_KILL_SHIM names the shim). With --rounds every write position is killed N times over."""

import json
import os
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import fixtures  # noqa: E402
import screens  # noqa: E402
import test_editor_file_program as editor  # noqa: E402
from harness import Session, check, check_equal, run_test, wait_until  # noqa: E402

P = fixtures.program


def catalogue(icons):
    """办公 as a killed earlier run could have left it: slot 0 of 业务 is used less than the slots
    below it, and 联系 is used more than 业务. A click on tile 0 starts X, then re-sorts the slots of
    业务 (X falls to the end) and swaps 业务 and 联系: six records change at once. The programs
    that are never started are icon files, so that the tiles show whose program leads."""
    return [
        P(1, 0, 0, 0, "业务", "程序X", 2, "/bin/true"),
        P(2, 0, 0, 1, "业务", "程序Y", 6, icons[0]),
        P(3, 0, 0, 2, "业务", "程序Z", 5, icons[1]),
        P(4, 0, 0, 3, "业务", "程序W", 4, icons[2]),
        P(5, 0, 1, 0, "联系", "程序V", 10, icons[3]),
        P(6, 0, 1, 1, "联系", "程序U", 3, icons[4]),
        P(7, 1, 0, 0, "游戏", "程序T", 8, icons[5]),
    ]


SETTINGS = {"启动": 1, "ycount": 7, "zhcount": 0, "wcount": 755, "主窗口": 3000, "分类窗口": 1000}


def records(path, length=450):
    """(recordNo field, exePath, useCounter) of every record of a program file, decoded here."""
    out = []
    if not os.path.exists(path):
        return out
    with open(path, "rb") as f:
        data = f.read()
    for at in range(0, len(data), length):
        rec = data[at:at + length].ljust(length, b"\0")
        pos = 0

        def string():
            nonlocal pos
            n = struct.unpack_from("<H", rec, pos)[0]
            s = rec[pos + 2:pos + 2 + n]
            pos += 2 + n
            return s
        string()                      # name
        exe = string()
        pos += 4 + 8 + 8 + 8          # reserved blocks
        record_no = struct.unpack_from("<i", rec, pos)[0]
        pos += 4 + 6                  # recordNo, major, minor, slot
        for _ in range(3):            # majorName, minorName, title
            string()
        use = struct.unpack_from("<i", rec, pos)[0]
        out.append((record_no, exe.decode("gbk", "replace"), use))
    return out


class Killer:
    """One X session in which qbx is started, killed and started again many times."""

    def __init__(self, s, shim):
        self.s = s
        self.shim = shim
        self.count_file = os.path.join(s.tmp, "writes")
        self.tile0 = None
        self.kills = 0
        self.progs = []  # the catalogue every cycle starts from

    def reset(self, programs, settings, unclassified=True):
        for name in ("yfrj.dat", "wfrj.dat", "zhrj.dat", "基本设置.ini"):
            path = os.path.join(self.s.prog, name)
            if os.path.exists(path):
                os.remove(path)
        for name in os.listdir(self.s.prog):
            if name.endswith("-journal") or name.startswith(".~") or name.endswith(".tmp"):
                os.remove(os.path.join(self.s.prog, name))
        fixtures.write_programs(self.s.prog, programs)
        fixtures.write_settings(self.s.prog, settings)
        if unclassified:
            with open(os.path.join(self.s.prog, "wfrj.dat"), "wb") as f:
                for n in range(1, 756):
                    f.write((b"\0" * 32 + struct.pack("<i", n)).ljust(450, b"\0"))

    def start(self, kill_at=None):
        env = None
        if kill_at is not None:
            env = dict(self.s.qbx_env(), LD_PRELOAD=self.shim, QBX_KILL_DIR=os.path.realpath(self.s.prog),
                       QBX_KILL_AT=str(kill_at), QBX_KILL_COUNT=self.count_file)
            if os.path.exists(self.count_file):
                os.remove(self.count_file)
        self.s.qbx = self.s._spawn("qbx", [os.path.join(self.s.prog, "qbx")], env=env or self.s.qbx_env(),
                                   cwd=self.s.tmp)
        return self.s.qbx

    def writes(self):
        try:
            with open(self.count_file) as f:
                return int(f.read() or 0)
        except FileNotFoundError:
            return 0

    def stop(self):
        q = self.s.qbx
        if q.poll() is None:
            q.terminate()
            try:
                q.wait(10)
            except subprocess.TimeoutExpired:
                q.kill()
                q.wait()

    def died(self, timeout):
        try:
            self.s.qbx.wait(timeout)
        except subprocess.TimeoutExpired:
            return False
        check_equal(self.s.qbx.returncode, -9, "how qbx ended")
        self.kills += 1
        return True

    def click_tile0(self):
        main = self.s.wait_main_window()
        if self.tile0 is None:
            self.tile0 = screens.centre(screens.tile_rect(screens.client_geometry(self.s, main), 0))
        self.s.click(*self.tile0)

    def restart_and_check(self, before, what, shot=None):
        """qbx started again without the shim mends the folder; then nothing may be lost."""
        self.start()
        self.s.wait_main_window()
        time.sleep(0.2)
        if shot:
            self.s.screenshot(shot)
        self.stop()
        tool = os.path.join(self.s.app_dir, "qbx-data")
        problems = subprocess.run([tool, "check", self.s.prog], capture_output=True, text=True, timeout=30)
        check(problems.returncode == 0, f"{what}: qbx-data check after the restart:\n{problems.stdout}")
        shown = json.loads(subprocess.run([tool, "dump", self.s.prog], capture_output=True, timeout=30).stdout)
        placed = {}
        for e in shown["catalogue"]:
            check(e["major"] < 5, f"{what}: {e['title']} placed where no window shows it: {e}")
            placed.setdefault(e["recordNo"], []).append(e)
        now = {n: (exe, use) for n, (_, exe, use) in enumerate(records(os.path.join(self.s.prog, "yfrj.dat")), 1)}
        for p in before:
            n = p["recordNo"]
            check(len(placed.get(n, [])) == 1, f"{what}: record {n} ({p['title']}) shown {len(placed.get(n, []))} times")
            check_equal(now[n][0], p["exePath"], f"{what}: the program of record {n}")
            check(now[n][1] >= p["useCounter"], f"{what}: the use count of record {n} went back to {now[n][1]}")
        return shown


def resort(k, rounds):
    """Kills at every write of the re-sort that follows a tile click."""
    k.reset(k.progs, SETTINGS)
    k.start(kill_at=0)
    k.click_tile0()
    total = wait_until(lambda: k.writes() if k.writes() >= 2 else 0, 10, "the re-sort to write")
    time.sleep(0.5)
    total = k.writes()
    k.s.screenshot("resort-done")
    k.stop()
    check(total >= 7, f"a re-sort of six records writes at least seven times (journal included): {total}")
    for _ in range(rounds):
        for at in range(1, total + 1):
            k.reset(k.progs, SETTINGS)
            k.start(kill_at=at)
            k.click_tile0()
            check(k.died(10), f"qbx killed at write {at} of {total} of the re-sort")
            k.restart_and_check(k.progs, f"re-sort killed at write {at}",
                                shot=f"resort-restarted-after-kill-{at}" if at == total // 2 else None)
    return total


def first_start(k, rounds):
    """Kills at every write of the first start's preparation of the taken-out list."""
    settings = {key: v for key, v in SETTINGS.items() if key != "wcount"}
    k.reset(k.progs, settings, unclassified=False)
    k.start(kill_at=0)
    k.s.wait_main_window()
    total = k.writes()
    k.stop()
    check(total >= 2, f"the first start writes the list and the settings: {total}")
    for _ in range(rounds):
        for at in range(1, total + 1):
            k.reset(k.progs, settings, unclassified=False)
            k.start(kill_at=at)
            check(k.died(20), f"qbx killed at write {at} of {total} of the first start")
            shown = k.restart_and_check(k.progs, f"first start killed at write {at}")
            check_equal(shown["settings"]["wcount"], 755, f"wcount after a first start killed at write {at}")
            free = [u for u in shown["unclassified"] if not u["name"]]
            check_equal(len(free), 755, "free records of the taken-out list")
    return total


ROUNDS = 1


def file_program(k, path):
    """Files `path` under 办公/数据 through the classification editor, as a person does."""
    s = k.s
    s.wait_main_window()
    before = set(s.qbx_windows())
    editor.click_node(s, editor.one(s, "push button", "设置"))
    s.wait_new_window(before, "the menu of \"设置\" to pop up")
    items = [n for n in s.atspi.find(s.app(), role="menu item", name="分类程序设置") if n.rect]
    if items and items[0].showing:
        editor.click_node(s, items[0])
    else:
        s.x("xdotool", "key", "Down", "Return")
    window = s.wait_window(editor.TITLE)
    inside = s.geometry(window)
    editor.click_node(s, editor.one(s, "list item", "办公", within=inside))
    editor.click_node(s, editor.one(s, "list item", "数据", within=inside))
    editor.click_node(s, editor.one(s, "push button", "查找程序", within=inside))
    dialog = s.wait_window("查找exe文件")
    s.x("xdotool", "windowactivate", "--sync", str(dialog), check=False)
    time.sleep(0.3)
    s.x("xdotool", "type", "--delay", "10", path)
    s.x("xdotool", "key", "Return")
    wait_until(lambda: not s.windows_by_name("查找exe文件"), 10, "the file dialog to close")
    editor.click_node(s, editor.one(s, "push button", "添加分类", within=inside))


def filing(k, rounds):
    """Kills at every write of filing a program under 办公/数据 (its re-sort also moves 联系 ahead
    of 业务)."""
    new = os.path.join(k.s.tmp, "hello")
    with open(new, "w") as f:
        f.write("#!/bin/sh\nexit 0\n")
    k.reset(k.progs, SETTINGS)
    k.start(kill_at=0)
    file_program(k, new)
    wait_until(lambda: any(e["exePath"] == new for e in k.s.dump_data()["catalogue"]), 10, "the filed program")
    time.sleep(0.5)
    total = k.writes()
    k.stop()
    check(total >= 3, f"filing writes the count and the record: {total}")
    for _ in range(rounds):
        for at in range(1, total + 1):
            k.reset(k.progs, SETTINGS)
            k.start(kill_at=at)
            file_program(k, new)
            check(k.died(10), f"qbx killed at write {at} of {total} of a filing")
            shown = k.restart_and_check(k.progs, f"filing killed at write {at}",
                                        shot=f"filing-restarted-after-kill-{at}" if at == total // 2 else None)
            check(sum(e["exePath"] == new for e in shown["catalogue"]) <= 1, "the new program is filed once at most")
    return total


def body(app_dir, artifacts):
    rounds = ROUNDS
    shim = os.environ.get("QBX_KILL_SHIM")
    check(shim and os.path.exists(shim), f"QBX_KILL_SHIM names the kill shim: {shim!r}")
    with Session("kill_at_every_write", app_dir, artifacts) as s:
        k = Killer(s, shim)
        k.progs = catalogue(fixtures.make_icons(os.path.join(s.tmp, "icons"), 6))
        started = time.monotonic()
        writes = resort(k, rounds)
        prep = first_start(k, rounds)
        filed = filing(k, rounds)
        print(f"{k.kills} kills: {writes} write positions of a re-sort, {prep} of a first start, {filed} of a filing, "
              f"{rounds} round(s), {time.monotonic() - started:.0f} s")


if __name__ == "__main__":
    if "--rounds" in sys.argv:
        at = sys.argv.index("--rounds")
        ROUNDS = int(sys.argv[at + 1])
        del sys.argv[at:at + 2]
    run_test(body)
