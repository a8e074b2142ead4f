#!/usr/bin/python3
"""Asks GTK 3's own icon lookup, as a panel's status icon would:
    gtk_lookup.py THEME NAME:SIZE:SCALE...
prints one line per question: the file GTK gives, or "-"."""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

theme = Gtk.IconTheme.new()
theme.set_custom_theme(sys.argv[1])
for question in sys.argv[2:]:
    name, size, scale = question.split(":")
    info = theme.lookup_icon_for_scale(name, int(size), int(scale), 0)
    print(info.get_filename() if info else "-")
