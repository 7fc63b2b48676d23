#!/usr/bin/python3
"""Whole-process figures of starting programs and of auto-hide, reported, never judged:

  - release to start: the left button released over tile 0 (real X input through the XTest
    extension, sent from this process) until the started program's first command runs (a shell
    script that writes its clock). It includes starting the shell and `date`, measured alone
    as the baseline;
  - records written per start (from the data file's change, by record);
  - idle cost with auto-hide on and the pointer away: CPU time (utime + stime from
    /proc/<pid>/stat) and context switches of all threads (/proc/<pid>/task/*/status) over an
    idle period once the window has hidden itself, per second.

usage: bench/start_idle.py PROGRAM_FOLDER [--clicks N] [--idle SECONDS]
  PROGRAM_FOLDER  the built program folder (build/app); a Release build without sanitizers
"""

import argparse
import ctypes
import os
import subprocess
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import fixtures  # noqa: E402
import harness  # noqa: E402
import screens  # noqa: E402

def prepare(folder):
    script = os.path.join(folder, "tools", "mark.sh")
    fixtures.write_marker_script(script, os.path.join(folder, "marker"))
    progs = fixtures.full_catalogue([script] * 755, 625)
    fixtures.write_programs(folder, progs)
    fixtures.write_settings(folder, {"启动": 4, "ycount": len(progs), "zhcount": 0, "wcount": 0,
                                     "主窗口": 3000, "分类窗口": 1000})


def cpu_and_switches(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])   # utime, stime
    switches = 0
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
        except OSError:
            pass
    return ticks / os.sysconf("SC_CLK_TCK"), switches


class XTest:
    """Button presses and releases through XTest, without starting a process per event."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.dpy = self.x11.XOpenDisplay(display.encode())
        if not self.dpy:
            raise RuntimeError(f"cannot open display {display}")

    def button(self, pressed):
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 1 if pressed else 0, 0)
        self.x11.XSync(self.dpy, 0)


def marks(folder):
    path = os.path.join(folder, "marker")
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [float(v) for v in f.read().split()]


def records(folder):
    with open(os.path.join(folder, "yfrj.dat"), "rb") as f:
        data = f.read()
    return [data[i:i + 450] for i in range(0, len(data), 450)]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("program_folder")
    ap.add_argument("--clicks", type=int, default=10)
    ap.add_argument("--idle", type=float, default=60)
    a = ap.parse_args()
    artifacts = os.path.join(os.path.abspath(a.program_folder), "..", "bench-artifacts")
    with harness.Session("start_idle", os.path.abspath(a.program_folder), artifacts,
                         prepare=prepare) as s:
        s.move_pointer(60, 100)
        s.start_qbx()
        main_wid = s.wait_main_window()
        face = screens.client_geometry(s, main_wid)
        tx, ty = screens.centre(screens.tile_rect(face, 0))
        s.move_pointer(tx, ty)
        time.sleep(1)
        xt = XTest(s.display)
        latencies = []
        written = []
        for i in range(a.clicks):
            before = records(s.prog)
            xt.button(True)
            time.sleep(0.2)
            t0 = time.time()
            xt.button(False)
            harness.wait_until(lambda: len(marks(s.prog)) > i, 10, "the program to start")
            latencies.append((marks(s.prog)[i] - t0) * 1000)
            time.sleep(0.3)
            after = records(s.prog)
            written.append(sum(1 for x, y in zip(before, after) if x != y))
        base = []
        script = os.path.join(s.prog, "tools", "mark.sh")
        for i in range(a.clicks):
            n = len(marks(s.prog))
            t0 = time.time()
            subprocess.Popen([script]).wait()
            base.append((marks(s.prog)[n] - t0) * 1000)
        print(f"release to start ({a.clicks} releases): median {statistics.median(latencies):.1f} ms, "
              f"min {min(latencies):.1f} ms, max {max(latencies):.1f} ms; the script started "
              f"directly: median {statistics.median(base):.1f} ms")
        print(f"records changed per start: {written}")

        # Idle: the pointer goes away, the window hides, then nothing happens.
        s.move_pointer(700, 600)
        harness.wait_until(lambda: s.geometry(main_wid)[0] < 0, 10, "the window to hide")
        time.sleep(2)
        pid = s.qbx.pid
        cpu0, sw0 = cpu_and_switches(pid)
        t0 = time.monotonic()
        time.sleep(a.idle)
        cpu1, sw1 = cpu_and_switches(pid)
        dt = time.monotonic() - t0
        print(f"idle {dt:.0f} s, auto-hide on, window hidden, pointer away: CPU {cpu1 - cpu0:.2f} s "
              f"({(cpu1 - cpu0) / dt * 100:.3f} %), context switches {sw1 - sw0} "
              f"({(sw1 - sw0) / dt:.2f}/s, all threads)")


if __name__ == "__main__":
    main()
