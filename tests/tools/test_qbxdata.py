#!/usr/bin/env python3
"""qbx-data against data folders written by datafiles.py (which shares no code with it).

Usage: test_qbxdata.py QBX_DATA [unittest arguments]
"""

import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import datafiles as df  # noqa: E402

QBX_DATA = None

ZERO8 = "0000000000000000"


def program(recno, **f):
    """A filed program with every field set, recordNo = recno unless given."""
    e = dict(name="p%d" % recno, exePath="C:\\Apps\\p%d.exe" % recno, reserved1=0,
             reserved2=ZERO8, reserved3=ZERO8, reserved4=ZERO8, recordNo=recno,
             major=0, minor=0, slot=0, majorName="办公", minorName="业务", title="",
             useCounter=1, description="", reserved5=ZERO8)
    e.update(f)
    return e


def combo(recno, **f):
    c = dict(name="c%d" % recno, useCounter=1, recordNo=recno, programs=[0, 0, 0, 0, 0],
             programCount=0, description="", group=0, position=0, groupName="组")
    c.update(f)
    return c


class Folder:
    def __init__(self):
        self.path = tempfile.mkdtemp(prefix="qbx-data-")

    def file(self, name):
        return os.path.join(self.path, name)

    def programs(self, *entries):
        for e in entries:
            e = dict(e)
            df.write_program(self.file(df.PROGRAM_FILE), e.pop("recno", e["recordNo"]), **e)

    def combos(self, *entries):
        for c in entries:
            c = dict(c)
            df.write_combo(self.file(df.COMBO_FILE), c.pop("recno", c["recordNo"]), **c)

    def ini(self, sections):
        df.write_ini(self.file(df.SETTINGS_FILE), sections)

    def run(self, command):
        p = subprocess.run([QBX_DATA, command, self.path], capture_output=True, timeout=60)
        return p.returncode, p.stdout.decode("utf-8")

    def dump(self):
        rc, out = self.run("dump")
        assert rc == 0, out
        return json.loads(out)

    def problems(self):
        rc, out = self.run("check")
        lines = [line for line in out.splitlines() if line]
        assert rc == (1 if lines else 0), (rc, out)
        return lines

    def close(self):
        shutil.rmtree(self.path, ignore_errors=True)


class WithFolder(unittest.TestCase):
    def setUp(self):
        self.f = Folder()

    def tearDown(self):
        self.f.close()


class WriterLayout(unittest.TestCase):
    """The writer itself, pinned to bytes worked out by hand."""

    def test_program_record(self):
        r = df.program_record(name="ab", exePath="", recordNo=3, major=1, minor=-1, slot=24,
                              minorName="其它 ", useCounter=-1, reserved1=0x01020304)
        expected = bytes.fromhex(
            "02006162" "0000" "04030201" + "00" * 24 + "03000000" "0100" "ffff" "1800"
            "0000" "0500" "c6e4cbfc20" "0000" "ffffffff" "0000" + "00" * 8)
        self.assertEqual(r, expected)
        self.assertEqual(len(df.program_record()), 62)

    def test_combo_record(self):
        r = df.combo_record(name="x", useCounter=2, recordNo=5, programs=[7, 8], programCount=2,
                            group=4, position=1, groupName="工作")
        expected = bytes.fromhex(
            "010078" "02000000" "05000000" "07000000" "08000000" + "00" * 12 + "0200" "0000"
            "0400" "0100" "0400b9a4d7f7")
        self.assertEqual(r, expected)
        self.assertEqual(len(df.combo_record()), 40)

    def test_ini(self):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "s.ini")
            df.write_ini(path, {"基本设置": {"ycount": 12, "启动": -3, "x": "7abc"}})
            with open(path, "rb") as f:
                self.assertEqual(f.read(), "[基本设置]\r\nycount= 12\r\n启动=-3\r\nx=7abc\r\n".encode("gbk"))


