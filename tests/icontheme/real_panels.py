#!/usr/bin/python3
"""Real panels under Xvfb, each in a sandbox home on Adwaita (panel_session.py):
    real_panels.py TRAYSKIN [PANEL...]
Each row: `trayskin use --restart-panel` of our sets (one colour each, so that
pixels tell set from theme), then `trayskin restore --all`; the panel's window
shows what the row says (the theme's pictures, and why, where not the set's),
and the theme's again. A panel that is not installed is skipped by name."""
import os
import shutil
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tray_pixels  # noqa: E402
from panel_session import (Failure, Sandbox, colours, looks, put, subtree,  # noqa: E402
                           wait_for)

# The sets' pictures by the colour's name: item, set, colour, names. GTK
# fills the rect, path, ellipse, circle and polygon of a -symbolic SVG with
# the widget's colour; a polyline keeps its own, so that the pixels say whose
# picture is drawn.
LEVELS = ("high", "medium", "low", "muted")
SETS = {"volume": ("Volume", "Vermilion", (255, 0, 255), ["audio-volume-" + l for l in LEVELS]),
        "symbolic": ("Volume", "Vermilion", (255, 128, 0),
                     ["audio-volume-%s-symbolic" % l for l in LEVELS]),
        "battery": ("Battery", "Spring", (0, 255, 128), ["battery-good"]),
        # What nm-applet and cbatticon show without NetworkManager and a
        # battery: a name Adwaita lacks (hicolor holds it), and one it holds.
        "network": ("Network", "Azure", (0, 128, 255), ["nm-no-connection"]),
        "adapter": ("Battery", "Spring", (128, 0, 255), ["ac-adapter"])}
COLOURS = {name: picture[2] for name, picture in SETS.items()}
SVG = ('<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">'
       '<polyline points="0,0 16,0 16,16 0,16 0,0" fill="#%02x%02x%02x"/></svg>\n')


def launcher(box, name, icon):
    """A .desktop file of the sandbox that shows the icon: its path."""
    path = os.path.join(box.env["XDG_DATA_HOME"], "applications", name + ".desktop")
    put(path, "[Desktop Entry]\nType=Application\nName=%s\nExec=true\nIcon=%s\n" % (name, icon))
    return path


def make_sets(box):
    """Our sets in the library (a first start makes the library)."""
    status, out = box.run(box.trayskin, "list")
    if status != 0:
        raise Failure("trayskin list ended with %d: %s" % (status, out))
    for item, name, colour, names in SETS.values():
        folder = os.path.join(box.env["XDG_DATA_HOME"], "trayskin", item, name)
        put(os.path.join(folder, "trayskininfo.txt"), "One colour.\n")
        for icon in names:
            put(os.path.join(folder, icon + ".svg"), SVG % colour)


def use_and_restore(box, panel, step):
    """trayskin use for each set the panel shows, or restore --all, as a
    user would from a terminal; with --restart-panel (Trayskin's Restart
    Panel) on the last command, or on each for status programs."""
    commands = ([["use", item, name] for item, name in dict.fromkeys(
        SETS[c][:2] for c in SETS if c in panel.shows)] if step == "use"
                else [["restore", "--all"]])
    for command in (commands if panel.programs else commands[-1:]):
        command.insert(1, "--restart-panel")
    for command in commands if step == "use" else []:
        command[1:1] = panel.use_options
    for command in commands:
        status, out = box.run(box.trayskin, *command)
        if status != 0:
            raise Failure("trayskin %s ended with %d: %s" % (" ".join(command), status, out))


def check(panel, trayskin):
    box = Sandbox(trayskin)
    try:
        make_sets(box)
        panel.start(box)
        theme = colours(looks(box, panel, "at its start", COLOURS, {}))
        panel.started(box)
        use_and_restore(box, panel, "use")
        looks(box, panel, "after use and a restart", COLOURS, panel.shows)
        use_and_restore(box, panel, "restore")
        looks(box, panel, "after restore and a restart, as at its start", COLOURS, {}, theme)
    finally:
        box.close()


