#!/usr/bin/python3
"""A stand-in file manager on the test's session bus: it owns org.freedesktop.FileManager1 and
writes each call it receives to a file, one line a call: the method and the URIs, tab-separated.
Usage: file_manager_standin.py RECORD_FILE. A line "ready" is written once the name is owned."""

import sys

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

NAME = "org.freedesktop.FileManager1"
XML = """
<node>
  <interface name="org.freedesktop.FileManager1">
    <method name="ShowFolders"><arg type="as" direction="in"/><arg type="s" direction="in"/></method>
    <method name="ShowItems"><arg type="as" direction="in"/><arg type="s" direction="in"/></method>
    <method name="ShowItemProperties"><arg type="as" direction="in"/><arg type="s" direction="in"/></method>
  </interface>
</node>
"""


def main(record):
    def write(line):
        with open(record, "a") as f:
            f.write(line + "\n")

    def on_call(_conn, _sender, _path, _iface, method, params, invocation):
        uris, _startup = params.unpack()
        write("\t".join([method, *uris]))
        invocation.return_value(None)

    def on_bus(conn, _name):
        info = Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0]
        conn.register_object("/org/freedesktop/FileManager1", info, on_call, None, None)

    loop = GLib.MainLoop()
    Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, on_bus,
                     lambda *_: write("ready"), lambda *_: loop.quit())
    loop.run()


if __name__ == "__main__":
    main(sys.argv[1])
