#!/usr/bin/python3
"""Damaged files do not keep the program from starting: a catalogue file of random bytes and
impossible lengths, a combination file cut short and a settings file with values that do not
fit still give the main window at the top-left corner, and the pop-up still opens."""

import os
import random
import struct

from harness import Session, check, check_equal, run_test
import screens


def damage(folder):
    rnd = random.Random(4711)
    junk = bytearray(rnd.getrandbits(8) for _ in range(450 * 40))
    # Record 1 claims a 65535-byte name; record 2 a place far outside the catalogue.
    junk[0:2] = struct.pack("<H", 0xFFFF)
    junk[450:452] = struct.pack("<H", 3)
    with open(os.path.join(folder, "yfrj.dat"), "wb") as f:
        f.write(bytes(junk))
    with open(os.path.join(folder, "zhrj.dat"), "wb") as f:
        f.write(b"\x30\x00" + b"\xff" * 57)
    with open(os.path.join(folder, "基本设置.ini"), "wb") as f:
        f.write("[基本设置]\r\n启动=99999\r\nycount=-7\r\nwcount=40000\r\n".encode("gbk")
                + b"\xff\xfe[\x81]\r\n[\xe8\x87\xaa\xe5]\r\nzhcount=abc\r\n"
                + "[自动隐藏时间]\r\n主窗口=0\r\n分类窗口=99999999999\r\n".encode("gbk"))


def body(app_dir, artifacts):
    with Session("mainwin_bad_files", app_dir, artifacts, prepare=damage) as s:
        s.start_qbx()
        main = s.wait_main_window()
        x, y, w, h = s.geometry(main)
        s.screenshot("started-with-damaged-files")
        check_equal((x, y), (0, 0), "main window position")
        geom = screens.client_geometry(s, main)
        screens.open_popup(s, geom, 2, arrow_on_right=True)
        popup = screens.wait_popup(s)
        check(popup.rect[0] >= x + w // 2, f"pop-up at {popup.rect} not right of the main window")
        s.screenshot("popup")
        s.check_running()


if __name__ == "__main__":
    run_test(body)
