#!/usr/bin/python3
"""Whole-process figures of launching a combination, reported, never judged:

  - release to five starts: the left button released over the combination tile (real X input
    through XTest) until the last of the five members' first commands runs (shell scripts that
    write their clock), against
  - one single start: the button released over tile 0 until its program's first command runs,
    and five of them one after another as five separate clicks would need at least;
  - the script started directly, the baseline of every figure.

usage: bench/combo_launch.py PROGRAM_FOLDER [--clicks N]
  PROGRAM_FOLDER  the built program folder (build/app); a Release build without sanitizers
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fixtures  # noqa: E402
import harness  # noqa: E402
import screens  # noqa: E402
from start_idle import XTest  # noqa: E402

MEMBERS = 5


def script(folder, k):
    return os.path.join(folder, "tools", f"member{k}.sh")


def prepare(folder):
    progs = []
    for k in range(MEMBERS):
        path = script(folder, k)
        fixtures.write_marker_script(path, os.path.join(folder, f"marker{k}"))
        progs.append(fixtures.program(k + 1, 0, 0, k, "业务", f"成员{k}", 1000 - k, path))
    fixtures.write_programs(folder, progs)
    fixtures.write_combos(folder, [{"recordNo": 1, "group": 0, "position": 0, "groupName": "测",
                                    "name": "五个", "useCounter": 1, "programs": list(range(1, 6)),
                                    "programCount": MEMBERS, "description": ""}])
    fixtures.write_settings(folder, {"启动": 1, "ycount": len(progs), "zhcount": 1, "wcount": 0,
                                     "主窗口": 3000, "分类窗口": 1000})


def marks(folder, k):
    path = os.path.join(folder, f"marker{k}")
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [float(v) for v in f.read().split()]


def release_until(s, xt, tile_centre, counts):
    """Presses and releases over a tile; ms until every marker k has grown past counts[k]."""
    s.move_pointer(*tile_centre)
    time.sleep(0.3)
    xt.button(True)
    time.sleep(0.2)
    t0 = time.time()
    xt.button(False)
    harness.wait_until(lambda: all(len(marks(s.prog, k)) > n for k, n in counts.items()), 10,
                       "the programs to start")
    return (max(marks(s.prog, k)[n] for k, n in counts.items()) - t0) * 1000


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("program_folder")
    ap.add_argument("--clicks", type=int, default=9)
    a = ap.parse_args()
    artifacts = os.path.join(os.path.abspath(a.program_folder), "..", "bench-artifacts")
    with harness.Session("combo_launch", os.path.abspath(a.program_folder), artifacts,
                         prepare=prepare) as s:
        s.start_qbx()
        main_wid = s.wait_main_window()
        face = screens.client_geometry(s, main_wid)
        time.sleep(1)
        xt = XTest(s.display)
        combo, single, base = [], [], []
        for _ in range(a.clicks):
            counts = {k: len(marks(s.prog, k)) for k in range(MEMBERS)}
            combo.append(release_until(s, xt, screens.centre(screens.tile_rect(face, 5)), counts))
            time.sleep(0.3)
            counts = {0: len(marks(s.prog, 0))}
            single.append(release_until(s, xt, screens.centre(screens.tile_rect(face, 0)), counts))
            time.sleep(0.3)
        for _ in range(a.clicks):
            n = len(marks(s.prog, 0))
            t0 = time.time()
            subprocess.Popen([script(s.prog, 0)]).wait()
            base.append((marks(s.prog, 0)[n] - t0) * 1000)
        med = statistics.median
        print(f"release on the combination tile to all {MEMBERS} members started ({a.clicks} runs): "
              f"median {med(combo):.1f} ms, min {min(combo):.1f}, max {max(combo):.1f}")
        print(f"release on tile 0 to its program started: median {med(single):.1f} ms "
              f"(five single starts: {MEMBERS * med(single):.1f} ms)")
        print(f"the script started directly: median {med(base):.1f} ms")


if __name__ == "__main__":
    main()
