"""A virtual desktop for end-to-end tests: a private X display, the
accessibility bus, and the built program started in a sandbox.

Windows and controls are found by name and role through the accessibility
bus (AT-SPI); the keyboard goes through xdotool. Every wait is on a condition,
with a generous limit for a busy machine. Run under dbus-run-session, so that
each test has its own session bus and accessibility bus.
"""

import os
import shutil
import subprocess
import tempfile
import time

import pyatspi

# How long any one condition may take before the test fails.
LIMIT_SECONDS = 90


class TestFailure(Exception):
    pass


def wait_for(what, condition, limit=LIMIT_SECONDS):
    """Returns the first true value of condition(); fails after the limit."""
    deadline = time.monotonic() + limit
    while True:
        try:
            value = condition()
        except (LookupError, RuntimeError, AttributeError):
            # The tree changes while it is read: ask again.
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure("timed out waiting for " + what)
        time.sleep(0.05)  # polling interval only


class Display:
    """An Xvfb server on a display number that the server picks itself."""

    def __init__(self, size="1024x700x24"):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", size, "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read, "rb") as pipe:
            number = pipe.readline()
        if not number.endswith(b"\n"):
            raise TestFailure("Xvfb did not start")
        self.name = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.name

    def close(self):
        self.server.terminate()
        self.server.wait()


def start_accessibility(work):
    """Starts the accessibility bus and registry before any program. The
    session bus starts the bus launcher with its own environment: told this
    test's display and a runtime folder inside WORK first, the launcher puts
    its socket where no other test running at the same time replaces it."""
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    os.environ["XDG_RUNTIME_DIR"] = runtime
    subprocess.run(["dbus-update-activation-environment",
                    "DISPLAY=" + os.environ["DISPLAY"], "XDG_RUNTIME_DIR=" + runtime],
                   check=True, stdout=subprocess.DEVNULL)
    wait_for("the accessibility registry",
             lambda: pyatspi.Registry.getDesktop(0) is not None)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=False, capture_output=True,
                          text=True).stdout.strip()


def states(accessible):
    return accessible.getState()


def text_of(accessible):
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        return accessible.name


def find(root, role, name=None, pred=None):
    """The first descendant of root with the role (and name, or predicate)."""
    def match(acc):
        if acc is None or acc.getRole() != role:
            return False
        if name is not None and acc.name != name:
            return False
        return pred is None or pred(acc)
    return pyatspi.utils.findDescendant(root, match, breadth_first=True)


class Program:
    """The built program, run by this test with its own environment."""

    def __init__(self, app, env, stdout, stderr):
        full = dict(os.environ)
        full.update(env)
        full["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        full["QT_ACCESSIBILITY"] = "1"
        full.pop("QT_QPA_PLATFORM", None)
        self.out = open(stdout, "wb")
        self.err = open(stderr, "wb")
        self.process = subprocess.Popen([app], env=full, stdout=self.out, stderr=self.err)
        self.pid = self.process.pid

    def application(self):
        """The program's node on the accessibility bus."""
        return wait_for("the program on the accessibility bus", lambda: next(
            (app for app in pyatspi.Registry.getDesktop(0)
             if app is not None and app.get_process_id() == self.pid), None))

    def window(self, role, title):
        """A top-level window of the program, by role (or one of several roles)
        and exact title, once shown."""
        roles = role if isinstance(role, (list, tuple)) else [role]
        def lookup():
            self.check_running()
            return next((w for w in self.application() if w is not None and w.getRole() in roles
                         and w.name == title and states(w).contains(pyatspi.STATE_SHOWING)), None)
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

    def wait_exit(self):
        wait_for("the program to end", lambda: self.process.poll() is not None)
        self.out.close()
        self.err.close()
        return self.process.returncode

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def press(accessible):
    """Presses a button or menu item through its accessible action."""
    action = accessible.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click", "Toggle", "Activate"):
            action.doAction(i)
            return
    action.doAction(0)


class Session:
    """A test's work folder, the display and the program it starts, and what
    it found wrong."""

    def __init__(self):
        self.work = tempfile.mkdtemp(prefix="trayskin-e2e-")
        self.display = self.program = None
        self.failures = []


def run(test):
    """Runs test(session); prints what failed with the end of the program's
    standard output and error, then ends what the test started and removes
    its folder. The exit status: 0 when nothing failed."""
    session = Session()
    try:
        try:
            test(session)
        except TestFailure as failure:
            session.failures.append("FAILED: %s" % failure)
        for failure in session.failures:
            print(failure)
        for name in ("stdout", "stderr") if session.failures else ():
            path = os.path.join(session.work, name)
            if os.path.exists(path):
                with open(path, errors="replace") as f:
                    print("---", name, "\n" + f.read()[-3000:])
        return 1 if session.failures else 0
    finally:
        if session.program:
            session.program.kill()
        if session.display:
            session.display.close()
        shutil.rmtree(session.work, ignore_errors=True)
