#!/usr/bin/python3
"""Whole-process start-up figures of the launcher, reported, never judged:

  - time from process start to its first window mapped on the screen: the launcher with a full
    catalogue (625 programs, each with an icon file of its own) against a bare Qt Widgets window
    showing the column's Chinese captions (qbx-barewindow), the two started in turn in one run;
    both medians and their ratio;
  - time from process start to the first frame painted in that window, as both programs tell it
    (the launcher through its qbx.startup trace): a window may be mapped before its font is
    loaded and paint its text later, so this is when the user sees it;
  - the launcher's resident memory after start (VmRSS, VmHWM from /proc);
  - optionally idle wakeups: context switches of all its threads over an idle period with the
    pointer away from its windows, once auto-hide has slid the column off the edge;
  - the trace's step "the tiles: skins and icons" and the size of the icon cache on disk.

Two settings: by default every program has an .ico file of its own; with --installed N the
programs are installed applications (bench/installed_setting.py): N desktop entries in the
user's data folder, each with its own SVG icon in the user's hicolor theme, the first --count of
them filed (N = 0: the programs have no desktop entry at all).

Runs on a private Xvfb with openbox and a session bus (the end-to-end harness), without the
accessibility bridge forced on, as a user's desktop would start it.

usage: bench/startup.py PROGRAM_FOLDER BAREWINDOW [--runs N] [--idle SECONDS] [--count N]
       [--installed N] [--json FILE]
  PROGRAM_FOLDER  the built program folder (build/app); measure a Release build without
                  sanitizers for figures worth reporting
  BAREWINDOW      the qbx-barewindow binary (build/bench/qbx-barewindow)
  --idle SECONDS  after the last start, count the launcher's wakeups over this long (0: not)
"""

import argparse
import json
import os
import re
import statistics
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import fixtures  # noqa: E402
import harness  # noqa: E402
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import installed_setting  # noqa: E402


class MapWatch:
    """Reports the first window mapped on the screen after arm(), timed on our clock."""

    def __init__(self, session):
        self.proc = session._spawn("xev", ["xev", "-root", "-event", "substructure"],
                                   stdout=subprocess.PIPE)
        self.lock = threading.Lock()
        self.armed_at = None
        self.mapped_at = None
        self.event = threading.Event()
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(0.5)   # xev selects its events right after it starts

    def _read(self):
        for line in self.proc.stdout:
            if line.startswith(b"MapNotify"):
                now = time.monotonic()
                with self.lock:
                    if self.armed_at is not None and self.mapped_at is None:
                        self.mapped_at = now
                        self.event.set()

    def arm(self):
        with self.lock:
            self.armed_at = time.monotonic()
            self.mapped_at = None
            self.event.clear()
        return self.armed_at

    def wait(self, timeout=30):
        if not self.event.wait(timeout):
            raise harness.E2EError("no window was mapped")
        return self.mapped_at - self.armed_at


def proc_status(pid, *keys):
    values = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            k, _, v = line.partition(":")
            if k in keys:
                values[k] = int(v.split()[0])
    return values


def context_switches(pid):
    """(voluntary, involuntary) summed over all threads of the process."""
    vol = invol = 0
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith("voluntary_ctxt_switches"):
                        vol += int(line.split()[1])
                    elif line.startswith("nonvoluntary_ctxt_switches"):
                        invol += int(line.split()[1])
        except OSError:
            pass
    return vol, invol


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])   # utime + stime


PAINTED = re.compile(r"first frame painted at monotonic ([0-9]+\.[0-9]+) s")
TILES = re.compile(r"\+ *([0-9]+\.[0-9]+) ms  the tiles: skins and icons")


def painted_at(log):
    """The monotonic time of the last first-frame line in a program's log, or None."""
    with open(log, errors="replace") as f:
        found = PAINTED.findall(f.read())
    return float(found[-1]) if found else None


def tiles_ms(log):
    """The last tiles step of a program's start-up trace, or None."""
    with open(log, errors="replace") as f:
        found = TILES.findall(f.read())
    return float(found[-1]) if found else None


def folder_bytes(folder):
    total = 0
    for base, _, files in os.walk(folder):
        total += sum(os.path.getsize(os.path.join(base, name)) for name in files)
    return total


AUTO_HIDE_SETTLE_S = 4.5


def run_once(session, watch, argv, env, idle):
    t0 = watch.arm()
    label = f"run-{os.path.basename(argv[0])}"
    p = session._spawn(label, argv, env=env, cwd=session.tmp)
    try:
        to_map = watch.wait()
        time.sleep(2.0)   # let start-up finish its after-map work
        mem = proc_status(p.pid, "VmRSS", "VmHWM")
        log = os.path.join(session.tmp, f"{label}.log")
        painted = painted_at(log)
        result = {"map_ms": round(to_map * 1000, 1),
                  "paint_ms": round((painted - t0) * 1000, 1) if painted and painted > t0 else None,
                  "rss_kib": mem.get("VmRSS"), "hwm_kib": mem.get("VmHWM"),
                  "tiles_ms": tiles_ms(log)}
        if idle:
            session.move_pointer(harness.SCREEN_W - 200, harness.SCREEN_H - 200)
            # Auto-hide slides the column off the edge when the hide delay (3 s by default)
            # has passed since start-up without the pointer on it: that is work, not idling.
            time.sleep(AUTO_HIDE_SETTLE_S)
            v0, i0 = context_switches(p.pid)
            c0 = cpu_ticks(p.pid)
            time.sleep(idle)
            v1, i1 = context_switches(p.pid)
            c1 = cpu_ticks(p.pid)
            result.update({"idle_s": idle,
                           "wakeups_per_s": round((v1 - v0 + i1 - i0) / idle, 1),
                           "idle_cpu_percent": round(100.0 * (c1 - c0)
                                                     / os.sysconf("SC_CLK_TCK") / idle, 2)})
        return result
    finally:
        os.killpg(p.pid, 15)
        try:
            p.wait(5)
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, 9)
            p.wait(5)
        time.sleep(0.3)
        del t0


