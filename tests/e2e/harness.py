"""Runs the real qbx binary as a person would: on a private X server with a window manager,
moving and clicking with real X input (xdotool), reading the windows through AT-SPI and keeping
screenshots of each state.

Use one `Session` per test process (the AT-SPI client library binds to the session bus of the
first session it sees):

    with Session("mainwin_popup", app_dir, artifacts, prepare=fill) as s:
        s.start_qbx()
        main = s.wait_main_window()
        ...

Everything the session starts carries a marker in its environment; on leaving the `with` block
every such process is ended by its pid, even after a failure. A failing test prints what it saw
(windows, AT-SPI tree, its error) and keeps a screenshot named "failure.png".
"""

import ctypes
import itertools
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

SCREEN_W, SCREEN_H = 1280, 1024
TWIPS_PER_PX = 15
PYTHON = "/usr/bin/python3"
ATSPI_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
MAIN_TITLE = "Velmora软件"


class E2EError(AssertionError):
    pass


def px(twips):
    """Twips to pixels the way the program converts them (15 twips a pixel)."""
    return int(twips) // TWIPS_PER_PX


def wait_until(probe, timeout, what, interval=0.05):
    """Polls `probe` until it returns something true; returns that value or raises E2EError."""
    deadline = time.monotonic() + timeout
    last_exc = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except Exception as exc:  # a probe may fail while a window is still coming up
            last_exc = exc
        if time.monotonic() >= deadline:
            extra = f" (last error: {last_exc!r})" if last_exc else ""
            raise E2EError(f"timed out after {timeout:.1f} s waiting for {what}{extra}")
        time.sleep(interval)


def check(condition, message):
    if not condition:
        raise E2EError(message)


def check_equal(seen, expected, what):
    if seen != expected:
        raise E2EError(f"{what}: expected {expected!r}, saw {seen!r}")


def parse_args(argv=None):
    """Every test script takes the program folder and the artifact folder as its arguments."""
    argv = sys.argv[1:] if argv is None else argv
    if len(argv) < 2:
        sys.exit(f"usage: {os.path.basename(sys.argv[0])} PROGRAM_FOLDER ARTIFACT_FOLDER")
    return os.path.abspath(argv[0]), os.path.abspath(argv[1])


def run_test(body, name=None):
    """Entry point of a test script: runs body(app_dir, artifact_dir), exit code 0 on success."""
    app_dir, artifacts = parse_args()
    # A test run stopped from outside (ctest's timeout, Ctrl-C) still ends its processes.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped by SIGTERM"))
    try:
        body(app_dir, artifacts)
    except (Exception, SystemExit, KeyboardInterrupt):
        traceback.print_exc()
        print(f"FAILED: {name or os.path.basename(sys.argv[0])}; artifacts in {artifacts}")
        sys.exit(1)
    print(f"PASSED: {name or os.path.basename(sys.argv[0])}")


# ---------------------------------------------------------------- program folder

# What the program needs beside it; data and settings files of a developer's own runs stay out.
_SKIP_SUFFIXES = (".dat", ".ini")


def make_program_folder(app_dir, dest, with_skin=True, binary="qbx"):
    """A fresh program folder: the binary, skin/, icons, sound and text of the built program."""
    os.makedirs(dest, exist_ok=True)
    src_bin = os.path.join(app_dir, binary)
    if not os.path.isfile(src_bin):
        raise E2EError(f"{src_bin} is missing: build the program first")
    for entry in os.listdir(app_dir):
        src = os.path.join(app_dir, entry)
        if entry == "skin" and os.path.isdir(src):
            if with_skin:
                shutil.copytree(src, os.path.join(dest, "skin"))
        elif os.path.isfile(src) and not entry.endswith(_SKIP_SUFFIXES):
            if entry not in (binary, "qbx-pinyin") and os.access(src, os.X_OK):
                continue  # tools and test programs of the build stay where they are
            # A copy, never a symlink: the program takes its own folder from /proc/self/exe.
            target = os.path.join(dest, entry)
            try:
                os.link(src, target)
            except OSError:
                shutil.copy2(src, target)
    return dest


# ---------------------------------------------------------------- processes

_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


_PR_SET_CHILD_SUBREAPER = 36


def _die_with_parent():
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)


def _adopt_orphans():
    """Services our processes start and leave behind become our children, so we can end and
    reap them instead of leaving zombies to an init that may not reap."""
    _libc.prctl(_PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)


def _reap():
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            return


