#!/usr/bin/python3
"""Reads GTK 3 settings files as GtkSettings does:
    gtk_settings.py FILE...
prints one line per file: the icon theme name GTK takes from it, "-" for
none, or "refused".
GtkSettings loads a settings.ini with GLib's key-file reader, reads nothing
of a file that reader refuses, and takes its keys from the group Settings."""
import sys

import gi
from gi.repository import GLib

for path in sys.argv[1:]:
    keyfile = GLib.KeyFile()
    try:
        keyfile.load_from_file(path, GLib.KeyFileFlags.NONE)
    except GLib.Error:
        print("refused")
        continue
    try:
        print(keyfile.get_string("Settings", "gtk-icon-theme-name"))
    except GLib.Error:
        print("-")
