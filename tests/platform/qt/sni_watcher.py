#!/usr/bin/python3
"""A StatusNotifierItem watcher and host on the session bus, as KDE Plasma and
XFCE run one. Starts a program in a fresh folder, waits for its item to
register, prints the item's Title, Id and IconName, ends the program with
SIGTERM and checks the title.

Run it on a private bus:
  dbus-run-session -- tests/platform/qt/sni_watcher.py --expect-title ケルモ -- build/kerumo
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
PROPERTIES = "org.freedesktop.DBus.Properties"


class Watcher(dbus.service.Object):
    def __init__(self, bus, on_item):
        self.bus_name = dbus.service.BusName(WATCHER, bus)
        super().__init__(self.bus_name, "/StatusNotifierWatcher")
        self.items = []
        self.on_item = on_item

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item names either its bus name or, on the sender's connection, its path.
        owner, path = (sender, service) if service.startswith("/") else (service, "/StatusNotifierItem")
        self.items.append(owner + path)
        self.StatusNotifierItemRegistered(owner + path)
        GLib.idle_add(self.on_item, owner, path)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    # Qt reads the properties through an interface built from introspection,
    # so they must be listed there, not only answered by Get.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s", path_keyword="object_path",
                         connection_keyword="connection")
    def Introspect(self, object_path, connection):
        xml = super().Introspect(object_path, connection)
        listed = "".join(f'<property name="{name}" type="{kind}" access="read"/>' for name, kind in (
            ("IsStatusNotifierHostRegistered", "b"), ("ProtocolVersion", "i"), ("RegisteredStatusNotifierItems", "as")))
        return xml.replace(f'<interface name="{WATCHER}">', f'<interface name="{WATCHER}">{listed}')

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
        }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--expect-title", required=True)
    parser.add_argument("--timeout", type=float, default=30)
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()

    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    loop = GLib.MainLoop()
    found = {}

    def on_item(owner, path):
        item = bus.get_object(owner, path)
        for name in ("Title", "Id", "IconName", "IconPixmap", "ToolTip"):
            try:
                found[name] = item.Get(ITEM, name, dbus_interface=PROPERTIES)
            except dbus.DBusException as error:
                found[name] = f"<{error.get_dbus_name()}>"
        loop.quit()
        return False

    Watcher(bus, on_item)
    folder = tempfile.mkdtemp(prefix="kerumo-sni-")
    try:
        run(args.command, folder, loop, args.timeout)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return check(found, args.expect_title)


def run(command, folder, loop, timeout):
    """Runs the program until its item is seen, then ends it with SIGTERM."""
    command = list(command)
    if os.sep in command[0]:
        command[0] = os.path.abspath(command[0])  # it starts in another folder
    program = subprocess.Popen(command, cwd=folder)
    GLib.timeout_add(int(timeout * 1000), loop.quit)
    GLib.child_watch_add(program.pid, lambda *_: loop.quit())
    loop.run()
    if program.poll() is None:
        program.send_signal(signal.SIGTERM)
        program.wait(timeout=30)


def check(found, expected_title):
    if not found:
        print("no StatusNotifierItem registered", file=sys.stderr)
        return 1
    tooltip = found["ToolTip"]
    pixmaps = [f"{w}x{h}" for w, h, _ in found["IconPixmap"]] if isinstance(found["IconPixmap"], dbus.Array) else []
    print(f"Title={found['Title']} Id={found['Id']} IconName={str(found['IconName'])!r} IconPixmap={pixmaps}",
          f"ToolTip={tooltip[2] if isinstance(tooltip, dbus.Struct) else tooltip}")
    if found["Title"] != expected_title:
        print(f"expected the title {expected_title}", file=sys.stderr)
        return 1
    if not str(found["IconName"]) and not pixmaps:
        print("the item has no icon", file=sys.stderr)
        return 1
    return 0

if __name__ == "__main__":
    sys.exit(main())
