#!/usr/bin/python3
"""Whole-process figures of the find box, reported, never judged: the key combination pressed
(xdotool, real X input) until the box "查找程序" is mapped, the first time after a start (its list,
the installed applications and the first icons are made then) and again; the launcher's resident
memory before the first opening and after it. The setting is the full desktop's
(bench/installed_setting.py): 1000 installed applications with SVG icons, 625 of them filed.

usage: bench/find_open.py PROGRAM_FOLDER [--starts N]
  PROGRAM_FOLDER  the built program folder (build/app); a Release build without sanitizers
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import installed_setting  # noqa: E402
import startup  # noqa: E402


def prepare(folder):
    tmp = os.path.dirname(folder)   # the session's home is <tmp>/home
    installed_setting.prepare(os.path.join(tmp, "installed"), 1000, 625, folder,
                              os.path.join(tmp, "home", ".local", "share"))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("program_folder")
    ap.add_argument("--starts", type=int, default=7)
    args = ap.parse_args()
    artifacts = os.path.join(os.path.dirname(os.path.abspath(args.program_folder)), "bench-artifacts")
    figures = {"first": [], "again": [], "rss_before": [], "rss_after": []}
    with harness.Session("find_open", os.path.abspath(args.program_folder), artifacts,
                         prepare=prepare) as s:
        watch = startup.MapWatch(s)
        for i in range(args.starts + 1):   # the first start writes the caches: not counted
            p = s._spawn(f"qbx-{i}", [os.path.join(s.prog, "qbx")], env=dict(s.env, QT_QPA_PLATFORM="xcb"),
                         cwd=s.tmp)
            try:
                time.sleep(3.0)   # start-up and its after-paint work are done
                rss_before = startup.proc_status(p.pid, "VmRSS")["VmRSS"]
                for kind in ("first", "again"):
                    watch.arm()
                    s.x("xdotool", "key", "ctrl+alt+space")
                    took = watch.wait() * 1000
                    time.sleep(1.0)
                    s.x("xdotool", "key", "Escape")
                    time.sleep(0.5)
                    if i:
                        figures[kind].append(took)
                if i:
                    figures["rss_before"].append(rss_before / 1024)
                    figures["rss_after"].append(startup.proc_status(p.pid, "VmRSS")["VmRSS"] / 1024)
            finally:
                os.killpg(p.pid, 15)
                p.wait(5)
                time.sleep(0.3)
    for kind in ("first", "again"):
        v = figures[kind]
        print(f"{kind} opening: box mapped {statistics.median(v):.1f} ms after the key"
              f" (median of {len(v)}, min {min(v):.1f}, max {max(v):.1f}; xdotool's own time included)")
    print(f"VmRSS before the first opening {statistics.median(figures['rss_before']):.1f} MiB,"
          f" after it {statistics.median(figures['rss_after']):.1f} MiB (medians)")


if __name__ == "__main__":
    main()
