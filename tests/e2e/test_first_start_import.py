#!/usr/bin/python3
"""A first start with an empty catalogue on a machine with applications: the program asks once
whether to file them; yes files each by its desktop entry's categories under its Name and says
how many, and a restart does not ask again. The icons follow the desktop: one that exists only as
SVG in the user's chosen theme (not hicolor) is drawn, and one that exists only at 16 px fills
its box."""

import os
import struct
import subprocess
import zlib

from harness import Session, check, check_equal, run_test, wait_until
import screens
from screens import click_node, one

QUESTION = "分类中还没有软件。要把本机已安装的应用程序按类别加入分类吗？"

# file id: (Name lines, Categories, where it is filed: (major, minor), name filed)
ENTRIES = {
    "writer": ("Name=Writer\nName[zh_CN]=文字处理", "Office;WordProcessor;", ("办公", "业务"), "文字处理"),
    "chess": ("Name=国际象棋\nIcon=qbx-svg-chess", "Game;BoardGame;", ("娱乐", "游戏"), "国际象棋"),
    "music": ("Name=Music\nIcon=qbx-tiny-music", "AudioVideo;Audio;Player;", ("娱乐", "音乐"), "Music"),
    "browser": ("Name=浏览器", "Network;WebBrowser;", ("网络", "网页"), "浏览器"),
    "studio": ("Name=Studio", "Development;IDE;", ("学习", "电脑"), "Studio"),
    "console": ("Name=终端", "System;TerminalEmulator;", ("系统", "管理"), "终端"),
    "notes": ("Name=Notes", "Utility;TextEditor;", ("系统", "其它"), "Notes"),
}


RED, GREEN = (255, 0, 0), (0, 200, 0)


def png(path, size, rgb):
    """A square, opaque PNG of one colour."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\x00" + bytes(rgb) * size for _ in range(size))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def write_icons(s):
    """The user's chosen theme (GTK's setting) holds an icon only as SVG; hicolor holds another
    only at 16 px."""
    icons = os.path.join(s.tmp, "share", "icons")
    theme = os.path.join(icons, "QbxChosen")
    os.makedirs(os.path.join(theme, "scalable", "apps"), exist_ok=True)
    with open(os.path.join(theme, "index.theme"), "w") as f:
        f.write("[Icon Theme]\nName=QbxChosen\nInherits=hicolor\nDirectories=scalable/apps\n\n"
                "[scalable/apps]\nSize=48\nMinSize=8\nMaxSize=512\nType=Scalable\n")
    with open(os.path.join(theme, "scalable", "apps", "qbx-svg-chess.svg"), "w") as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">'
                '<rect width="48" height="48" fill="#ff0000"/></svg>')
    tiny = os.path.join(icons, "hicolor", "16x16", "apps")
    os.makedirs(tiny, exist_ok=True)
    png(os.path.join(tiny, "qbx-tiny-music.png"), 16, GREEN)
    gtk = os.path.join(s.env["XDG_CONFIG_HOME"], "gtk-3.0")
    os.makedirs(gtk, exist_ok=True)
    with open(os.path.join(gtk, "settings.ini"), "w") as f:
        f.write("[Settings]\ngtk-icon-theme-name=QbxChosen\n")


def share_of(s, rect, rgb):
    """The share of the screen's pixels inside `rect` that have (about) the colour `rgb`."""
    x, y, w, h = rect
    raw = subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "-depth", "8",
                          "rgb:-"], env=s.env, capture_output=True, timeout=30, check=True).stdout
    pixels = [raw[i:i + 3] for i in range(0, len(raw) - 2, 3)]
    near = [p for p in pixels if all(abs(a - b) <= 40 for a, b in zip(p, rgb))]
    return len(near) / max(len(pixels), 1)


def write_entries(s):
    apps = os.path.join(s.tmp, "share", "applications")
    os.makedirs(apps, exist_ok=True)
    for file_id, (names, categories, _, _) in ENTRIES.items():
        with open(os.path.join(apps, file_id + ".desktop"), "w") as f:
            f.write(f"[Desktop Entry]\nType=Application\n{names}\nExec=/bin/true\n"
                    f"Categories={categories}\n")
    # Not listed in the menus: not filed.
    with open(os.path.join(apps, "helper.desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Helper\nExec=/bin/true\nNoDisplay=true\n"
                "Categories=Game;\n")
    return apps


def body(app_dir, artifacts):
    with Session("first_start_import", app_dir, artifacts) as s:
        apps = write_entries(s)
        write_icons(s)
        s.start_qbx()
        main = s.wait_main_window()
        one(s, "label", QUESTION, timeout=20)
        s.screenshot("question")
        click_node(s, one(s, "push button", "确定"))
        wait_until(lambda: not screens.named(s, QUESTION), 10, "the question to close")
        told = one(s, "label", f"已把{len(ENTRIES)}个应用程序加入分类。")
        s.screenshot("told")
        click_node(s, one(s, "push button", "确定"))
        wait_until(lambda: not screens.named(s, told.name), 10, "the message to close")

        data = wait_until(lambda: (lambda d: d if d["settings"]["ycount"] == len(ENTRIES) else None)(
            s.dump_data()), 10, "every application to be filed")
        filed = {e["exePath"]: e for e in data["catalogue"]}
        for file_id, (_, _, (major, minor), name) in ENTRIES.items():
            e = filed.get(os.path.join(apps, file_id + ".desktop"))
            check(e is not None, f"{file_id} was not filed: {sorted(filed)}")
            check_equal((e["majorName"], e["minorName"].strip(), e["name"], e["title"], e["useCounter"]),
                        (major, minor, name, name[:5], 1), f"the record of {file_id}")
        check(not [e for e in data["catalogue"] if e["name"] == "Helper"], "a hidden entry was filed")
        with open(os.path.join(s.prog, "基本设置.ini"), encoding="gbk") as f:
            check("应用程序导入=1" in f.read().replace(" ", ""), "the answer kept in the settings file")

        # The tiles show their new favourites, named as filed.
        face = screens.client_geometry(s, main)
        wait_until(lambda: [n for n in screens.program_icons(s, screens.tile_node(s, 0).rect)
                            if n.name == "文字处理"], 10, "tile 办公 to show 文字处理")
        s.screenshot("filed")

        # The entertainment pop-up: the SVG-only icon is drawn, the 16 px icon fills its box.
        screens.open_popup(s, face, 1, arrow_on_right=True)
        popup = screens.wait_popup(s)
        for title, colour in (("国际象棋", RED), ("Music", GREEN)):
            icon = wait_until(lambda: [n for n in screens.program_icons(s, popup.rect) if n.name == title],
                              10, f"the pop-up to show {title}")[0]
            # At least 60% of the 32 px box: a 16 px icon left unscaled covers 25%, none 0%.
            wait_until(lambda: share_of(s, icon.rect, colour) >= 0.6, 5,
                       f"the icon of {title} to fill its box")
        s.screenshot("icons-in-popup")

        s.qbx.terminate()
        s.qbx.wait(10)
        s.start_qbx()
        s.wait_main_window()
        screens.tile_node(s, 0)
        try:
            wait_until(lambda: screens.named(s, QUESTION), 3, "a second question")
        except AssertionError:
            pass
        else:
            raise AssertionError("the question came again after a restart")
        check_equal(s.dump_data()["settings"]["ycount"], len(ENTRIES), "the count after a restart")
        s.screenshot("restarted")


if __name__ == "__main__":
    run_test(body)
