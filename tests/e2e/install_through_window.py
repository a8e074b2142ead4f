#!/usr/bin/python3
"""One whole install with the built bundle, as a German user does it with the
keyboard, on a private virtual display: the first start with its backup, then
Volume and its "Ocean" set chosen by typing, the use button pressed, the
completion alert answered, and Quit from the menu; then a start that fails,
its alert read and answered. Every word on screen is looked for as the German
table gives it. Passes when the sandbox's Volume bundle holds the set's
pictures byte for byte, standard output has one "copy" line per picture, and
both runs of the program end with 0.

    dbus-run-session -- install_through_window.py BUILD_DIR
"""

import filecmp
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import (Display, Program, TestFailure, find, press, run,  # noqa: E402
                     start_accessibility, states, text_of, wait_for, xdotool)

TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir,
                     "resources", "translations", "trayskin_de.ts")


def german(key):
    """The German table's words for the key, as shown (without the mnemonic)."""
    for message in ElementTree.parse(TABLE).iter("message"):
        if message.findtext("source") == key:
            return re.sub("&(.)", r"\1", message.findtext("translation"))
    raise TestFailure("no German words for %r" % key)


def inspector_names(window, name):
    """Whether the inspector shows the item with that name."""
    inspector = find(window, pyatspi.ROLE_TEXT, german("Inspector"))
    return inspector is not None and text_of(inspector).startswith(german("Name: ") + name + "\n")


def select_by_typing(program, window, key, name):
    """Types the key in the focused column until the inspector shows name.
    A key lost on a busy machine is typed again after a while."""
    for _ in range(5):
        xdotool("key", "--clearmodifiers", key)
        try:
            wait_for(name + " in the inspector", lambda: inspector_names(window, name), limit=15)
            return
        except TestFailure:
            program.check_running()
    raise TestFailure("typing %s never selected %s" % (key, name))


def start(session, home):
    """The built program, in German, on the sandbox's system and that home folder."""
    session.program = Program(
        os.path.join(sys.argv[1], "Trayskin.app", "Contents", "MacOS", "trayskin"),
        {"TRAYSKIN_SYSROOT": os.path.join(session.work, "system"), "HOME": home,
         "LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8", "LANGUAGE": ""},
        os.path.join(session.work, "stdout"), os.path.join(session.work, "stderr"))
    return session.program


def test(session):
    work = session.work
    system = os.path.join(work, "system")
    home = os.path.join(work, "home")
    os.makedirs(home)
    subprocess.run([os.path.join(sys.argv[1], "resources", "artgen"), "sandbox", system],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session.display = Display()
    start_accessibility(work)
    program = start(session, home)

    window = program.window(pyatspi.ROLE_FRAME, "Trayskin")
    use = wait_for("the use button", lambda: find(window, pyatspi.ROLE_PUSH_BUTTON,
                                                  german("&Use This Set")))
    program.focus_window("Trayskin")
    # Column 0 has the keyboard at start: V selects Volume; Right goes to
    # its sets, where O selects Ocean.
    select_by_typing(program, window, "V", "Volume")
    xdotool("key", "--clearmodifiers", "Right")
    select_by_typing(program, window, "O", "Ocean")
    wait_for("the use button to be enabled", lambda: states(use).contains(pyatspi.STATE_ENABLED))
    press(use)

    alert = program.window([pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG],
                           german("Installation Complete"))
    expected = german("Need restart").replace("%1", german("Sound"))
    if find(alert, pyatspi.ROLE_LABEL, pred=lambda a: text_of(a) == expected) is None:
        raise TestFailure("no completion message %r" % expected)
    press(wait_for("the alert's button", lambda: find(alert, pyatspi.ROLE_PUSH_BUTTON,
                                                      german("Open System Preferences"))))
    wait_for("the alert to close", lambda: not states(alert).contains(pyatspi.STATE_SHOWING)
             or program.application().childCount == 1)

    quit_item = find(program.application(), pyatspi.ROLE_MENU_ITEM, german("&Quit Trayskin"))
    try:
        press(quit_item)
    except Exception:  # the program may end before it answers
        pass
    if program.wait_exit() != 0:
        session.failures.append("the program ended with %d" % program.process.returncode)
    library = os.path.join(home, "Library", "Trayskin", "Volume", "Ocean")
    resources = os.path.join(system, "System", "Library", "CoreServices", "Menu Extras",
                             "Volume.menu", "Contents", "Resources")
    pictures = sorted(n for n in os.listdir(library) if n.endswith(".tif"))
    for name in pictures:
        if not filecmp.cmp(os.path.join(library, name), os.path.join(resources, name),
                           shallow=False):
            session.failures.append("not installed: " + name)
    with open(os.path.join(work, "stdout")) as out:
        copies = [line for line in out.read().split("\n") if line == "copy"]
    if not pictures or len(copies) != len(pictures):
        session.failures.append("%d pictures, %d copy lines" % (len(pictures), len(copies)))
    if not session.failures:
        print("installed %d pictures of Volume/Ocean" % len(pictures))
    failed_start(session)


def failed_start(session):
    """A home folder whose Library is a file: the start-up alert says so,
    what failed and why beneath, and its button ends the program with 0."""
    home = os.path.join(session.work, "home-with-a-file")
    os.makedirs(home)
    with open(os.path.join(home, "Library"), "w") as f:
        f.write("a file where the Library folder belongs\n")
    program = start(session, home)
    alert = program.window([pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG], german("My Apologies"))
    detail = german("Could not set up %1: %2").replace(
        "%1", os.path.join(home, "Library", "Trayskin")).split("%2")[0]
    for what, shown in (("message", lambda text: text == german("Bad setup prefs")),
                        ("detail", lambda text: text.startswith(detail) and text != detail)):
        wait_for("the alert's " + what, lambda: find(
            alert, pyatspi.ROLE_LABEL, pred=lambda a: shown(text_of(a))))
    press(wait_for("the alert's button", lambda: find(alert, pyatspi.ROLE_PUSH_BUTTON,
                                                      german("Quit"))))
    if program.wait_exit() != 0:
        session.failures.append("the failed start ended with %d" % program.process.returncode)


if __name__ == "__main__":
    sys.exit(run(test))
