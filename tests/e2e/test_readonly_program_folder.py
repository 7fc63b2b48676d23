#!/usr/bin/python3
"""An install the user cannot write to (the program folder mounted read-only): the data files
shipped with it are copied into $XDG_DATA_HOME/quillbox on the first start, a start of a program
counts there, and after a restart the count is still there. The program folder itself is never
changed, and the qbx-data beside the program reads the same folder without being told."""

import json
import os
import subprocess

import fixtures
from harness import Session, check, check_equal, run_test, wait_until
import screens
from screens import click_node


def prepare(folder):
    fixtures.prepare_network(folder, start_mode=1)
    script = os.path.join(folder, "progs", "office.sh")
    fixtures.write_marker_script(script, os.path.join(os.path.dirname(folder), "marker-office"))
    progs = fixtures.network_programs([os.path.join(folder, "test-icons", "icon0.ico")])
    progs[-1]["exePath"] = script
    fixtures.write_programs(folder, progs)


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def dump(s, *args):
    r = subprocess.run([os.path.join(s.prog, "qbx-data"), "dump", *args], capture_output=True,
                       env=s.env, timeout=30)
    check_equal(r.returncode, 0, f"qbx-data dump status ({r.stderr.decode(errors='replace')})")
    return json.loads(r.stdout)


def office_count(data):
    return [e["useCounter"] for e in data["catalogue"] if e["major"] == 0][0]


def body(app_dir, artifacts):
    with Session("readonly_program_folder", app_dir, artifacts, prepare=prepare) as s:
        # qbx-data lives beside the program, as in an install.
        subprocess.run(["cp", os.path.join(app_dir, "qbx-data"), s.prog], check=True)
        shipped = file_bytes(os.path.join(s.prog, "yfrj.dat"))
        data_dir = os.path.join(s.env["XDG_DATA_HOME"], "quillbox")
        subprocess.run(["mount", "--bind", s.prog, s.prog], check=True)
        try:
            subprocess.run(["mount", "-o", "remount,bind,ro", s.prog], check=True)
            s.start_qbx()
            main = s.wait_main_window()
            check(os.path.isfile(os.path.join(data_dir, "yfrj.dat")),
                  f"the data files were prepared in {data_dir}")
            check_equal(file_bytes(os.path.join(data_dir, "yfrj.dat")), shipped,
                        "the user's catalogue starts as the shipped one")
            s.screenshot("started-read-only")
            before = office_count(dump(s))

            click_node(s, screens.tile_node(s, 0))
            marker = os.path.join(s.tmp, "marker-office")
            wait_until(lambda: os.path.exists(marker), 10, "the office program to start")
            wait_until(lambda: office_count(dump(s)) == before + 1, 10,
                       "the start to be counted in the user's data folder")
            check_equal(office_count(dump(s, data_dir)), before + 1, "count read from the folder named")

            s.qbx.terminate()
            s.qbx.wait(10)
            s.start_qbx()
            s.wait_main_window()
            s.screenshot("restarted")
            check_equal(office_count(dump(s)), before + 1, "count after a restart")
            check_equal(file_bytes(os.path.join(s.prog, "yfrj.dat")), shipped,
                        "the program folder's catalogue")
            s.qbx.terminate()
            s.qbx.wait(10)
        finally:
            subprocess.run(["umount", s.prog])


if __name__ == "__main__":
    run_test(body)