def _pids_with_marker(marker):
    found = []
    me = os.getpid()
    for name in os.listdir("/proc"):
        if not name.isdigit() or int(name) == me:
            continue
        try:
            with open(f"/proc/{name}/environ", "rb") as f:
                env = f.read()
        except OSError:
            continue
        if marker in env.split(b"\0"):
            found.append(int(name))
    return found


def _sweep_abandoned_sessions():
    """Ends what a killed test run left behind (services started by its buses outlive it): the
    processes marked with a session whose owning test process no longer exists."""
    tmp = tempfile.gettempdir()
    for entry in os.listdir(tmp):
        folder = os.path.join(tmp, entry)
        if not entry.startswith("qbx-e2e-"):
            continue
        try:
            with open(os.path.join(folder, "owner.pid")) as f:
                owner = int(f.read().strip())
        except (OSError, ValueError):
            continue
        if os.path.exists(f"/proc/{owner}"):
            continue
        for pid in _pids_with_marker(f"QBX_E2E_SESSION={folder}".encode()):
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        shutil.rmtree(folder, ignore_errors=True)


class Session:
    def __init__(self, name, app_dir, artifact_root, prepare=None, with_skin=True,
                 binary="qbx", keep=False, monitors=None):
        self.name = name
        # Several monitors side by side, left to right, the first the primary: [(w, h), ...].
        # The X screen is as wide as all of them; each is a RandR monitor of its own.
        self.monitors = monitors
        self.app_dir = app_dir
        self.artifacts = os.path.join(artifact_root, name)
        self.prepare = prepare
        self.with_skin = with_skin
        self.binary = binary
        self.keep = keep or bool(os.environ.get("QBX_E2E_KEEP"))
        self.procs = []          # (label, Popen) in start order
        self.qbx = None
        self.display = None
        self.env = None
        self._atspi = None
        self._step = 0

    # -------------------------------------------------------- setup and teardown

    def __enter__(self):
        _adopt_orphans()
        _sweep_abandoned_sessions()
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts, exist_ok=True)
        self.tmp = tempfile.mkdtemp(prefix=f"qbx-e2e-{self.name}-")
        with open(os.path.join(self.tmp, "owner.pid"), "w") as f:
            f.write(str(os.getpid()))
        self.marker_value = self.tmp
        self.marker = f"QBX_E2E_SESSION={self.marker_value}".encode()
        try:
            self.prog = make_program_folder(self.app_dir, os.path.join(self.tmp, "prog"),
                                            self.with_skin, self.binary)
            if self.prepare:
                self.prepare(self.prog)
            self._base_env()
            self._start_x()
            self._start_bus()
            self._start_wm()
        except BaseException:
            self._teardown(failed=True)
            raise
        return self

    def __exit__(self, exc_type, exc, tb):
        failed = exc_type is not None
        try:
            if failed:
                print(f"--- {self.name} failed: {exc_type.__name__}: {exc}")
                self.screenshot("failure")
                self.report_state()
        except BaseException as e2:  # a closed stdout or a second signal must not skip cleanup
            try:
                print(f"(could not record the state: {e2!r})")
            except BaseException:
                pass
        finally:
            self._teardown(failed)
        return False

    def _base_env(self):
        home = os.path.join(self.tmp, "home")
        runtime = os.path.join(self.tmp, "runtime")
        for d in (home, runtime):
            os.makedirs(d, mode=0o700, exist_ok=True)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("DBUS_", "XDG_", "QT_", "AT_SPI", "WAYLAND", "DISPLAY"))}
        env.update({
            "HOME": home,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "LANG": "C.UTF-8",
            "NO_AT_BRIDGE": "0",
            "QBX_E2E_SESSION": self.marker_value,
        })
        self.env = env
        self.qbx_data_dirs = self._data_dirs()

    def _data_dirs(self):
        """The XDG data folders qbx is given: the machine's shared data (icon themes, schemas)
        without its applications/ folders, so that a first start finds no installed applications
        and does not ask to file them. A test that wants some writes desktop entries into
        <tmp>/share/applications. (The X server, the window manager and the buses keep the
        machine's own folders: openbox maps no windows with these.)"""
        dirs = [os.path.join(self.tmp, "share")]
        for i, base in enumerate(("/usr/local/share", "/usr/share")):
            mirror = os.path.join(self.tmp, f"share{i}")
            os.makedirs(mirror, exist_ok=True)
            if os.path.isdir(base):
                for name in os.listdir(base):
                    if name != "applications":
                        os.symlink(os.path.join(base, name), os.path.join(mirror, name))
            dirs.append(mirror)
        os.makedirs(dirs[0], exist_ok=True)
        return ":".join(dirs)

    def _spawn(self, label, argv, env=None, stdout=None, **kw):
        """Starts a process in a group of its own; its output goes to <label>.log (or a pipe).
        It is killed by the kernel should this test process die without cleaning up."""
        with open(os.path.join(self.tmp, f"{label}.log"), "ab") as log:
            p = subprocess.Popen(argv, env=env or self.env, stdin=subprocess.DEVNULL,
                                 stdout=stdout or log,
                                 stderr=log if stdout else subprocess.STDOUT,
                                 start_new_session=True, preexec_fn=_die_with_parent, **kw)
        self.procs.append((label, p))
        return p

    def _start_x(self):
        r, w = os.pipe()
        size = (f"{sum(m[0] for m in self.monitors)}x{max(m[1] for m in self.monitors)}"
                if self.monitors else f"{SCREEN_W}x{SCREEN_H}")
        self._spawn("xvfb", ["Xvfb", "-displayfd", str(w), "-screen", "0",
                             f"{size}x24", "-nolisten", "tcp", "-noreset"],
                    pass_fds=(w,))
        os.close(w)
        with os.fdopen(r) as f:
            line = f.readline().strip()   # Xvfb writes the display number once it listens
        if not line.isdigit():
            raise E2EError("Xvfb did not report a display number (see xvfb.log)")
        self.display = f":{line}"
        self.env["DISPLAY"] = self.display
        if self.monitors:
            self._split_monitors()

    def _split_monitors(self):
        # The first monitor takes over Xvfb's one output (else the output's own monitor, the
        # whole screen, would stay as a third); the others are monitors without an output.
        x = 0
        for i, (w, h) in enumerate(self.monitors):
            self.x("xrandr", "--setmonitor", self.monitor_name(i), f"{w}/{w // 4}x{h}/{h // 4}+{x}+0",
                   "screen" if i == 0 else "none")
            x += w
        wait_until(lambda: self.x("xrandr", "--listmonitors").startswith(
            f"Monitors: {len(self.monitors)}"), 5, "the monitors")

    @staticmethod
    def monitor_name(i):
        return f"QBX-{i}"

    def _start_bus(self):
        p = self._spawn("dbus", ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                        stdout=subprocess.PIPE)
        address = p.stdout.readline().decode().strip()
        if not address:
            raise E2EError("the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self._spawn("atspi", [ATSPI_LAUNCHER, "--launch-immediately"])
        # The accessibility bus is ready once the launcher answers on the session bus.
        wait_until(lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], env=self.env, capture_output=True).returncode == 0,
            10, "the accessibility bus")

    def _start_wm(self):
        self._spawn("openbox", ["openbox", "--sm-disable"])
        wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.x(
            "xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False), 10, "openbox")
        # openbox announces itself before its event loop runs; a window mapped in between waits
        # unmanaged until some other event reaches openbox. A probe window is mapped and the
        # root window touched until openbox manages the probe: from then on it handles events.
        probe = self._spawn("wm-probe", ["xmessage", "-geometry", "+600+600", "window manager probe"])
        nudges = itertools.count()

        def probe_managed():
            self.x("xprop", "-root", "-f", "_QBX_WM_NUDGE", "32c", "-set", "_QBX_WM_NUDGE",
                   str(next(nudges)))
            return self.stacking()
        wait_until(probe_managed, 10, "openbox to manage a window", interval=0.2)
        probe.terminate()
        probe.wait(5)
        wait_until(lambda: not self.stacking(), 5, "the probe window to go")

    def _teardown(self, failed):
        for label, p in reversed(self.procs):
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGTERM)
                except OSError:
                    pass
        deadline = time.monotonic() + 3
        for label, p in self.procs:
            try:
                p.wait(max(0.05, deadline - time.monotonic()))
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except OSError:
                    pass
                p.wait(2)
            if p.stdout:
                p.stdout.close()
        # Services the buses started on their own (registry daemon, a11y bus) carry the marker.
        for attempt in range(2):
            for pid in _pids_with_marker(self.marker):
                try:
                    os.kill(pid, signal.SIGTERM if attempt == 0 else signal.SIGKILL)
                except OSError:
                    pass
            time.sleep(0.2)
            _reap()
        if failed:
            for label, _ in self.procs:
                log = os.path.join(self.tmp, f"{label}.log")
                if label == "qbx" and os.path.exists(log):
                    with open(log, "rb") as f:
                        text = f.read().decode(errors="replace")[-4000:]
                    print(f"--- qbx output:\n{text}")
        if self.keep or failed:
            dest = os.path.join(self.artifacts, "program-folder")
            shutil.rmtree(dest, ignore_errors=True)
            shutil.copytree(self.prog if hasattr(self, "prog") else self.tmp, dest,
                            ignore=shutil.ignore_patterns(self.binary), dirs_exist_ok=True)
        shutil.rmtree(self.tmp, ignore_errors=True)

    # -------------------------------------------------------- the program

    def qbx_env(self):
        env = dict(self.env)
        env.update({"XDG_DATA_DIRS": self.qbx_data_dirs,
                    "QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                    "QT_ACCESSIBILITY": "1", "ASAN_OPTIONS": "detect_leaks=0"})
        return env

    def start_qbx(self, args=(), argv=None):
        """Starts the program folder's qbx, or `argv` as given (a desktop entry's command)."""
        argv = argv or [os.path.join(self.prog, self.binary), *args]
        self.qbx = self._spawn("qbx", argv, env=self.qbx_env(), cwd=self.tmp)
        return self.qbx

    def check_running(self):
        if self.qbx is not None and self.qbx.poll() is not None:
            raise E2EError(f"qbx ended with status {self.qbx.returncode}")

    def spawn(self, label, argv):
        """Another program on the same display (for stacking tests)."""
        return self._spawn(label, argv)

    # -------------------------------------------------------- X helpers

    def x(self, *argv, check=True):
        """Runs an X client on this session's display and returns its output."""
        r = subprocess.run(argv, env=self.env, capture_output=True, timeout=20)
        if check and r.returncode != 0:
            raise E2EError(f"{' '.join(argv)} failed: {r.stderr.decode(errors='replace')}")
        return r.stdout.decode(errors="replace")

    def windows_by_name(self, title, pid=None):
        argv = ["xdotool", "search", "--onlyvisible"]
        if pid:
            argv += ["--pid", str(pid)]
        argv += ["--name", f"^{title}$"]
        return [int(w) for w in self.x(*argv, check=False).split()]

    def wait_window(self, title, timeout=20, pid=None):
        def probe():
            self.check_running()
            return self.windows_by_name(title, pid)
        return wait_until(probe, timeout, f"a window titled {title!r}")[0]

    def qbx_windows(self):
        """All mapped top-level windows of the running qbx."""
        out = self.x("xdotool", "search", "--onlyvisible", "--pid", str(self.qbx.pid),
                     check=False)
        return [int(w) for w in out.split()]

    def wait_new_window(self, before, what, timeout=5):
        """Waits until qbx maps a window not in `before` (a set of qbx_windows() taken earlier),
        such as a menu popping up; keys sent before it is there would go elsewhere."""
        return wait_until(lambda: set(self.qbx_windows()) - before, timeout, what)

    def wait_main_window(self, timeout=30):
        wid = self.wait_window(MAIN_TITLE, timeout, pid=self.qbx.pid if self.qbx else None)
        self.wait_painted(wid)
        return wid

    def wait_painted(self, wid, timeout=10):
        """Waits until a mapped window has painted: the program maps its window before filling it,
        and until its first paint the window shows the black of the screen behind it. The pixel
        looked at is one column inside the window's part on the screen."""
        x, y, w, _ = self.geometry(wid)
        if x + w <= 0 or x >= SCREEN_W:
            return
        px, py = max(x, 0) + (1 if x >= 0 else w + x - 2), max(y, 0) + 1

        def painted():
            self.check_running()
            out = self.x("import", "-window", "root", "-crop", f"1x1+{px}+{py}", "txt:-", check=False)
            return "#000000" not in out and "srgb(0,0,0)" not in out and "(" in out
        wait_until(painted, timeout, f"window 0x{wid:x} to paint")

    def geometry(self, wid):
        """(x, y, width, height) of a window's client area on the screen."""
        out = self.x("xwininfo", "-id", str(wid))
        vals = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    vals[key] = int(line.split(":")[1])
        return (vals["Absolute upper-left X"], vals["Absolute upper-left Y"],
                vals["Width"], vals["Height"])

    def net_wm_state(self, wid):
        return self.x("xprop", "-id", str(wid), "_NET_WM_STATE", check=False)

    def stacking(self):
        """Top-level client windows, bottom to top, as the window manager stacks them."""
        out = self.x("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
        if "#" not in out:
            return []
        return [int(w, 16) for w in out.split("#", 1)[1].replace(",", " ").split()]

    def window_at(self, x, y):
        """The client window the X server shows at (x, y): the pointer goes there and X says
        which window it is over (moving there is part of the check)."""
        self.move_pointer(x, y)
        out = self.x("xdotool", "getmouselocation", "--shell")
        vals = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(vals["WINDOW"])

    def frame_of(self, wid):
        """The child of the root window that holds `wid` (the window manager's frame, or the
        window itself when it has none): what window_at reports for it."""
        while True:
            out = self.x("xwininfo", "-tree", "-id", str(wid))
            root = parent = None
            for line in out.splitlines():
                line = line.strip()
                if line.startswith("Root window id:"):
                    root = int(line.split()[3], 16)
                elif line.startswith("Parent window id:"):
                    parent = int(line.split()[3], 16)
            if parent is None or parent == root:
                return wid
            wid = parent

    def is_viewable(self, wid):
        return "Map State: IsViewable" in self.x("xwininfo", "-id", str(wid), check=False)

    def move_pointer(self, x, y, steps=1):
        """Moves the pointer to (x, y); with steps > 1 it travels there in a straight line so the
        program sees the movements in between."""
        if steps > 1:
            cx, cy = self.pointer()
            for i in range(1, steps):
                self.x("xdotool", "mousemove", str(cx + (x - cx) * i // steps),
                       str(cy + (y - cy) * i // steps))
                time.sleep(0.01)
        self.x("xdotool", "mousemove", str(int(x)), str(int(y)))

    def wiggle(self, x, y, times=3):
        """Small moves around (x, y): a widget reacts to movement, not to a resting pointer."""
        for dx in (1, -1, 0)[:times]:
            self.x("xdotool", "mousemove", str(int(x + dx)), str(int(y)))
            time.sleep(0.03)

    def pointer(self):
        out = self.x("xdotool", "getmouselocation", "--shell")
        vals = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(vals["X"]), int(vals["Y"])

    def click(self, x, y, button=1):
        self.move_pointer(x, y)
        self.x("xdotool", "click", str(button))

    def drag(self, start, end, steps=20):
        self.move_pointer(*start)
        time.sleep(0.05)
        self.x("xdotool", "mousedown", "1")
        self.move_pointer(*end, steps=steps)
        time.sleep(0.05)
        self.x("xdotool", "mouseup", "1")

    def screenshot(self, step):
        self._step += 1
        path = os.path.join(self.artifacts, f"{self._step:02d}-{step}.png")
        subprocess.run(["import", "-window", "root", path], env=self.env,
                       capture_output=True, timeout=30)
        return path

    # -------------------------------------------------------- AT-SPI

    @property
    def atspi(self):
        """The AT-SPI client, bound to this session's buses on first use."""
        if self._atspi is None:
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]
            os.environ["DISPLAY"] = self.display
            os.environ.pop("AT_SPI_BUS_ADDRESS", None)
            import a11y  # imported late: the client library reads the bus address on import
            self._atspi = a11y
        return self._atspi

    def app(self, timeout=20):
        """The accessible application object of the running qbx."""
        def probe():
            self.check_running()
            return self.atspi.application(self.qbx.pid)
        return wait_until(probe, timeout, "qbx on the accessibility bus", interval=0.2)

    def report_state(self):
        print("--- windows (bottom to top):")
        managed = self.stacking()
        for wid in managed:
            try:
                name = self.x("xdotool", "getwindowname", str(wid), check=False).strip()
                print(f"  0x{wid:x} {name!r} {self.geometry(wid)} "
                      f"{self.net_wm_state(wid).strip()}")
            except Exception as e:
                print(f"  0x{wid:x} ({e!r})")
        if not managed:
            print("--- the window manager lists none; the X server's top-level windows:")
            print(self.x("xwininfo", "-root", "-children", check=False))
        print(f"--- pointer: {self.pointer()}")
        if self.qbx is not None and self.qbx.poll() is None:
            try:
                app = self.atspi.application(self.qbx.pid)
                print("--- accessible tree of qbx:")
                print(self.atspi.dump(app) if app else "  (qbx is not on the accessibility bus)")
            except Exception as e:
                print(f"  (accessible tree unavailable: {e!r})")

    def dump_data(self):
        """The data files of the program folder as JSON, read by the build's own qbx-data."""
        tool = os.path.join(self.app_dir, "qbx-data")
        out = subprocess.run([tool, "dump", self.prog], capture_output=True, timeout=30)
        if out.returncode != 0:
            raise E2EError(f"qbx-data dump failed: {out.stderr.decode(errors='replace')}")
        return json.loads(out.stdout)
