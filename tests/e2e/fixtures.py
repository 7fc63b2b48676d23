"""Prepared program folders for the end-to-end tests: a catalogue of programs whose titles the
tests expect to see, icon files for them, and the settings file."""

import os
import shutil
import stat
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import datafiles  # noqa: E402  the project's independent writer of the data files

MAJOR_NAMES = ["办公", "娱乐", "网络", "学习", "系统"]
MINOR_NAMES = [
    ["业务", "联系", "数据", "设计", "其它"],
    ["游戏", "音乐", "图形", "影像", "其它 "],
    ["文传", "网页", "通信", "网管", "其它"],
    ["电脑", "外语", "制作", "专业", "其它"],
    ["桌面", "安全", "管理", "测试", "其它"],
]
NETWORK = 2

# The "网络" category as the store keeps it: minor positions ordered by the use of their most used
# program, slots ordered by use. Position 0 is not the first name of the table on purpose: the
# pop-up lists minor categories by use, not by name.
NETWORK_MINORS = [
    # (minor name, [(title, useCounter), ...] in slot order)
    ("通信", [("通信之一", 51), ("通信之二", 41), ("通信之三", 31), ("通信之四", 21),
              ("通信之五", 11), ("通信之六", 6)]),
    ("文传", [("文传之一", 46), ("文传之二", 13), ("", 4, "文传程序三")]),   # no title: its name shows
    ("网页", [("网页之一", 31), ("网页之二", 3)]),
    ("网管", [("网管之一", 10)]),
    ("其它", [("其它之一", 5)]),
]

# A program that leaves a trace: each start appends its clock to a marker file.
MARKER_SCRIPT = '#!/bin/sh\ndate +%s.%N >> "{marker}"\n'


def write_tool(folder, name="hello", status=0):
    """A program that does nothing but end with `status`, in "tools" beside the program folder;
    its path."""
    tools = os.path.join(os.path.dirname(folder), "tools")
    os.makedirs(tools, exist_ok=True)
    path = os.path.join(tools, name)
    with open(path, "w") as f:
        f.write(f"#!/bin/sh\nexit {status}\n")
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)
    return path


def write_marker_script(path, marker):
    """An executable script at `path` that appends its start time to `marker`."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(MARKER_SCRIPT.format(marker=marker))
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)


def marker_starts(folder, key):
    """How often the script writing "marker-<key>" in `folder` has started."""
    path = os.path.join(folder, f"marker-{key}")
    if not os.path.exists(path):
        return 0
    with open(path) as f:
        return len(f.read().split())


ICON_COLOURS = ["#d03030", "#30a030", "#3050d0", "#d0a020", "#a030c0"]


SETTING_SECTIONS = {"启动": "基本设置", "ycount": "基本设置", "zhcount": "基本设置",
                    "wcount": "基本设置", "主窗口": "自动隐藏时间", "分类窗口": "自动隐藏时间"}


def write_programs(folder, programs):
    """Each program at its own recordNo of yfrj.dat."""
    path = os.path.join(folder, datafiles.PROGRAM_FILE)
    for p in programs:
        datafiles.write_program(path, p["recordNo"], **p)


def write_settings(folder, values):
    """基本设置.ini with these keys, written as the program writes them (" 12")."""
    sections = {}
    for key, value in values.items():
        sections.setdefault(SETTING_SECTIONS[key], {})[key] = value
    datafiles.write_ini(os.path.join(folder, datafiles.SETTINGS_FILE), sections)


def write_combos(folder, combos):
    """Each combination at its own recordNo of zhrj.dat."""
    path = os.path.join(folder, datafiles.COMBO_FILE)
    for c in combos:
        datafiles.write_combo(path, c["recordNo"], **c)


def make_icons(folder, count=len(ICON_COLOURS)):
    """Small .ico files of distinct colours; returns their paths."""
    os.makedirs(folder, exist_ok=True)
    paths = []
    for i in range(count):
        path = os.path.join(folder, f"icon{i}.ico")
        colour = ICON_COLOURS[i % len(ICON_COLOURS)]
        subprocess.run(["convert", "-size", "32x32", f"xc:{colour}", "-fill", "white",
                        "-draw", f"circle 16,16 16,{6 + i % 8}", path], check=True,
                       capture_output=True)
        paths.append(path)
    return paths


def program(record_no, major, minor, slot, minor_name, title, use_counter, exe_path,
            description="", name=None):
    return {
        "name": name or os.path.splitext(os.path.basename(exe_path))[0] + f"_{record_no}",
        "exePath": exe_path,
        "recordNo": record_no,
        "major": major, "minor": minor, "slot": slot,
        "majorName": MAJOR_NAMES[major] if major < 5 else "",
        "minorName": minor_name,
        "title": title,
        "useCounter": use_counter,
        "description": description,
    }


def network_shown(position):
    """What the windows show for minor position `position` of "网络": (name, [caption of each
    slot]) where a caption is the title, or the program's name when it has no title."""
    name, entries = NETWORK_MINORS[position]
    return name, [e[0] or e[2] for e in entries]


