#!/usr/bin/env python3
"""`qbx-data.exe dump` under wine gives the same output as `qbx-data dump` on a folder the
Linux build wrote (its path given as a Windows path through wine's Z: drive).

Usage: compare_dump.py QBX_DATA WINE QBX_DATA_EXE SAMPLE_FOLDER_WRITER
"""

import subprocess
import sys
import tempfile


def main():
    qbx_data, wine, qbx_data_exe, writer = sys.argv[1:5]
    with tempfile.TemporaryDirectory(prefix="qbx-windump-") as folder:
        subprocess.run([writer, folder], check=True)
        linux = subprocess.run([qbx_data, "dump", folder], check=True, capture_output=True).stdout
        windows_path = "Z:" + folder.replace("/", "\\")
        windows = subprocess.run([wine, qbx_data_exe, "dump", windows_path], check=True,
                                 capture_output=True).stdout
    windows = windows.replace(b"\r\n", b"\n")
    if "画图\ue766".encode() not in linux:
        print("the sample folder lacks its private-use name:\n" + linux.decode(errors="replace"))
        return 1
    if linux != windows:
        print("qbx-data dump (Linux):\n" + linux.decode(errors="replace"))
        print("qbx-data.exe dump (wine):\n" + windows.decode(errors="replace"))
        return 1
    print(f"both dumps agree ({len(linux)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
