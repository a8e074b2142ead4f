#!/usr/bin/python3
"""Shows status icons in a real tray and writes what it draws:
    tray_pixels.py OUT_DIR NAME...
On an X display of its own (Xvfb), Debian's trayer and one GTK 3 status icon
per name, titled with it, found through the environment given (HOME,
XDG_DATA_HOME, XDG_DATA_DIRS). Once the tray's pixels hold still, writes each
icon's pixels to OUT_DIR/NAME.ppm and prints "shot"; each line read from the
standard input asks again, its end ends them all. The icons set their names
again every second, as a volume indicator does on each change, so that GTK
looks them up while they run. Every wait is on a condition, with a deadline."""
import ctypes
import ctypes.util
import os
import re
import subprocess
import sys
import time

STATE = {"last": "nothing seen"}
DEADLINE = float(os.environ.get("TRAY_DEADLINE", "120"))
CLIENT = """
import sys
import warnings
import gi
gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk
warnings.simplefilter("ignore")
icons = []
for name in sys.argv[1:]:
    icon = Gtk.StatusIcon.new_from_icon_name(name)
    icon.set_title(name)
    icons.append(icon)


def set_again():
    for icon in icons:
        icon.set_from_icon_name(icon.get_title())
    return True


GLib.timeout_add_seconds(1, set_again)
Gtk.main()
"""


class Failure(Exception):
    pass


def wait_for(what, condition, deadline=DEADLINE):
    end = time.monotonic() + deadline
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("gave up waiting for " + what)
        time.sleep(0.05)  # polling interval only


def xlib():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XGetSelectionOwner.restype = ctypes.c_ulong
    x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


def tray_owner(display):
    """Whether a tray holds the display's system tray selection; None when
    no client can connect to the display."""
    x11 = xlib()
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        return None
    try:
        selection = x11.XInternAtom(connection, b"_NET_SYSTEM_TRAY_S0", 0)
        return x11.XGetSelectionOwner(connection, selection) != 0
    finally:
        x11.XCloseDisplay(connection)


def start_display(processes, size="320x64x24"):
    """Starts Xvfb on a free display: its name once a client can connect.
    Xvfb servers starting side by side may report a number another one
    took; such a server is ended and another started."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["/usr/bin/Xvfb", "-displayfd", str(write_end), "-screen", "0", size,
         "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if number and server.poll() is None and tray_owner(":" + number) is not None:
        processes.append(server)
        return ":" + number
    server.terminate()
    server.wait()
    return None


def run(env, *args):
    done = subprocess.run(args, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, timeout=DEADLINE)
    return done.stdout if done.returncode == 0 else None


def icon_windows(env, names):
    """Each name's window in the tray: (x, y, width, height) on the screen."""
    tree = run(env, "/usr/bin/xwininfo", "-root", "-tree")
    if tree is None:
        return None
    found = {}
    for line in tree.decode(errors="replace").splitlines():
        # A window of the root has five spaces before it; an icon in the
        # tray sits deeper.
        match = re.match(r'\s{6,}0x[0-9a-f]+ "(.*)": \(.*\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+'
                         r'\s+\+(-?\d+)\+(-?\d+)', line)
        if match and match.group(1) in names:
            w, h, x, y = (int(match.group(i)) for i in (2, 3, 4, 5))
            if w > 1 and h > 1 and x >= 0 and y >= 0:
                found[match.group(1)] = (x, y, w, h)
    return found if len(found) == len(names) else None


def screen(env):
    """The root window as (width, height, rgb bytes)."""
    data = run(env, "/usr/bin/import", "-window", "root", "-depth", "8", "ppm:-")
    if data is None:
        return None
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    if not match:
        return None
    return int(match.group(1)), int(match.group(2)), data[match.end():]


def crop(shot, box):
    width, _, rgb = shot
    x, y, w, h = box
    return b"".join(rgb[((y + row) * width + x) * 3:((y + row) * width + x + w) * 3]
                    for row in range(h))


def drawn(pixels, background):
    """Something is drawn: not every pixel is the tray's background."""
    return any(pixels[i:i + 3] != background for i in range(0, len(pixels), 3))


def main():
    out, names = sys.argv[1], sys.argv[2:]
    env = dict(os.environ)
    processes = []
    try:
        env["DISPLAY"] = wait_for("a display", lambda: start_display(processes))
        env.pop("WAYLAND_DISPLAY", None)
        processes.append(subprocess.Popen(
            ["/usr/bin/trayer", "--edge", "top", "--align", "left", "--widthtype", "request",
             "--height", "24", "--heighttype", "pixel", "--SetDockType", "false",
             "--SetPartialStrut", "false", "--transparent", "false"],
            env=env, stdout=subprocess.DEVNULL))
        wait_for("the tray", lambda: tray_owner(env["DISPLAY"]))
        processes.append(subprocess.Popen(
            ["/usr/bin/python3", "-c", CLIENT] + names,
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        looks = []

        def still():
            # The icons in the same places, drawn, and the same in three looks
            # in a row: a tray lays its icons out again as each one arrives.
            boxes = icon_windows(env, names)
            shot = screen(env) if boxes else None
            STATE["last"] = "icons at %s" % boxes
            if shot is None or icon_windows(env, names) != boxes:
                looks.clear()
                return None
            pixels = {name: (box, crop(shot, box)) for name, box in boxes.items()}
            background = shot[2][0:3]
            if not all(drawn(rgb, background) for _, rgb in pixels.values()):
                STATE["last"] += ", not all drawn"
                looks.clear()
                return None
            if looks and looks[-1] != pixels:
                looks.clear()
            looks.append(pixels)
            return pixels if len(looks) >= 3 else None

        while True:
            looks.clear()
            pixels = wait_for("the tray's pixels to hold still", still)
            for name, (box, rgb) in pixels.items():
                with open(os.path.join(out, name + ".ppm"), "wb") as ppm:
                    ppm.write(b"P6\n%d %d\n255\n" % (box[2], box[3]) + rgb)
            print("shot", flush=True)
            if not sys.stdin.readline():
                break
    finally:
        # The X server ends on a signal it cleans up after (its lock file and
        # socket), so that the next one may take its display number.
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(timeout=DEADLINE)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        sys.exit("tray_pixels: %s (%s)" % (failure, STATE["last"]))