class Dump(WithFolder):
    def test_every_field_as_start_up_loads_it(self):
        a = program(1, name="记事本", exePath="C:\\Windows\\notepad.exe", title='写"字"\t板',
                    description="说明\n第二行", useCounter=7, reserved1=-5, reserved2="0102030405060708",
                    reserved5="ffffffffffffffff")
        b = program(2, major=1, minor=4, slot=24, majorName="娱乐", minorName="其它 ", useCounter=1)
        moved = program(3, recordNo=40, major=2, minor=0, slot=0, minorName="通信", useCounter=3)
        loser = program(4, major=2, minor=0, slot=0, minorName="文传")   # same place, lower record
        winner = program(5, major=2, minor=0, slot=0, minorName="网页")  # higher record wins
        no_path = program(6, exePath="", major=3)
        bad = program(7, major=7)
        beyond = program(776, major=4)
        self.f.programs(a, b, dict(moved, recno=3), loser, winner, no_path, bad, beyond)
        self.f.combos(combo(1, name="晨间", programs=[1, 2], programCount=2, description="记事本+",
                            useCounter=4, group=0, position=0, groupName="工作"),
                      combo(2, group=3, position=24, groupName="杂项"),
                      combo(3, groupName=""),
                      combo(26, group=1, position=1))
        df.write_unclassified(self.f.file(df.UNCLASSIFIED_FILE), 1, name="旧", exePath="C:\\old.exe",
                              useCounter=-1, major=4)
        df.write_unclassified(self.f.file(df.UNCLASSIFIED_FILE), 2)
        self.f.ini({"基本设置": {"启动": 3, "ycount": 4, "zhcount": 2, "wcount": 2},
                    "自动隐藏时间": {"主窗口": 2500, "分类窗口": 800}})

        d = self.f.dump()
        self.assertEqual(d["settings"], dict(startMode=3, mainHideDelayMs=2500, categoryHideDelayMs=800,
                                             ycount=4, zhcount=2, wcount=2))
        # Placed entries in (major, minor, slot) order, with all their fields.
        self.assertEqual(d["catalogue"], [a, b, dict(winner)])
        self.assertEqual(d["combos"], [
            combo(1, name="晨间", programs=[1, 2, 0, 0, 0], programCount=2, description="记事本+",
                  useCounter=4, group=0, position=0, groupName="工作"),
            combo(2, group=3, position=24, groupName="杂项")])
        self.assertEqual(len(d["unclassified"]), 2)
        self.assertEqual(d["unclassified"][0], dict(program(1, name="旧", exePath="C:\\old.exe",
                                                            useCounter=-1, major=4, majorName="",
                                                            minorName=""), index=1))
        self.assertEqual(d["unclassified"][1]["name"], "")
        self.assertEqual(d["unclassified"][1]["recordNo"], 2)
        # Major 0: "业务" at 0, the rest take 1-4; major 1: "其它 " (index 4) at 4, the rest from 0;
        # major 2: "网页" (index 1) at 0.
        self.assertEqual(d["slotMap"][0], [0, 1, 2, 3, 4])
        self.assertEqual(d["slotMap"][1], [0, 1, 2, 3, 4])
        self.assertEqual(d["slotMap"][2], [1, 0, 2, 3, 4])
        self.assertEqual(d["slotMap"][3], [0, 1, 2, 3, 4])
        self.assertEqual(d["minorNames"][1][4], "其它 ")

    def test_minor_categories_ordered_by_use(self):
        self.f.programs(program(1, major=4, minor=0, minorName="测试", useCounter=9),
                        program(2, major=4, minor=1, minorName="桌面", useCounter=5))
        d = self.f.dump()
        self.assertEqual(d["slotMap"][4], [1, 2, 3, 0, 4])

    def test_empty_folder_loads_defaults_and_stays_empty(self):
        d = self.f.dump()
        self.assertEqual(d["settings"], dict(startMode=1, mainHideDelayMs=3000, categoryHideDelayMs=1000,
                                             ycount=0, zhcount=0, wcount=0))
        self.assertEqual(d["catalogue"], [])
        self.assertEqual(d["combos"], [])
        self.assertEqual(d["unclassified"], [])
        self.assertEqual(os.listdir(self.f.path), [])

    def test_version(self):
        p = subprocess.run([QBX_DATA, "--version"], capture_output=True, timeout=60)
        self.assertEqual((p.returncode, p.stdout), (0, b"qbx-data 0.8.0\n"))

    def test_default_folder_is_the_programs_own(self):
        shutil.copy(QBX_DATA, self.f.file("qbx-data"))
        self.f.programs(program(1, name="自己"))
        p = subprocess.run([self.f.file("qbx-data"), "dump"], capture_output=True, timeout=60)
        self.assertEqual(p.returncode, 0)
        self.assertEqual(json.loads(p.stdout)["catalogue"][0]["name"], "自己")


