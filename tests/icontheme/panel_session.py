#!/usr/bin/python3
"""A sandbox desktop session for real panels under Xvfb, and their pixels:
a home with its settings, data, cache and runtime folders where they are by
default, on Adwaita; a private display and session bus; the processes
started in it, ended with it. A panel's window is found through the window
tree by its class, its pixels read from the screen, and a restart is seen in
windows made anew. Every wait is on a condition, with a deadline."""
import collections
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tray_pixels  # noqa: E402
from tray_pixels import Failure, wait_for  # noqa: E402,F401

DEADLINE = 90


def put(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)


class Sandbox:
    """A home, data, settings, cache and runtime folder of its own on
    Adwaita, a display, a session bus, and the processes started in it."""

    def __init__(self, trayskin):
        self.root = tempfile.mkdtemp(prefix="trayskin-panels-")
        self.trayskin = trayskin
        self.processes = []
        # (Without the caller's system folder: scripts/bench sets one for
        # its Menu Extras rounds, and the panels' rounds are desktop mode.)
        env = {k: v for k, v in os.environ.items()
               if k not in ("WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "SESSION_MANAGER",
                            "DBUS_SESSION_BUS_ADDRESS", "QT_QPA_PLATFORM",
                            "QT_QPA_PLATFORMTHEME", "TRAYSKIN_SYSROOT")}
        # Adwaita for GTK 2, GTK 3 and LXQt, dconf's user database.
        shutil.copytree(os.path.join(os.path.dirname(os.path.abspath(__file__)), "themes",
                                     "panel-home"), self.root, dirs_exist_ok=True)
        # The folders where they are by default: tint2 looks for icons in
        # ~/.local/share/icons, ~/.icons and $XDG_DATA_HOME/.icons only.
        for key, folder in (("HOME", ""), ("XDG_DATA_HOME", ".local/share"),
                            ("XDG_CONFIG_HOME", ".config"), ("XDG_CACHE_HOME", ".cache"),
                            ("XDG_RUNTIME_DIR", "runtime")):
            env[key] = os.path.join(self.root, "home", folder).rstrip("/")
            os.makedirs(env[key], 0o700, exist_ok=True)
        env.update(XDG_DATA_DIRS="/usr/share", XDG_CONFIG_DIRS="/etc/xdg", LANG="C.UTF-8",
                   LC_ALL="C.UTF-8", NO_AT_BRIDGE="1",
                   DCONF_PROFILE=os.path.join(self.root, "dconf-profile"))
        self.env = env
        env["DISPLAY"] = wait_for("a display", lambda: tray_pixels.start_display(
            self.processes, "640x200x24"))
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address"],
                         stdout=subprocess.PIPE)
        env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()

    def start(self, argv, **options):
        options.setdefault("stdout", subprocess.DEVNULL)
        options.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(argv, env=self.env, start_new_session=True, **options)
        self.processes.append(process)
        return process

    def start_window_manager(self):
        """openbox, once it manages the screen: a panel that starts beside it
        may be left undrawn."""
        self.start(["openbox"])
        wait_for("openbox to manage the screen", lambda: "window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env, capture_output=True,
            text=True, timeout=DEADLINE).stdout)

    def run(self, *argv):
        done = subprocess.run(argv, env=self.env, capture_output=True, timeout=DEADLINE)
        return done.returncode, done.stdout.decode(errors="replace")

    def strays(self):
        """The processes of this sandbox's home: what its panels started, and
        the panels Trayskin started again."""
        home = ("HOME=" + self.env["HOME"]).encode()
        found = []
        for entry in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open("/proc/%s/environ" % entry, "rb") as environ:
                    if home in environ.read().split(b"\0"):
                        found.append(int(entry))
            except OSError:
                pass
        return found

    def close(self):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            for pid in self.strays():
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            try:
                wait_for("the sandbox's processes to end", lambda: not self.strays(), 30)
                break
            except Failure:
                continue
        for process in reversed(self.processes):  # the display last
            if process.poll() is None:
                process.terminate()
            process.wait()
        shutil.rmtree(self.root, ignore_errors=True)


