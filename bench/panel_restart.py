#!/usr/bin/python3
"""Use This Set plus Restart Panel of xfce4-panel (trayskin use
--restart-panel), from the command until the panel shows the set, against
the panel's own restart (xfce4-panel -r) until it shows its pictures again;
on a private display in a sandbox home on Adwaita:
    panel_restart.py TRAYSKIN RUNS
prints "restart MS use MS": the medians in milliseconds. Each ends at the
first look at the new panel's window with the colours the panel showed in
that state before, which the pixels are polled for."""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "icontheme"))
import panel_session  # noqa: E402
import real_panels  # noqa: E402


def main():
    trayskin, runs = sys.argv[1], int(sys.argv[2])
    box = panel_session.Sandbox(trayskin)
    panel = real_panels.Xfce()
    use = [trayskin, "use", "--restart-panel", "Volume", "Vermilion"]
    restore = [trayskin, "restore", "--restart-panel", "Volume"]
    shown = {"symbolic": "set"}

    def look(step, expected, like=None, still=3, fresh=True):
        shot = panel_session.looks(box, panel, step, real_panels.COLOURS, expected, like, still,
                                   fresh)
        return panel_session.colours(shot)

    try:
        real_panels.make_sets(box)
        panel.start(box)
        theme = look("at its start", {})
        box.run(*use)
        ours = look("with the set", shown)
        restart, used = [], []
        for _ in range(runs):
            # Each state held still for three looks first: xfce4-panel told to
            # restart while its plugins still start ends for good.
            box.run(*restore)
            look("restored", {}, theme)
            start = time.monotonic()
            box.run("xfce4-panel", "-r")
            look("restarted", {}, theme, 1)
            restart.append(box.seen - start)
            look("restarted and still", {}, theme, fresh=False)
            start = time.monotonic()
            status, out = box.run(*use)
            look("after use", shown, ours, 1)
            used.append(box.seen - start)
            if status != 0:
                sys.exit("trayskin use ended with %d: %s" % (status, out))
            look("after use and still", shown, ours, fresh=False)
        print("restart %.1f use %.1f" % (statistics.median(restart) * 1000,
                                         statistics.median(used) * 1000))
    finally:
        box.close()


if __name__ == "__main__":
    main()
