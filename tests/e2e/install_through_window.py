#!/usr/bin/python3
"""One whole install with the built bundle, as a German user does it with the
keyboard, on a private virtual display: the first start with its backup, then
Volume and its "Ocean" set chosen by typing, the use button pressed, the
completion alert answered, and Quit from the menu; every word on screen as the
German table gives it. Passes when the sandbox's Volume bundle holds the set's
pictures byte for byte, standard output has one "copy" line per picture, and
the program ends with 0. Controls are found by name and role through the
accessibility bus, keys go through xdotool, every wait is on a condition.

    dbus-run-session -- install_through_window.py BUILD_DIR
"""

import filecmp
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

import pyatspi

TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir,
                     "resources", "translations", "trayskin_de.ts")
LIMIT_SECONDS = 90  # how long any one condition may take


class TestFailure(Exception):
    pass


def wait_for(what, condition, limit=LIMIT_SECONDS):
    """Returns the first true value of condition(); fails after the limit."""
    deadline = time.monotonic() + limit
    while True:
        try:
            value = condition()
        except (LookupError, RuntimeError, AttributeError):
            value = None  # the tree changes while it is read: ask again
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure("timed out waiting for " + what)
        time.sleep(0.05)  # polling interval only


def start_display(work, screen="1024x700x24"):
    """Xvfb on a display number it picks itself, then the accessibility bus:
    told this test's display and a runtime folder inside WORK first, its
    launcher puts its socket where no other test running at once replaces it.
    (scripts/screenshot starts its display with it too.)"""
    read, write = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write), "-screen", "0", screen, "-nolisten", "tcp"],
        pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read, "rb") as pipe:
        number = pipe.readline()
    if not number.endswith(b"\n"):
        raise TestFailure("Xvfb did not start")
    os.environ["DISPLAY"] = ":" + number.decode().strip()
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    os.environ["XDG_RUNTIME_DIR"] = runtime
    subprocess.run(["dbus-update-activation-environment",
                    "DISPLAY=" + os.environ["DISPLAY"], "XDG_RUNTIME_DIR=" + runtime],
                   check=True, stdout=subprocess.DEVNULL)
    wait_for("the accessibility registry", lambda: pyatspi.Registry.getDesktop(0) is not None)
    return server


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=False, capture_output=True,
                          text=True).stdout.strip()


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def text_of(accessible):
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        return accessible.name


def find(root, role, name=None, pred=None):
    """The first descendant of root with the role (and name, or predicate)."""
    return pyatspi.utils.findDescendant(root, lambda acc: (
        acc is not None and acc.getRole() == role and name in (None, acc.name)
        and (pred is None or pred(acc))), breadth_first=True)


def press(accessible):
    """Presses a button or menu item through its accessible action."""
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(next((i for i, name in enumerate(names) if name in (
        "Press", "press", "click", "Toggle", "Activate")), 0))


def german(key):
    """The German table's words for the key, as shown (without the mnemonic)."""
    for message in ElementTree.parse(TABLE).iter("message"):
        if message.findtext("source") == key:
            return re.sub("&(.)", r"\1", message.findtext("translation"))
    raise TestFailure("no German words for %r" % key)


class Program:
    """The built program in BUILD, with the environment's variables changed
    by ENV, its standard output and error into files in WORK."""

    def __init__(self, build, env, work, name="std"):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", **env)
        env.pop("QT_QPA_PLATFORM", None)
        with open(os.path.join(work, name + "out"), "wb") as out, \
                open(os.path.join(work, name + "err"), "wb") as err:
            self.process = subprocess.Popen(
                [os.path.join(build, "Trayskin.app", "Contents", "MacOS", "trayskin")],
                env=env, stdout=out, stderr=err)
        self.pid = self.process.pid

    def kill(self):  # scripts/screenshot ends its programs with it
        self.process.kill()
        self.process.wait()

    def application(self):
        """The program's node on the accessibility bus."""
        return wait_for("the program on the accessibility bus", lambda: next(
            (app for app in pyatspi.Registry.getDesktop(0)
             if app is not None and app.get_process_id() == self.pid), None))

    def window(self, roles, title):
        """A top-level window of the program, by role and exact title, once shown."""
        def lookup():
            self.check_running()
            return next((w for w in self.application() if w is not None and w.getRole() in roles
                         and w.name == title and showing(w)), None)
        return wait_for("the window " + repr(title), lookup)

    def focus_window(self, title):
        """Gives the keyboard to the program's X window with that exact title."""
        wid = wait_for("the X window " + repr(title), lambda: xdotool(
            "search", "--all", "--pid", str(self.pid), "--name", "^" + title + "$"
        ).split("\n")[0])
        xdotool("windowfocus", "--sync", wid)

    def check_running(self):
        if self.process.poll() is not None:
            raise TestFailure("the program ended early with %d" % self.process.returncode)

    def select_by_typing(self, window, key, name):
        """Types the key in the focused column until the inspector shows name.
        A key lost on a busy machine is typed again after a while."""
        def shown():
            inspector = find(window, pyatspi.ROLE_TEXT, german("Inspector"))
            return inspector is not None and text_of(inspector).startswith(
                german("Name: ") + name + "\n")
        for _ in range(5):
            xdotool("key", "--clearmodifiers", key)
            try:
                return wait_for(name + " in the inspector", shown, limit=15)
            except TestFailure:
                self.check_running()
        raise TestFailure("typing %s never selected %s" % (key, name))