class Panel:
    """A row of the table: the program, the window class, what its pictures
    show after Use This Set and a restart ("set", or why the theme's)."""
    name = window = None
    needs = ()  # programs, and files by their absolute paths
    shows = {}
    programs = False  # status programs, which Trayskin restarts by the names they show
    use_options = ()  # trayskin use's options besides --restart-panel

    def start(self, box):
        box.start(self.argv(box))

    def started(self, box):
        """Checks what the panel keeps once it shows its pictures."""

    def renewed(self, env, window):
        """The windows a restart makes anew: a panel's own window."""
        return [window]


class Xfce(Panel):
    name, window = "xfce4-panel", "Xfce4-panel"
    needs = ("xfce4-panel", "pulseaudio", "/usr/share/xfce4/panel/plugins/pulseaudio.desktop",
             "openbox")
    shows = {"battery": "set", "symbolic": "set"}

    def argv(self, box):
        # A launcher and the volume plugin (xfce4-panel.xml in themes/panel-home).
        config = box.env["XDG_CONFIG_HOME"]
        os.makedirs(os.path.join(config, "xfce4", "panel", "launcher-1"))
        shutil.copy(launcher(box, "battery", "battery-good"),
                    os.path.join(config, "xfce4", "panel", "launcher-1", "battery.desktop"))
        start_pulseaudio(box)
        box.start_window_manager()  # without one it waits 5 s for one
        return ["xfce4-panel"]




class Tint2(Panel):
    """tint2 with launchers, under openbox (without a window manager it
    makes no window); it keeps where it found each icon in its icon.cache,
    which Trayskin's restart cleans of the names it changes."""
    name, window, needs = "tint2", "Tint2", ("tint2", "openbox")
    shows = {"battery": "set", "volume": "set"}

    def argv(self, box):
        apps = "".join("launcher_item_app = %s\n" % launcher(box, n, n)
                       for n in ("battery-good", "audio-volume-high"))
        put(os.path.join(box.env["XDG_CONFIG_HOME"], "tint2", "tint2rc"),
            "panel_items = L\npanel_size = 100%% 32\npanel_position = top left horizontal\n"
            "launcher_icon_size = 24\nlauncher_icon_theme = Adwaita\n" + apps)
        box.start_window_manager()
        return ["tint2"]

    def started(self, box):
        cache = os.path.join(box.env["XDG_CACHE_HOME"], "tint2", "icon.cache")

        def named():
            if os.path.exists(cache):
                with open(cache) as text:
                    return "\tbattery-good\t" in text.read()
            return False

        wait_for("tint2's icon.cache to name battery-good", named)


class Lxpanel(Panel):
    name, window, needs = "lxpanel", "[Ll]xpanel", ("lxpanel", "lxpanelctl")
    shows = {"battery": "set", "volume": "set"}

    def argv(self, box):
        buttons = "".join("    Button {\n      id=%s\n    }\n" % launcher(box, n, n)
                          for n in ("battery-good", "audio-volume-high"))
        put(os.path.join(box.env["XDG_CONFIG_HOME"], "lxpanel", "default", "panels", "panel"),
            "Global {\n  edge=top\n  align=left\n  widthtype=percent\n  width=100\n"
            "  height=32\n  iconsize=24\n}\nPlugin {\n  type=launchbar\n  Config {\n"
            + buttons + "  }\n}\n")
        return ["lxpanel", "--profile", "default"]


class Mate(Panel):
    name, window, needs = "mate-panel", "Mate-panel", ("mate-panel", "gsettings")
    shows = {"battery": "set", "volume": "set"}

    def argv(self, box):
        settings = [("org.mate.panel", "toplevel-id-list", "['top']"),
                    ("org.mate.panel", "object-id-list", "['battery', 'volume']"),
                    ("org.mate.panel.toplevel:/org/mate/panel/toplevels/top/", "orientation",
                     "top"),
                    ("org.mate.panel.toplevel:/org/mate/panel/toplevels/top/", "size", "32")]
        for i, (name, oid) in enumerate((("battery-good", "battery"),
                                         ("audio-volume-high", "volume"))):
            path = "org.mate.panel.object:/org/mate/panel/objects/%s/" % oid
            settings += [(path, "object-type", "launcher"), (path, "toplevel-id", "top"),
                         (path, "position", str(i)),
                         (path, "launcher-location", launcher(box, name, name))]
        for schema, key, value in settings:
            status, out = box.run("gsettings", "set", schema, key, value)
            if status != 0:
                raise Failure("gsettings set %s %s: %s" % (schema, key, out))
        return ["mate-panel"]