def network_programs(icon_paths):
    """The "网络" catalogue above plus one program in "办公" so another tile has an icon."""
    progs = []
    rec = 0
    for pos, (minor_name, entries) in enumerate(NETWORK_MINORS):
        for slot, (title, count, *name) in enumerate(entries):
            rec += 1
            progs.append(program(rec, NETWORK, pos, slot, minor_name, title, count,
                                 icon_paths[pos % len(icon_paths)], f"说明{rec}",
                                 name[0] if name else None))
    rec += 1
    progs.append(program(rec, 0, 0, 0, "业务", "办公之一", 3, icon_paths[0], "办公说明"))
    return progs


def full_catalogue(icon_paths, count=755):
    """`count` programs spread over the five named major categories, 25 to a minor category
    and ordered by use, each with an icon file of its own."""
    progs = []
    rec = 0
    for major in range(5):
        for minor in range(5):
            for slot in range(25):
                if rec >= count:
                    return progs
                rec += 1
                use = 1000 - minor * 100 - slot * 2
                progs.append(program(rec, major, minor, slot, MINOR_NAMES[major][minor],
                                     f"程序{rec}", use, icon_paths[rec - 1], f"说明{rec}"))
    # 5 × 5 × 25 = 625 places in the named categories; the rest fill places in major 5 and 6,
    # which the program loads but never shows.
    for major in (5, 6):
        for minor in range(5):
            for slot in range(25):
                if rec >= count:
                    return progs
                rec += 1
                progs.append(program(rec, major, minor, slot, "", f"程序{rec}", 1,
                                     icon_paths[rec - 1]))
    return progs


def prepare_network(folder, start_mode=1, settings=None):
    """Program folder with the "网络" catalogue, auto-hide off at start; `settings` gives other
    values to any of the keys of 基本设置.ini (the hide delays are 3000 and 1000 otherwise)."""
    icons = make_icons(os.path.join(folder, "test-icons"))
    progs = network_programs(icons)
    write_programs(folder, progs)
    values = {"启动": start_mode, "ycount": len(progs), "zhcount": 0,
              "wcount": 0, "主窗口": 3000, "分类窗口": 1000}
    values.update(settings or {})
    write_settings(folder, values)
    return progs


def prepare_full(folder, count=755, start_mode=1):
    """Program folder with `count` programs, each with its own .ico file."""
    base = make_icons(os.path.join(folder, "test-icons"))
    icons = []
    for i in range(count):
        path = os.path.join(folder, "test-icons", f"p{i + 1}.ico")
        shutil.copyfile(base[i % len(base)], path)
        icons.append(path)
    progs = full_catalogue(icons, count)
    write_programs(folder, progs)
    write_settings(folder, {"启动": start_mode, "ycount": len(progs), "zhcount": 0,
                            "wcount": 0, "主窗口": 3000, "分类窗口": 1000})
    return progs