def test(work, started):
    """What went wrong, as a list."""
    system = os.path.join(work, "system")
    os.makedirs(os.path.join(work, "home"))
    subprocess.run([os.path.join(sys.argv[1], "resources", "artgen"), "sandbox", system],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # In German, on the sandbox's system and home folder.
    program = Program(sys.argv[1], {"TRAYSKIN_SYSROOT": system, "HOME": os.path.join(work, "home"),
                                    "LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8",
                                    "LANGUAGE": ""}, work)
    started.append(program.process)
    window = program.window([pyatspi.ROLE_FRAME], "Trayskin")
    use = wait_for("the use button", lambda: find(window, pyatspi.ROLE_PUSH_BUTTON,
                                                  german("&Use This Set")))
    program.focus_window("Trayskin")
    # Column 0 has the keyboard at start: V selects Volume; Right goes to
    # its sets, where O selects Ocean.
    program.select_by_typing(window, "V", "Volume")
    xdotool("key", "--clearmodifiers", "Right")
    program.select_by_typing(window, "O", "Ocean")
    wait_for("the use button to be enabled",
             lambda: use.getState().contains(pyatspi.STATE_ENABLED))
    press(use)

    alert = program.window([pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG],
                           german("Installation Complete"))
    expected = german("Need restart").replace("%1", german("Sound"))
    if find(alert, pyatspi.ROLE_LABEL, pred=lambda a: text_of(a) == expected) is None:
        raise TestFailure("no completion message %r" % expected)
    press(wait_for("the alert's button", lambda: find(alert, pyatspi.ROLE_PUSH_BUTTON,
                                                      german("Open System Preferences"))))
    wait_for("the alert to close",
             lambda: not showing(alert) or program.application().childCount == 1)
    try:
        press(find(program.application(), pyatspi.ROLE_MENU_ITEM, german("&Quit Trayskin")))
    except Exception:  # the program may end before it answers
        pass
    wait_for("the program to end", lambda: program.process.poll() is not None)
    failures = [] if program.process.returncode == 0 else [
        "the program ended with %d" % program.process.returncode]
    library = os.path.join(work, "home", "Library", "Trayskin", "Volume", "Ocean")
    resources = os.path.join(system, "System", "Library", "CoreServices", "Menu Extras",
                             "Volume.menu", "Contents", "Resources")
    pictures = sorted(n for n in os.listdir(library) if n.endswith(".tif"))
    failures += ["not installed: " + name for name in pictures if not filecmp.cmp(
        os.path.join(library, name), os.path.join(resources, name), shallow=False)]
    with open(os.path.join(work, "stdout")) as out:
        copies = out.read().split("\n").count("copy")
    if not pictures or copies != len(pictures):
        failures.append("%d pictures, %d copy lines" % (len(pictures), copies))
    if not failures:
        print("installed %d pictures of Volume/Ocean" % len(pictures))
    return failures


def main():
    """Prints what failed with the end of the program's standard output and
    error, then ends what the test started and removes its folder."""
    work = tempfile.mkdtemp(prefix="trayskin-e2e-")
    started = []
    try:
        started.append(start_display(work))
        failures = test(work, started)
    except TestFailure as failure:
        failures = ["FAILED: %s" % failure]
    finally:
        for process in reversed(started):
            process.terminate()
            process.wait()
    for failure in failures:
        print(failure)
    for name in ("stdout", "stderr") if failures else ():
        path = os.path.join(work, name)
        if os.path.exists(path):
            with open(path, errors="replace") as f:
                print("---", name, "\n" + f.read()[-3000:])
    shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