class LxqtPanel(Panel):
    name, window, needs = "lxqt-panel", "lxqt-panel", ("lxqt-panel", "pulseaudio")
    shows = {"battery": "Qt takes the system's PNG where the overlay holds one of the same size",
             "volume": "Qt takes the system's PNG where the overlay holds one of the same size",
             "symbolic": "set"}

    def argv(self, box):
        box.env.update(QT_QPA_PLATFORMTHEME="lxqt", XDG_CURRENT_DESKTOP="LXQt")
        apps = "".join("apps\\%d\\desktop=%s\n" % (i + 1, launcher(box, n, n)) for i, n in
                       enumerate(("battery-good", "audio-volume-high-symbolic")))
        put(os.path.join(box.env["XDG_CONFIG_HOME"], "lxqt", "panel.conf"),
            "[General]\n__userfile__=true\npanels=panel1\n\n[panel1]\nposition=Top\n"
            "panelSize=32\niconSize=24\nplugins=quicklaunch, volume\n\n[quicklaunch]\n"
            "type=quicklaunch\n" + apps + "apps\\size=2\n\n[volume]\ntype=volume\n"
            "audioEngine=PulseAudio\n")
        start_pulseaudio(box)
        return ["lxqt-panel"]


class LxqtOwnTheme(LxqtPanel):
    """lxqt-panel through Trayskin's own theme: use --own-theme
    --switch-desktop switches lxqt.conf (and GTK's files) to it, where the
    set comes first at every size; restore --all takes its last picture
    out and switches back."""
    name = "lxqt-panel on the own theme"
    shows = {"battery": "set", "volume": "set", "symbolic": "set"}
    use_options = ("--own-theme", "--switch-desktop")


class StatusPrograms(Panel):
    """nm-applet and cbatticon in a tray (Debian's trayer), which Trayskin
    restarts by the names they show. (A running tray's GTK 3 status icons
    show the set without a restart: DesktopClientsTest.)"""
    name, window = "nm-applet and cbatticon", "trayer"
    needs = ("trayer", "nm-applet", "cbatticon")
    shows = {"network": "set", "adapter": "set"}
    programs = True

    def renewed(self, env, window):
        """The icons' windows in the tray."""
        return subtree(env, window)

    def argv(self, box):
        box.start(["trayer", "--edge", "top", "--align", "left", "--widthtype", "request",
                   "--height", "32", "--SetDockType", "false", "--transparent", "false"])
        wait_for("the tray", lambda: tray_pixels.tray_owner(box.env["DISPLAY"]))
        box.start(["nm-applet"])
        return ["cbatticon"]


def start_pulseaudio(box):
    """A sound server with a null sink, for the panels' volume controls."""
    box.start(["pulseaudio", "--daemonize=no", "-n", "--exit-idle-time=-1",
               "-L", "module-null-sink", "-L", "module-native-protocol-unix"])


PANELS = [Xfce(), Tint2(), Lxpanel(), Mate(), LxqtPanel(), LxqtOwnTheme(), StatusPrograms()]


def main():
    # Ended by a signal, the sandbox's processes end too.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    trayskin, wanted = sys.argv[1], sys.argv[2:]
    failed = skipped = 0
    for panel in PANELS:
        if wanted and panel.name not in wanted:
            continue
        missing = [n for n in panel.needs
                   if not (os.path.exists(n) if n.startswith("/") else shutil.which(n))]
        if missing:
            print("SKIPPED %s: not installed: %s" % (panel.name, ", ".join(missing)))
            skipped += 1
            continue
        try:
            check(panel, trayskin)
            print("PASSED " + panel.name)
        except (Failure, subprocess.TimeoutExpired) as failure:
            failed += 1
            print("FAILED %s: %s" % (panel.name, failure))
    # 77: CTest's skip, when no panel is installed
    return 1 if failed else 77 if skipped == len(PANELS) else 0


if __name__ == "__main__":
    sys.exit(main())