class Check(WithFolder):
    def counts(self, y=0, z=0, w=0, **more):
        self.f.ini({"基本设置": dict({"ycount": y, "zhcount": z, "wcount": w}, **more)})

    def test_clean_folder(self):
        self.f.programs(program(1), program(2, slot=1))
        self.f.combos(combo(1))
        self.counts(2, 1)
        self.assertEqual(self.f.problems(), [])

    def test_each_kind_of_problem(self):
        unclassified = self.f.file(df.UNCLASSIFIED_FILE)
        cases = [
            (lambda: self.f.programs(program(1), dict(program(2, slot=1, recordNo=1), recno=2)),
             "catalogue (0, 0, 1) and (0, 0, 0) share recordNo 1"),
            (lambda: self.f.combos(combo(1), dict(combo(2, position=1, recordNo=1), recno=2)),
             "combination (0, 1) and (0, 0) share recordNo 1"),
            (lambda: self.f.programs(program(1), program(2)),
             "yfrj.dat record 2 and record 1 claim the same place (0, 0, 0)"),
            (lambda: self.f.combos(combo(1), combo(2)), "zhrj.dat record 2 and record 1 claim the same place (0, 0)"),
            (lambda: self.f.programs(program(1, slot=25)), "yfrj.dat record 1: indices (0, 0, 25) out of range"),
            (lambda: self.f.programs(program(1, major=-1)), "yfrj.dat record 1: indices (-1, 0, 0) out of range"),
            (lambda: self.f.combos(combo(1, group=5)), "zhrj.dat record 1: indices (5, 0) out of range"),
            (lambda: self.f.programs(dict(program(1, recordNo=900), recno=1)), "has recordNo 900, outside"),
            (lambda: self.f.programs(program(1, title=b"\xff\xfe")), "yfrj.dat record 1: text is not valid GBK"),
            # the description's count runs past the end of the record
            (lambda: self.f.programs(program(1, description="x" * 389, cut=True)), "too long to be written back"),
            (lambda: df.write_unclassified(unclassified, 1, recordNo=4), "wfrj.dat record 1: recordNo 4 differs"),
            (lambda: self.f.programs(dict(program(1, recordNo=7), recno=3)), "yfrj.dat record 3: recordNo 7 differs"),
            (lambda: self.f.combos(dict(combo(1, recordNo=2), recno=1)), "zhrj.dat record 1: recordNo 2 differs"),
            # What a killed run leaves: a journal (any bytes: not a complete one), a settings temp file.
            (lambda: open(self.f.file("yfrj.dat-journal"), "wb").write(b"QBXJ"),
             "yfrj.dat-journal: an incomplete journal, to be dropped at start-up"),
            (lambda: open(self.f.file(".~基本设置.ini.Ab12Cd"), "wb").write(b""),
             ".~基本设置.ini.Ab12Cd: a stale temporary file"),
        ]
        for make, expected in cases:
            with self.subTest(expected=expected):
                self.f.close()
                self.f = Folder()
                unclassified = self.f.file(df.UNCLASSIFIED_FILE)
                make()
                self.counts(1 if os.path.exists(self.f.file(df.PROGRAM_FILE)) else 0,
                            1 if os.path.exists(self.f.file(df.COMBO_FILE)) else 0,
                            1 if os.path.exists(unclassified) else 0)
                problems = self.f.problems()
                self.assertTrue(any(expected in p for p in problems), problems)

    def test_settings(self):
        self.f.programs(program(1))
        self.f.combos(combo(1), combo(2, position=1))
        self.f.ini({"基本设置": {"启动": 7, "ycount": 3, "zhcount": 1, "wcount": "40000"},
                    "自动隐藏时间": {"主窗口": 0, "分类窗口": "-5"}})
        problems = self.f.problems()
        for expected in ("startMode 7 is not 1-4", "mainHideDelayMs 0 is not positive",
                         "categoryHideDelayMs 0 is not positive", "wcount: value above 32767",
                         "ycount 3 but 1 programs", "zhcount 1 but 2 combination"):
            self.assertTrue(any(expected in p for p in problems), (expected, problems))
        self.counts(-1, 0, 3)  # a negative count reads as 0
        self.assertEqual(self.f.problems(), ["settings wcount 3 is larger than the 0 records of wfrj.dat",
                                             "settings ycount 0 but 1 programs are filed",
                                             "settings zhcount 0 but 2 combination records are in use"])

    def test_unreadable_folder(self):
        p = subprocess.run([QBX_DATA, "check", self.f.file("missing")], capture_output=True, timeout=60)
        self.assertEqual(p.returncode, 2)
        with open(self.f.file("plain"), "w") as out:
            out.write("x")
        p = subprocess.run([QBX_DATA, "dump", self.f.file("plain")], capture_output=True, timeout=60)
        self.assertEqual(p.returncode, 2)


class Garbage(WithFolder):
    def test_random_files_never_crash_it(self):
        rng = random.Random(1208)
        names = (df.PROGRAM_FILE, df.UNCLASSIFIED_FILE, df.COMBO_FILE, df.SETTINGS_FILE)
        for round_ in range(12):
            for name in names:
                size = rng.choice((0, 1, 61, 450, 4000, 360000))
                data = bytes(rng.choice((0, 0, 1, 0xff, rng.randrange(256))) for _ in range(size))
                if name == df.SETTINGS_FILE:
                    data = b"[\xbb\xf9\xb1\xbe\xc9\xe8\xd6\xc3]\r\nwcount=" + str(rng.randrange(0, 40000)).encode() + \
                        b"\r\n" + data[:200]
                with open(self.f.file(name), "wb") as out:
                    out.write(data)
            for command in ("check", "dump"):
                rc, out = self.f.run(command)
                self.assertIn(rc, (0, 1), (round_, command))
                if command == "dump":
                    json.loads(out)


if __name__ == "__main__":
    QBX_DATA = os.path.abspath(sys.argv.pop(1))
    unittest.main()
