#!/usr/bin/python3
"""The "full desktop" setting of the start-up and window benchmarks: installed applications whose
icons come from the icon theme, and a catalogue of programs that are those applications.

  - PROGRAMS executables (tiny shell scripts) in <root>/bin/prog<k>;
  - APPS desktop entries in <data home>/applications/benchapp<k>.desktop, each with an SVG icon
    of its own in the user's hicolor theme (<data home>/icons/hicolor/scalable/apps); entry k
    starts program k while k <= PROGRAMS, else a program of its own that is not filed;
  - optionally a program folder whose catalogue (yfrj.dat, 基本设置.ini, written by
    tests/tools/datafiles.py through the end-to-end fixtures) files the PROGRAMS programs.

usage: bench/installed_setting.py ROOT [--apps N] [--programs N]
  writes ROOT/share (the data home), ROOT/bin and ROOT/app (the program folder's data files)
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import fixtures  # noqa: E402

SVG = ('<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">'
       '<rect x="4" y="4" width="40" height="40" rx="8" fill="#{c:06x}"/>'
       '<circle cx="24" cy="24" r="{r}" fill="#ffffff" opacity="0.8"/>'
       '<path d="M12 36 L24 {y} L36 36 Z" fill="#{d:06x}"/></svg>\n')


def write_programs(bin_dir, count, first=1):
    paths = []
    os.makedirs(bin_dir, exist_ok=True)
    for k in range(first, first + count):
        path = os.path.join(bin_dir, f"prog{k}")
        with open(path, "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(path, 0o755)
        paths.append(path)
    return paths


def write_applications(data_home, programs):
    """One desktop entry and one SVG icon per program; entry k starts programs[k - 1]."""
    apps = os.path.join(data_home, "applications")
    icons = os.path.join(data_home, "icons", "hicolor", "scalable", "apps")
    os.makedirs(apps, exist_ok=True)
    os.makedirs(icons, exist_ok=True)
    for k, program in enumerate(programs, start=1):
        icon = f"quillbox-bench-{k}"
        with open(os.path.join(icons, icon + ".svg"), "w") as f:
            f.write(SVG.format(c=(k * 2654435761) & 0xFFFFFF, d=(k * 40503) & 0xFFFFFF,
                               r=4 + k % 12, y=8 + k % 20))
        with open(os.path.join(apps, f"benchapp{k}.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\n"
                    f"Name=应用{k}\nName[zh_CN]=应用{k}\nComment=第{k}个应用\n"
                    f"Exec={program} %U\nIcon={icon}\nCategories=Utility;\n")


def prepare(root, apps=1000, programs=625, program_folder=None, data_home=None):
    """The setting under `root` (the data home: `data_home`, else <root>/share); returns the filed
    programs' paths. With `program_folder` the catalogue is written there too."""
    bin_dir = os.path.join(root, "bin")
    filed = write_programs(bin_dir, programs)
    others = write_programs(bin_dir, max(0, apps - programs), first=programs + 1)
    write_applications(data_home or os.path.join(root, "share"), (filed + others)[:apps])
    if program_folder:
        progs = fixtures.full_catalogue(filed, programs)
        fixtures.write_programs(program_folder, progs)
        fixtures.write_settings(program_folder, {"启动": 4, "ycount": len(progs), "zhcount": 0,
                                                 "wcount": 0, "主窗口": 3000, "分类窗口": 1000})
    return filed


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("root")
    ap.add_argument("--apps", type=int, default=1000)
    ap.add_argument("--programs", type=int, default=625)
    args = ap.parse_args()
    folder = os.path.join(args.root, "app")
    os.makedirs(folder, exist_ok=True)
    prepare(args.root, args.apps, args.programs, folder)


if __name__ == "__main__":
    main()
