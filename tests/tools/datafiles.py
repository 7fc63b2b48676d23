#!/usr/bin/env python3
"""Writes Quillbox data folders from a Python description, independently of the program's code.

The three data files hold fixed-length records: record n starts at byte (n - 1) * length.
A record is its fields in order, without padding: strings as a 16-bit little-endian byte count
followed by GBK text, integers little-endian two's complement, reserved blocks as raw bytes.

    yfrj.dat / wfrj.dat (450 bytes): name, exePath, reserved1 (i32), reserved2, reserved3,
        reserved4 (8 bytes each), recordNo (i32), major, minor, slot (i16), majorName,
        minorName, title, useCounter (i32), description, reserved5 (8 bytes)
    zhrj.dat (180 bytes): name, useCounter (i32), recordNo (i32), programs (5 x i32),
        programCount (i16), description, group, position (i16), groupName

The settings file 基本设置.ini is a Windows INI file in GBK with CRLF line ends.

API (every text may be given as str, encoded to GBK, or as bytes, written as they are):

    write_program(path, recno, **fields)       one record of yfrj.dat (or wfrj.dat)
    write_unclassified(path, recno, **fields)  the same record type, for wfrj.dat
    write_combo(path, recno, **fields)         one record of zhrj.dat
    write_ini(path, {section: {key: value}})   the whole settings file
    write_raw(path, recno, length, data)       any bytes at a record's place
    program_record(**fields) / combo_record(**fields)   the bytes of one record

Fields not given are empty / zero; recordNo defaults to recno. A record longer than its length
raises ValueError unless cut=True, which keeps only its first `length` bytes (a damaged record).

CLI:  python3 datafiles.py DIR < description.json
    {"programs": [{"recno": 1, "name": "记事本", "exePath": "...", ...}],
     "unclassified": [...], "combos": [...],
     "ini": {"基本设置": {"ycount": " 1"}}}
"""

import json
import os
import struct
import sys

PROGRAM_LENGTH = 450
COMBO_LENGTH = 180

PROGRAM_FILE = "yfrj.dat"
UNCLASSIFIED_FILE = "wfrj.dat"
COMBO_FILE = "zhrj.dat"
SETTINGS_FILE = "基本设置.ini"

PROGRAM_FIELDS = ("name", "exePath", "reserved1", "reserved2", "reserved3", "reserved4", "recordNo",
                  "major", "minor", "slot", "majorName", "minorName", "title", "useCounter",
                  "description", "reserved5")
COMBO_FIELDS = ("name", "useCounter", "recordNo", "programs", "programCount", "description",
                "group", "position", "groupName")


def _text(value):
    if isinstance(value, bytes):
        return value
    return str(value).encode("gbk")


def _string(value):
    data = _text(value if value is not None else "")
    return struct.pack("<H", len(data) & 0xFFFF) + data


def _block(value):
    """An 8-byte reserved block: bytes, a hex string or an integer (little-endian)."""
    if value is None:
        return bytes(8)
    if isinstance(value, int):
        return struct.pack("<Q", value & 0xFFFFFFFFFFFFFFFF)
    data = bytes.fromhex(value) if isinstance(value, str) else bytes(value)
    if len(data) != 8:
        raise ValueError("a reserved block has 8 bytes")
    return data


def _i16(v):
    return struct.pack("<h", int(v))


def _i32(v):
    return struct.pack("<i", int(v))


def _check(fields, known):
    unknown = set(fields) - set(known) - {"recno", "cut"}
    if unknown:
        raise ValueError("unknown fields: " + ", ".join(sorted(unknown)))


def program_record(**f):
    _check(f, PROGRAM_FIELDS)
    return b"".join([
        _string(f.get("name")), _string(f.get("exePath")),
        _i32(f.get("reserved1", 0)),
        _block(f.get("reserved2")), _block(f.get("reserved3")), _block(f.get("reserved4")),
        _i32(f.get("recordNo", 0)),
        _i16(f.get("major", 0)), _i16(f.get("minor", 0)), _i16(f.get("slot", 0)),
        _string(f.get("majorName")), _string(f.get("minorName")), _string(f.get("title")),
        _i32(f.get("useCounter", 0)),
        _string(f.get("description")),
        _block(f.get("reserved5")),
    ])


def combo_record(**f):
    _check(f, COMBO_FIELDS)
    programs = list(f.get("programs", []))
    if len(programs) > 5:
        raise ValueError("a combination has five member places")
    programs += [0] * (5 - len(programs))
    return b"".join([
        _string(f.get("name")),
        _i32(f.get("useCounter", 0)), _i32(f.get("recordNo", 0)),
        b"".join(_i32(p) for p in programs),
        _i16(f.get("programCount", 0)),
        _string(f.get("description")),
        _i16(f.get("group", 0)), _i16(f.get("position", 0)),
        _string(f.get("groupName")),
    ])


def write_raw(path, recno, length, data):
    """Writes `data` (at most `length` bytes, the rest of the record zero) as record `recno`."""
    if recno < 1:
        raise ValueError("record numbers start at 1")
    if len(data) > length:
        raise ValueError("record longer than %d bytes" % length)
    data = bytes(data) + bytes(length - len(data))
    mode = "r+b" if os.path.exists(path) else "w+b"
    with open(path, mode) as f:
        f.seek((recno - 1) * length)
        f.write(data)


def _write(path, recno, length, data, cut):
    if len(data) > length and cut:
        data = data[:length]
    write_raw(path, recno, length, data)


def write_program(path, recno, cut=False, **fields):
    fields.setdefault("recordNo", recno)
    _write(path, recno, PROGRAM_LENGTH, program_record(**fields), cut)


write_unclassified = write_program


def write_combo(path, recno, cut=False, **fields):
    fields.setdefault("recordNo", recno)
    _write(path, recno, COMBO_LENGTH, combo_record(**fields), cut)


def write_ini(path, sections):
    """{section: {key: value}}; an int value is written as Windows writes it (" 12", "-3")."""
    lines = []
    for section, keys in sections.items():
        lines.append(b"[" + _text(section) + b"]")
        for key, value in keys.items():
            if isinstance(value, int):
                value = (" %d" % value) if value >= 0 else ("%d" % value)
            lines.append(_text(key) + b"=" + _text(value))
    with open(path, "wb") as f:
        f.write(b"".join(line + b"\r\n" for line in lines))


def write_folder(folder, description):
    """Writes the files a description names (see the CLI) into `folder`."""
    os.makedirs(folder, exist_ok=True)
    for key, filename, writer in (("programs", PROGRAM_FILE, write_program),
                                  ("unclassified", UNCLASSIFIED_FILE, write_unclassified),
                                  ("combos", COMBO_FILE, write_combo)):
        for rec in description.get(key, []):
            rec = dict(rec)
            writer(os.path.join(folder, filename), rec.pop("recno"), **rec)
    if "ini" in description:
        write_ini(os.path.join(folder, SETTINGS_FILE), description["ini"])


def main(argv):
    if len(argv) != 2 or argv[1] in ("-h", "--help"):
        print(__doc__)
        return 2
    write_folder(argv[1], json.load(sys.stdin))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
