#!/usr/bin/python3
"""gtk_settings.py FILE...: for each file, the icon theme name GTK 3 takes
from it ("-" for none, "refused" for a file GLib's key-file reader refuses,
of which GtkSettings reads nothing), one a line."""
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
