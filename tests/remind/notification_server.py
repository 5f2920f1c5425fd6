#!/usr/bin/python3
"""A notification service for the reminder's tests: takes org.freedesktop.Notifications on the session
bus, writes every Notify call as one JSON line (with the moment it came) to the file given, and invokes
an action when a line "ID ACTION" is written to the control file given second."""
import json
import os
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

log_path, control_path = sys.argv[1], sys.argv[2]


class Notifications(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.next_id = 0

    @dbus.service.method("org.freedesktop.Notifications", in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.next_id += 1
        with open(log_path, "a", encoding="utf-8") as log:
            log.write(json.dumps({"id": self.next_id, "at": time.time(), "app": str(app), "summary": str(summary),
                                  "body": str(body), "actions": [str(a) for a in actions]}, ensure_ascii=False) + "\n")
        return self.next_id

    @dbus.service.method("org.freedesktop.Notifications", out_signature="as")
    def GetCapabilities(self):
        return ["actions", "body"]

    @dbus.service.method("org.freedesktop.Notifications", out_signature="ssss")
    def GetServerInformation(self):
        return ["test", "kalendra", "1", "1.2"]

    @dbus.service.signal("org.freedesktop.Notifications", signature="us")
    def ActionInvoked(self, id, key):
        pass


def poll_control(server):
    if os.path.exists(control_path):
        with open(control_path, encoding="utf-8") as control:
            lines = control.read().split("\n")
        os.remove(control_path)
        for line in lines:
            if line.strip():
                notification, action = line.split()
                server.ActionInvoked(dbus.UInt32(int(notification)), action)
    return True


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
server = Notifications(bus)
name = dbus.service.BusName("org.freedesktop.Notifications", bus)
GLib.timeout_add(100, poll_control, server)
print("ready", flush=True)
GLib.MainLoop().run()
