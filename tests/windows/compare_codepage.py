#!/usr/bin/env python3
"""Every one- and two-byte sequence of code page 936 converted both ways by the Windows calls
(under wine) and by the store's tables (the Linux build's and the Windows build's); every
difference is reported and fails the test.

Usage: compare_codepage.py LINUX_TABLE WINE WINDOWS_TABLE_EXE
"""

import subprocess
import sys

def table(command):
    out = subprocess.run(command, check=True, capture_output=True).stdout.decode()
    rows = {}
    for line in out.splitlines():
        seq, cp, back = line.split()
        rows[seq] = (cp, back)
    return rows


def main():
    linux_table, wine, windows_table = sys.argv[1:4]
    system = table([wine, windows_table, "system"])
    stores = {"Linux": table([linux_table]), "Windows": table([wine, windows_table])}
    failed = False
    for name, store in stores.items():
        if store.keys() != system.keys():
            print(f"{name}: the tables cover different sequences")
            return 1
        differ = 0
        for seq, want in system.items():
            got = store[seq]
            if got != want:
                differ += 1
                print(f"{name} {seq}: Windows {want[0]} -> {want[1]}, store {got[0]} -> {got[1]}")
        print(f"{name} store against Windows: {len(system)} sequences, "
              f"{len(system) - differ} agree, {differ} differ")
        failed = failed or differ > 0
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
