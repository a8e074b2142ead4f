#!/usr/bin/python3
"""Asks GTK 3, one line per question:
    gtk_lookup.py THEME NAME:SIZE:SCALE...  the file the icon lookup gives, or "-"
    gtk_lookup.py --settings FILE...        the icon theme name GtkSettings takes from each
                                            ("-": none; "refused": GLib refuses the file)"""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402


def setting(path):
    keyfile = GLib.KeyFile()
    try:
        keyfile.load_from_file(path, GLib.KeyFileFlags.NONE)
    except GLib.Error:
        return "refused"
    try:
        return keyfile.get_string("Settings", "gtk-icon-theme-name")
    except GLib.Error:
        return "-"


if sys.argv[1] == "--settings":
    for path in sys.argv[2:]:
        print(setting(path))
    sys.exit(0)
theme = Gtk.IconTheme.new()
theme.set_custom_theme(sys.argv[1])
for question in sys.argv[2:]:
    name, size, scale = question.split(":")
    info = theme.lookup_icon_for_scale(name, int(size), int(scale), 0)
    print(info.get_filename() if info else "-")
