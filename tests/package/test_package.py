#!/usr/bin/python3
"""The Debian package as a user gets it: its desktop entry, AppStream metadata and the package
itself pass Debian's checkers, apt can install it, and the files it installs, unpacked into a
read-only tree, start as an ordinary user under X: the window shows, the data goes to
~/.local/share/quillbox, the qbx-data link reads the same folder, nothing installed changes, and a
home the user cannot write to is reported in a message box.

    test_package.py build/quillbox_<version>_<arch>.deb ARTIFACT_FOLDER
"""

import gzip
import hashlib
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import Session, check, check_equal, run_test, wait_until  # noqa: E402

APP_ID = "io.github.quillbox.Quillbox"
DATA_FILES = ["yfrj.dat", "wfrj.dat", "zhrj.dat", "基本设置.ini"]
NOBODY = 65534


def run(argv, what, env=None):
    r = subprocess.run(argv, capture_output=True, text=True, env=env, timeout=300)
    print(f"$ {' '.join(argv)}  -> {r.returncode}\n{r.stdout}{r.stderr}".rstrip())
    check_equal(r.returncode, 0, what)
    return r.stdout + r.stderr


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is a PNG")
    return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")


def snapshot(tree):
    """Every file and link of the tree with its mode and contents."""
    seen = {}
    for folder, _, files in os.walk(tree):
        for name in files:
            path = os.path.join(folder, name)
            st = os.lstat(path)
            if os.path.islink(path):
                seen[path] = ("link", os.readlink(path))
            else:
                with open(path, "rb") as f:
                    seen[path] = (st.st_mode, hashlib.sha256(f.read()).hexdigest())
    return seen


def check_layout(tree):
    usr = os.path.join(tree, "usr")
    for program in ("qbx", "qbx-data"):
        link = os.path.join(usr, "bin", program)
        check_equal(os.readlink(link), f"../lib/quillbox/{program}", f"/usr/bin/{program}")
        check(os.access(link, os.X_OK), f"/usr/bin/{program} leads to a program")
    for name in ("qbx-pinyin", "45.ico", "click.wav", "Quillbox介绍.txt", "skin/pnl11.jpg"):
        check(os.path.isfile(os.path.join(usr, "lib/quillbox", name)), f"the program folder has {name}")
    icons = os.path.join(usr, "share/icons/hicolor")
    with open(os.path.join(icons, "scalable/apps", APP_ID + ".svg"), encoding="utf-8") as f:
        check("<svg" in f.read(), "the scalable icon is an SVG")
    for px in (48, 64, 128):
        check_equal(png_size(os.path.join(icons, f"{px}x{px}/apps/{APP_ID}.png")), (px, px), f"{px} px icon")
    for page in ("qbx", "qbx-data"):
        with gzip.open(os.path.join(usr, f"share/man/man1/{page}.1.gz"), "rt", encoding="utf-8") as f:
            text = f.read()
        check("~/.local/share/quillbox/" in text and "/usr/lib/quillbox/" in text,
              f"{page}(1) names the folders it uses")


def check_package(deb, tree):
    usr = os.path.join(tree, "usr/share")
    out = run(["desktop-file-validate", os.path.join(usr, "applications", APP_ID + ".desktop")],
              "desktop-file-validate")
    check(out.strip() == "", "the desktop entry has no remarks")
    run(["appstreamcli", "validate", "--no-net", os.path.join(usr, "metainfo", APP_ID + ".metainfo.xml")],
        "appstreamcli validate")
    lintian = subprocess.run(["lintian", "--allow-root", deb], capture_output=True, text=True, timeout=600)
    print(f"lintian (warnings and errors) -> {lintian.returncode}:\n{lintian.stdout}")
    check(lintian.returncode == 0 and "E: " not in lintian.stdout, "lintian reports no error")
    run(["apt-get", "install", "-s", deb], "apt-get install -s")
    control = run(["dpkg-deb", "-f", deb], "the package's control data")
    check("libqt6widgets6" in control and "libc6" in control, "dpkg-shlibdeps named the libraries")


