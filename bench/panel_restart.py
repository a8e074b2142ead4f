#!/usr/bin/python3
"""Use This Set plus Restart Panel of xfce4-panel (trayskin use
--restart-panel), from the command until the panel shows the set, against
the same restart alone, as Trayskin does it: the panel ended, waited for
through its pidfd and started again as it was (its program, arguments,
environment and folder), until it shows its pictures again; on a private
display in a sandbox home on Adwaita:
    panel_restart.py TRAYSKIN RUNS
prints "restart MS use MS ended MS": the medians in milliseconds, the last
one of the time from the command until the old panel had ended (what is
Trayskin's own before the panel starts again). Each ends at the
first look at the new panel's window that shows all of its pictures: the
colours the panel showed in that state before, every pixel of them (the
pulseaudio plugin draws its icon a few hundred milliseconds after the
launcher's), which the pixels are polled for.

The sandbox home is on a journaled ext4 file system, as a Debian home is:
an image mounted through a loop device, where the machine lets root mount
one. Without a journal, ext4 passes over every inode freed in the last half
minute, one by one, each time it makes a file; a series of restores and
installs then makes each round's 36 files slower than the last (3 ms for
them at first, 50 ms after twenty rounds on a disk without a journal), which
is the disk's doing, not the program's, and not what a user's home does."""
import contextlib
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "icontheme"))
import panel_session  # noqa: E402
import real_panels  # noqa: E402


@contextlib.contextmanager
def journaled_home():
    """Makes the sandboxes of the block in a fresh journaled ext4, or says
    where they stay when none can be mounted."""
    where = tempfile.mkdtemp(prefix="trayskin-ext4-")
    image, mount = os.path.join(where, "home.ext4"), os.path.join(where, "home")
    os.mkdir(mount)
    quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        with open(image, "wb") as made:
            made.truncate(512 << 20)
        try:
            mounted = subprocess.run(["mkfs.ext4", "-q", "-F", image], **quiet).returncode == 0 \
                and subprocess.run(["mount", "-o", "loop", image, mount], **quiet).returncode == 0
        except OSError:  # no mkfs.ext4 or mount
            mounted = False
        if not mounted:
            print("panel_restart: no journaled file system could be mounted; the home stays in %s"
                  % tempfile.gettempdir(), file=sys.stderr)
            yield
            return
        tempfile.tempdir = mount
        try:
            yield
        finally:
            tempfile.tempdir = None
            # (lazily where a process of the sandbox outlived it)
            if subprocess.run(["umount", mount], **quiet).returncode != 0:
                subprocess.run(["umount", "-l", mount], **quiet)
    finally:
        shutil.rmtree(where, ignore_errors=True)


def panel_process(box):
    """The running xfce4-panel of the sandbox: (pid, how to start it again)."""
    for pid in box.strays():
        try:
            with open("/proc/%d/comm" % pid) as comm:
                if comm.read().strip() != "xfce4-panel":
                    continue
            with open("/proc/%d/cmdline" % pid, "rb") as cmdline:
                argv = cmdline.read().split(b"\0")[:-1]
            with open("/proc/%d/environ" % pid, "rb") as environ:
                env = dict(e.split(b"=", 1) for e in environ.read().split(b"\0") if b"=" in e)
            return pid, dict(args=[os.readlink("/proc/%d/exe" % pid)] + argv[1:], env=env,
                             cwd=os.readlink("/proc/%d/cwd" % pid))
        except OSError:
            continue
    raise panel_session.Failure("no xfce4-panel runs")


def restart(box):
    """Ends the panel, waits for it on its pidfd, starts it again as it was."""
    pid, again = panel_process(box)
    ended = os.pidfd_open(pid)
    start = time.monotonic()
    os.kill(pid, signal.SIGTERM)
    if not select.select([ended], [], [], panel_session.DEADLINE)[0]:
        raise panel_session.Failure("xfce4-panel did not end")
    os.close(ended)
    box.processes.append(subprocess.Popen(
        again["args"], env=again["env"], cwd=again["cwd"], start_new_session=True,
        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    return start


# Of the window's pixels, what may differ from the state seen before: a few
# edge pixels, not an icon (16 x 16 is 1.25 % of the panel's).
WHOLE = 0.002


def drawn_whole(box, panel, like):
    """Waits until the panel's window (new, seen once already) has the
    colours of like, all but WHOLE of its pixels; returns when the pixels
    were taken."""
    def same():
        taken = time.monotonic()
        found = panel_session.windows(box.env, panel.window)
        shot = panel_session.pixels(box.env, found[0][1]) if found else None
        if shot is None:
            return None
        colours = panel_session.colours(shot)
        return taken if panel_session.changed(like, colours) <= WHOLE * sum(like.values()) \
            else None
    return panel_session.wait_for("%s to show all of its pictures" % panel.name, same)


def main():
    # Ended by a signal, as by Ctrl-C: the sandbox's processes end, and its
    # image is unmounted and removed.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    with journaled_home():
        rounds(sys.argv[1], int(sys.argv[2]))


def rounds(trayskin, runs):
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
        # The states' pictures, once the pixels held still for a second.
        theme = look("at its start", {}, still=10)
        box.run(*use)
        ours = look("with the set", shown, still=10)
        restarts, used, ended = [], [], []
        for _ in range(runs):
            # The panels ended so far are reaped, as a session reaps them:
            # left, each would be one more process for use's look for the panel.
            for process in box.processes:
                process.poll()
            # Each state held still for three looks first: xfce4-panel told to
            # restart while its plugins still start ends for good.
            box.run(*restore)
            look("restored", {}, theme)
            start = restart(box)
            look("restarted", {}, theme, 1)
            restarts.append(drawn_whole(box, panel, theme) - start)
            look("restarted and still", {}, theme, fresh=False)
            # Looked at while trayskin runs: what it does after the restart
            # (its syncs, record and report) does not hold the panel back.
            old = os.pidfd_open(panel_process(box)[0])
            start = time.monotonic()
            running = subprocess.Popen(use, env=box.env, stdout=subprocess.PIPE,
                                       stderr=subprocess.STDOUT)
            if not select.select([old], [], [], panel_session.DEADLINE)[0]:
                raise panel_session.Failure("trayskin did not end xfce4-panel")
            ended.append(time.monotonic() - start)
            os.close(old)
            look("after use", shown, ours, 1)
            used.append(drawn_whole(box, panel, ours) - start)
            out = running.communicate(timeout=panel_session.DEADLINE)[0]
            if running.returncode != 0:
                sys.exit("trayskin use ended with %d: %s" % (running.returncode, out.decode()))
            look("after use and still", shown, ours, fresh=False)
        print("restart %.1f use %.1f ended %.1f" % (statistics.median(restarts) * 1000,
                                                     statistics.median(used) * 1000,
                                                     statistics.median(ended) * 1000))
    finally:
        box.close()


if __name__ == "__main__":
    main()
