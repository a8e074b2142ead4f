#!/usr/bin/python3
"""The words of an alert on screen, read through the accessibility bus, in
the user's language: the start-up failure alert ("My Apologies", "Bad setup
prefs", "Quit", and beneath them the path and the system's error) of a home
folder whose Library is a file. Without a table for the language (the C
locale) the keys show; English and German show their tables' sentences. Passes when each alert reads as expected and its button
ends the program with 0.

    dbus-run-session -- alert_texts.py BUILD_DIR
"""

import os
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import (Display, Program, TestFailure, find, press, run,  # noqa: E402
                     start_accessibility, states, text_of, wait_for)

# Beneath the message, what failed and the system's error (in whatever
# language the system gives it): the detail's beginning.
LANGUAGES = [
    ("C.UTF-8", "My Apologies", "Bad setup prefs", "Could not set up {}: ", "Quit"),
    ("en_US.UTF-8", "My Apologies",
     "Your picture library in your home folder could not be set up.", "Could not set up {}: ",
     "Quit"),
    ("de_DE.UTF-8", "Wir bitten um Entschuldigung",
     "Die Bildbibliothek in Ihrem Benutzerordner konnte nicht eingerichtet werden.",
     "{} konnte nicht eingerichtet werden: ", "Beenden"),
]


def shown_labels(alert):
    """The texts of the alert's labels on screen."""
    labels = pyatspi.utils.findAllDescendants(
        alert, lambda a: a is not None and a.getRole() == pyatspi.ROLE_LABEL)
    return sorted(text_of(label) for label in labels
                  if states(label).contains(pyatspi.STATE_SHOWING) and text_of(label))


def test(session):
    program_path = os.path.join(sys.argv[1], "Trayskin.app", "Contents", "MacOS", "trayskin")
    work = session.work
    home = os.path.join(work, "home")
    os.makedirs(home)
    # A system with a Menu Extras folder, so the program is in menu-extras mode.
    os.makedirs(os.path.join(work, "system", "System", "Library", "CoreServices", "Menu Extras"))
    with open(os.path.join(home, "Library"), "w") as f:
        f.write("a file where the Library folder belongs\n")
    session.display = Display()
    start_accessibility(work)
    library = os.path.join(home, "Library", "Trayskin")
    for lang, title, message, detail, button in LANGUAGES:
        program = session.program = Program(
            program_path, {"TRAYSKIN_SYSROOT": os.path.join(work, "system"), "HOME": home,
                           "LANG": lang, "LC_ALL": lang, "LANGUAGE": ""},
            os.path.join(work, "stdout"), os.path.join(work, "stderr"))
        alert = program.window([pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG], title)
        expected = sorted([title, message])
        start = detail.format(library)

        def as_expected():
            labels = shown_labels(alert)
            details = [label for label in labels if label.startswith(start)]
            return (len(details) == 1 and len(details[0]) > len(start)
                    and sorted(label for label in labels if label not in details) == expected)
        try:
            wait_for("the alert's labels", as_expected, limit=30)
        except TestFailure:
            session.failures.append("%s: %r, not %r and %r..." % (
                lang, shown_labels(alert), expected, start))
        press(wait_for("the alert's button",
                       lambda: find(alert, pyatspi.ROLE_PUSH_BUTTON, button)))
        status = program.wait_exit()
        if status != 0:
            session.failures.append("%s: the program ended with %d" % (lang, status))
        session.program = None


if __name__ == "__main__":
    sys.exit(run(test))