def as_user(argv):
    """Root runs the program as nobody, an ordinary user; anyone else runs it as themself."""
    if os.geteuid() != 0:
        return argv
    return ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", *argv]


def user_folder(path):
    os.makedirs(path, exist_ok=True)
    os.chmod(path, 0o700)
    if os.geteuid() == 0:
        os.chown(path, NOBODY, NOBODY)
    return path


def start(s, tree, home, user=True):
    """The installed qbx through its /usr/bin link, with HOME and no XDG_DATA_HOME."""
    s.env["HOME"] = home
    s.env["XDG_CONFIG_HOME"] = os.path.join(home, ".config")
    s.env["XDG_CACHE_HOME"] = os.path.join(home, ".cache")
    s.env.pop("XDG_DATA_HOME", None)
    s.env["XDG_RUNTIME_DIR"] = user_folder(tempfile.mkdtemp(dir=s.tmp))
    qbx = [os.path.join(tree, "usr/bin/qbx")]
    return s.start_qbx(argv=as_user(qbx) if user else qbx)


def body(deb, artifacts):
    check(os.path.isfile(deb), f"{deb} is built (./test.sh runs cpack)")
    tree = tempfile.mkdtemp(prefix="qbx-package-")
    try:
        os.chmod(tree, 0o755)
        run(["dpkg-deb", "-x", deb, tree], "dpkg-deb -x")
        subprocess.run(["chmod", "-R", "a-w", tree], check=True)
        check_layout(tree)
        check_package(deb, tree)
        installed = snapshot(tree)

        with Session("package", os.path.join(tree, "usr/lib/quillbox"), artifacts) as s:
            os.chmod(s.tmp, 0o755)  # the ordinary user reaches its home inside
            home = user_folder(os.path.join(s.tmp, "user"))
            start(s, tree, home)
            main = s.wait_main_window()
            data = os.path.join(home, ".local/share/quillbox")
            wait_until(lambda: all(os.path.isfile(os.path.join(data, f)) for f in DATA_FILES), 10,
                       f"the data files in {data}")
            s.screenshot("installed")
            subprocess.run(["import", "-window", str(main), os.path.join(s.artifacts, "main-window.png")],
                           env=s.env, check=True, timeout=30)
            dump = subprocess.run(as_user([os.path.join(tree, "usr/bin/qbx-data"), "dump"]),
                                  env=s.qbx_env(), capture_output=True, timeout=30)
            check_equal(dump.returncode, 0, f"qbx-data dump ({dump.stderr.decode(errors='replace')})")
            check_equal(json.loads(dump.stdout)["settings"]["wcount"], 755,
                        "qbx-data reads the data folder the program prepared")
            s.qbx.terminate()
            s.qbx.wait(10)

            # Root may write the program folder, but its data goes to its home all the same.
            if os.geteuid() == 0:
                root_home = user_folder(os.path.join(s.tmp, "root"))
                os.chown(root_home, 0, 0)
                start(s, tree, root_home, user=False)
                s.wait_main_window()
                data = os.path.join(root_home, ".local/share/quillbox")
                wait_until(lambda: all(os.path.isfile(os.path.join(data, f)) for f in DATA_FILES), 10,
                           f"root's data files in {data}")
                s.qbx.terminate()
                s.qbx.wait(10)

            # A home folder the user cannot write to: the data folder cannot be made.
            locked = os.path.join(s.tmp, "locked-home")
            os.makedirs(locked)
            os.chmod(locked, 0o555)
            start(s, tree, locked)
            s.wait_window("Quillbox", pid=s.qbx.pid)
            s.screenshot("unwritable-home")
            log = os.path.join(s.tmp, "qbx.log")
            wait_until(lambda: "cannot prepare the data folder" in open(log, errors="replace").read(), 5,
                       "the reason on stderr")
            s.qbx.terminate()
            s.qbx.wait(10)
        check_equal(snapshot(tree), installed, "the installed files after the program ran")
    finally:
        subprocess.run(["chmod", "-R", "u+w", tree])
        shutil.rmtree(tree, ignore_errors=True)


if __name__ == "__main__":
    run_test(body)
