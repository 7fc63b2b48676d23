"""Writes the data files and the settings file of a prepared program folder.

INTERIM: a minimal writer of its own until tests/tools/datafiles.py (the project's independent
writer of these files) is in the tree; then this module only forwards to it.
"""

import os
import struct

_GBK = "gbk"
PROGRAM_RECORD = 450


def _s(text):
    raw = (text or "").encode(_GBK)
    return struct.pack("<H", len(raw)) + raw


def encode_program(p):
    body = (_s(p["name"]) + _s(p["exePath"]) + struct.pack("<i", 0) + bytes(24)
            + struct.pack("<ihhh", p["recordNo"], p["major"], p["minor"], p["slot"])
            + _s(p["majorName"]) + _s(p["minorName"]) + _s(p["title"])
            + struct.pack("<i", p["useCounter"]) + _s(p["description"]) + bytes(8))
    if len(body) > PROGRAM_RECORD:
        raise ValueError(f"record {p['recordNo']} does not fit: {len(body)} bytes")
    return body.ljust(PROGRAM_RECORD, b"\0")


def write_programs(folder, programs, filename="yfrj.dat"):
    """Each program at its own recordNo of yfrj.dat."""
    last = max((p["recordNo"] for p in programs), default=0)
    data = bytearray(PROGRAM_RECORD * last)
    for p in programs:
        at = (p["recordNo"] - 1) * PROGRAM_RECORD
        data[at:at + PROGRAM_RECORD] = encode_program(p)
    with open(os.path.join(folder, filename), "wb") as f:
        f.write(bytes(data))


_SECTIONS = {"启动": "基本设置", "ycount": "基本设置", "zhcount": "基本设置",
             "wcount": "基本设置", "主窗口": "自动隐藏时间", "分类窗口": "自动隐藏时间"}


def write_settings(folder, values):
    """基本设置.ini as the program writes it: GBK, "key= value" with a blank before the number."""
    sections = {}
    for key, value in values.items():
        sections.setdefault(_SECTIONS[key], []).append(
            f"{key}={' ' if value >= 0 else ''}{value}")
    text = "".join(f"[{name}]\r\n" + "".join(line + "\r\n" for line in lines)
                   for name, lines in sections.items())
    with open(os.path.join(folder, "基本设置.ini"), "wb") as f:
        f.write(text.encode(_GBK))
