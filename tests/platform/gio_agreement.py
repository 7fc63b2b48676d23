#!/usr/bin/python3
"""Tricky desktop entries read by the program and by GIO (the desktop's own launcher library,
through python3-gi): both must refuse the same entries, and for the others start the same
arguments in the same folder. The program is an argv-printing script.

usage: gio_agreement.py PATH/TO/launch_plan_print"""

import json
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio  # noqa: E402

PRINTER = """#!/bin/sh
out="{out}"
pwd > "$out.tmp"
for a in "$@"; do printf '%s\\n' "$a"; done >> "$out.tmp"
mv "$out.tmp" "$out"
"""

# (name, lines after [Desktop Entry]); {p} is the printer, {d} a folder that exists.
ENTRIES = [
    ("plain", "Type=Application\nName=Plain\nExec={p} a b"),
    ("quoted", 'Type=Application\nName=Q\nExec="{p}" "two words" "quote\\\\"d" back\\\\\\\\slash'),
    ("files", "Type=Application\nName=F\nExec={p} %f %F %u %U end"),
    ("percent", "Type=Application\nName=P\nExec={p} 100%% %%U"),
    ("icon", "Type=Application\nName=I\nIcon=my-icon\nExec={p} %i"),
    ("noicon", "Type=Application\nName=N\nExec={p} %i x"),
    ("name", "Type=Application\nName=Named App\nName[zh_CN]=中文名\nExec={p} %c"),
    ("self", "Type=Application\nName=K\nExec={p} %k"),
    ("deprecated", "Type=Application\nName=D\nExec={p} %d %D %n %N %v %m z"),
    ("path", "Type=Application\nName=W\nPath={d}\nExec={p}"),
    ("badpath", "Type=Application\nName=B\nPath={d}/missing\nExec={p}"),
    ("notype", "Name=T\nExec={p}"),
    ("dir", "Type=Directory\nName=Dir\nExec={p}"),
    ("tryexec", "Type=Application\nName=TE\nTryExec=no-such-program-anywhere\nExec={p}"),
    ("tryexec-ok", "Type=Application\nName=TO\nTryExec={p}\nExec={p} ok"),
    ("open-quote", 'Type=Application\nName=O\nExec="{p} x'),
    ("empty-exec", "Type=Application\nName=E\nExec="),
]
# GIO drops an unknown field code; the program refuses such a line instead of guessing (checked
# in the unit tests).


def gio_reading(path, out):
    """(refused, argv, dir) as GIO starts the entry."""
    try:
        info = Gio.DesktopAppInfo.new_from_filename(path)
    except TypeError:  # GIO does not take the entry
        info = None
    if info is None:
        return True, None, None
    try:
        if not info.launch([], None):
            return True, None, None
    except Exception:
        return True, None, None
    deadline = time.monotonic() + 10
    while not os.path.exists(out):
        if time.monotonic() > deadline:
            return True, None, None
        time.sleep(0.02)
    with open(out) as f:
        lines = f.read().split("\n")[:-1]
    os.remove(out)
    return False, lines[1:], lines[0]


def main():
    printer_tool = sys.argv[1]
    tmp = tempfile.mkdtemp(prefix="qbx-gio-")
    home = os.path.join(tmp, "home")
    work = os.path.join(tmp, "work dir")
    os.makedirs(home)
    os.makedirs(work)
    os.environ["HOME"] = home
    os.chdir(home)  # GIO starts in its caller's folder, the program in the home folder
    os.environ["LANG"] = "zh_CN.UTF-8"
    out = os.path.join(tmp, "args")
    script = os.path.join(tmp, "printargs")
    with open(script, "w") as f:
        f.write(PRINTER.format(out=out))
    os.chmod(script, 0o755)
    paths = []
    for name, body in ENTRIES:
        path = os.path.join(tmp, f"{name}.desktop")
        with open(path, "w") as f:
            f.write("[Desktop Entry]\n" + body.format(p=script, d=work) + "\n")
        paths.append(path)
    ours = subprocess.run([printer_tool, *paths], capture_output=True, text=True, check=True,
                          env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    differ = []
    for (name, _), path, line in zip(ENTRIES, paths, ours.stdout.splitlines()):
        plan = json.loads(line)
        mine = (True, None, None) if plan["refused"] else (False, plan["argv"][1:], plan["dir"])
        theirs = gio_reading(path, out)
        if mine != theirs:
            differ.append(f"{name}: ours {mine}, GIO {theirs}")
    for d in differ:
        print("DIFFERS", d)
    print(f"{len(ENTRIES) - len(differ)} of {len(ENTRIES)} entries read as GIO reads them")
    subprocess.run(["rm", "-rf", tmp])
    sys.exit(1 if differ else 0)


if __name__ == "__main__":
    main()