def summarise(runs):
    out = {}
    for key in runs[0]:
        vals = [r[key] for r in runs if r.get(key) is not None]
        if vals and all(isinstance(v, (int, float)) for v in vals):
            out[key] = {"median": statistics.median(vals), "min": min(vals), "max": max(vals)}
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("program_folder")
    ap.add_argument("barewindow")
    ap.add_argument("--runs", type=int, default=9)
    ap.add_argument("--idle", type=float, default=10.0)
    ap.add_argument("--count", type=int, default=625)
    ap.add_argument("--installed", type=int, default=-1)
    ap.add_argument("--json")
    args = ap.parse_args()

    artifacts = os.path.join(os.path.dirname(os.path.abspath(args.program_folder)),
                             "bench-artifacts")
    if args.installed < 0:
        prepare = (lambda folder: fixtures.prepare_full(folder, args.count, start_mode=4))
    else:
        def prepare(folder):
            tmp = os.path.dirname(folder)   # the session's home is <tmp>/home
            installed_setting.prepare(os.path.join(tmp, "installed"), args.installed, args.count,
                                      folder, os.path.join(tmp, "home", ".local", "share"))
    bare_label = "bare window"
    qbx_label = f"qbx, {args.count} programs" + (
        f", {args.installed} installed applications" if args.installed >= 0 else "")
    runs = {bare_label: [], qbx_label: []}
    with harness.Session("startup", os.path.abspath(args.program_folder), artifacts,
                         prepare=prepare) as s:
        env = dict(s.env, QT_QPA_PLATFORM="xcb", QT_LOGGING_RULES="qbx.startup.info=true")
        watch = MapWatch(s)
        cases = [(bare_label, [os.path.abspath(args.barewindow)]),
                 (qbx_label, [os.path.join(s.prog, "qbx")])]
        # One start of each first, not counted: both find the caches warm.
        for _, argv in cases:
            run_once(s, watch, argv, env, 0)
        # The two in turn, so that a busy moment of the machine falls on both.
        for i in range(args.runs):
            for label, argv in cases:
                last = i == args.runs - 1 and label == qbx_label
                runs[label].append(run_once(s, watch, argv, env, args.idle if last else 0))
        cache_bytes = folder_bytes(os.path.join(s.env["XDG_CACHE_HOME"], "quillbox"))
    results = {label: {"runs": r, "summary": summarise(r)} for label, r in runs.items()}
    bare = results[bare_label]["summary"]["map_ms"]["median"]
    qbx = results[qbx_label]["summary"]["map_ms"]["median"]
    for label in runs:
        m = results[label]["summary"]["map_ms"]
        rss = results[label]["summary"]["rss_kib"]["median"]
        print(f"{label}: first window mapped after {m['median']:.1f} ms median"
              f" (min {m['min']:.1f}, max {m['max']:.1f}, {args.runs} starts);"
              f" VmRSS {rss / 1024:.1f} MiB")
    print(f"ratio qbx / bare window: {qbx / bare:.2f}")
    # Each round's two starts side by side: the machine's speed drifts over a run, and a round's
    # two starts meet the same moment of it.
    for key, what in (("map_ms", "first maps"), ("paint_ms", "first frames")):
        pairs = [q[key] / b[key] for b, q in zip(runs[bare_label], runs[qbx_label])
                 if q.get(key) and b.get(key)]
        if pairs:
            q = statistics.quantiles(pairs, n=4) if len(pairs) > 1 else pairs * 3
            print(f"median of the rounds' ratios, {what}: {statistics.median(pairs):.2f}"
                  f" (quartiles {q[0]:.2f}–{q[2]:.2f}, {len(pairs)} rounds)")
    paint = [results[label]["summary"].get("paint_ms") for label in (bare_label, qbx_label)]
    if all(paint):
        for label, m in zip((bare_label, qbx_label), paint):
            print(f"{label}: first frame painted after {m['median']:.1f} ms median"
                  f" (min {m['min']:.1f}, max {m['max']:.1f})")
        print(f"ratio of the first frames qbx / bare window: "
              f"{paint[1]['median'] / paint[0]['median']:.2f}")
    tiles = results[qbx_label]["summary"].get("tiles_ms")
    if tiles:
        print(f"qbx trace, the tiles: skins and icons: {tiles['median']:.2f} ms median"
              f" (min {tiles['min']:.2f}, max {tiles['max']:.2f})")
    print(f"icon cache on disk: {cache_bytes / 1024:.1f} KiB")
    print(f"load average at the end: {os.getloadavg()[0]:.2f}")
    last = runs[qbx_label][-1]
    print(f"qbx resident memory: VmRSS {last['rss_kib'] / 1024:.1f} MiB,"
          f" VmHWM {last['hwm_kib'] / 1024:.1f} MiB")
    if "wakeups_per_s" in last:
        print(f"qbx idle over {last['idle_s']} s: {last['wakeups_per_s']} wakeups/s,"
              f" {last['idle_cpu_percent']} % CPU")
    if args.json:
        with open(args.json, "w") as f:
            json.dump(results, f, ensure_ascii=False, indent=2)


if __name__ == "__main__":
    main()