def windows(env, pattern):
    """The mapped windows whose class matches, largest first: (id, (x, y,
    width, height)) with the box on the screen."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], env=env, capture_output=True,
                          timeout=DEADLINE).stdout.decode(errors="replace")
    found = []
    for line in tree.splitlines():
        match = re.match(r'\s+(0x[0-9a-f]+) .*\(".*?" "(.*?)"\)\s+(\d+)x(\d+)\S*'
                         r'\s+\+(-?\d+)\+(-?\d+)', line)
        if match and re.fullmatch(pattern, match.group(2)):
            w, h, x, y = (int(match.group(i)) for i in (3, 4, 5, 6))
            found.append((match.group(1), (max(x, 0), max(y, 0), w, h)))
    return sorted((w for w in found if w[1][2] > 10 and w[1][3] > 10),
                  key=lambda w: -w[1][2] * w[1][3])


def subtree(env, window):
    """The ids of the window and every window below it."""
    out = subprocess.run(["xwininfo", "-tree", "-id", window], env=env, capture_output=True,
                         timeout=DEADLINE).stdout.decode(errors="replace")
    return [window] + re.findall(r"^\s+(0x[0-9a-f]+) ", out, re.M)


def xprop(env, window, *args):
    return subprocess.run(["xprop", "-id", window, *args], env=env, capture_output=True,
                          timeout=DEADLINE).stdout.decode(errors="replace")


def mark(env, windows):
    """Marks the windows as seen before a restart: a restart makes windows
    anew, which may have the same ids."""
    for each in windows:
        xprop(env, each, "-f", MARK, "32c", "-set", MARK, "1")


def marked(env, windows):
    """Whether every one of the windows has the mark."""
    return all(MARK + "(CARDINAL)" in xprop(env, each, MARK) for each in windows)


MARK = "TRAYSKIN_TEST_BEFORE_RESTART"


def pixels(env, box):
    """The pixels of that box of the screen: (width, height, rgb bytes)."""
    shot = tray_pixels.screen(env)
    if shot is None:
        return None
    x, y, w, h = box
    w, h = min(w, shot[0] - x), min(h, shot[1] - y)
    return (w, h, tray_pixels.crop(shot, (x, y, w, h))) if w > 0 and h > 0 else None


def colours(shot):
    """How many pixels of each colour the shot has (a tray may place its
    icons in another order after a restart)."""
    rgb = shot[2]
    return collections.Counter(rgb[i:i + 3] for i in range(0, len(rgb), 3))


def changed(before, after):
    """How many pixels have changed colour, by the colours' counts."""
    return sum(((before - after) + (after - before)).values()) / 2


def count(shot, colour):
    """How many pixels have the colour, each channel within 24."""
    rgb = shot[2]
    r, g, b = colour
    return sum(1 for i in range(0, len(rgb) - 2, 3)
               if abs(rgb[i] - r) <= 24 and abs(rgb[i + 1] - g) <= 24 and abs(rgb[i + 2] - b) <= 24)


SHOWN = 64  # pixels of a colour that make an icon of the set: 8 x 8 at least
DRAWN = 16  # colours of a window that shows the theme's pictures


def looks(box, panel, step, palette, expected, like=None, still_looks=3, fresh=True):
    """Waits until the panel's windows are new ones (no mark: it started or
    restarted; unless not fresh), its pixels show each colour as expected
    ("set": drawn, else: not at all; the palette names them) and have the
    colours of like where given, in as many looks in a row; then marks its
    windows and returns the pixels."""
    seen = {"last": "no window"}
    still = []

    def ready():
        found = windows(box.env, panel.window)
        if not found:
            return None
        shot = pixels(box.env, found[0][1])
        if shot is None or (fresh and marked(box.env, panel.renewed(box.env, found[0][0]))):
            still.clear()
            return None
        counts = {name: count(shot, colour) for name, colour in palette.items()}
        seen["last"] = "pixels of the set's colours: %s" % counts
        if any((counts[name] >= SHOWN) != (expected.get(name) == "set") for name in counts) or \
                (like is not None and changed(like, colours(shot)) > 0.05 * sum(like.values())):
            still.clear()
            return None
        # A window not drawn yet has a colour or two; the theme's pictures
        # have dozens.
        if "set" not in expected.values() and len(colours(shot)) < DRAWN:
            seen["last"] += ", %d colours" % len(colours(shot))
            still.clear()
            return None
        if still and still[-1] != (found[0], shot):
            still.clear()
        still.append((found[0], shot))
        return still[-1] if len(still) >= still_looks else None

    try:
        (window, _), shot = wait_for("%s's pixels %s" % (panel.name, step), ready)
        box.seen = time.monotonic()
        mark(box.env, panel.renewed(box.env, window))
        return shot
    except Failure as failure:
        raise Failure("%s; %s" % (failure, seen["last"]))
