#!/usr/bin/python3
"""The main window as a screen reader meets it, read through AT-SPI.

Starts the real vantoria executable with a month of readings and reads the
accessibility tree of its window: every control has a German name and a
description, the list rows are sentences, and Tab, pressed as keys, walks the
entry form in the order day, month, year, slot, time, systolic, diastolic,
pulse, weight switch, weight, add button.

    accessibility_tree.py VANTORIA

Runs on a desktop of its own: tools/run-on-desktop.sh /usr/bin/python3 ...
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from month_under_locales import (Failure, application, choose_menu, find, prepare,  # noqa: E402
                                 showing, top_window, wait_for, walk, xdotool)
import pyatspi  # noqa: E402

TITLE = "Blutdruckmesswerte  Januar 2024  Muster"

# Roles of the controls a user works, and of their parts a reader names.
CONTROL_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
                 pyatspi.ROLE_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_LIST}

TAB_ORDER = ["Tag", "Monat", "Jahr", "Messung 3", "Uhrzeit", "Systolischer Wert in mmHg",
             "Diastolischer Wert in mmHg", "Puls pro Minute", "Das Gewicht eingeben",
             "Gewicht in kg", "In Liste aufnehmen"]

SENTENCE = re.compile(r"^(Morgens|Messung 2|Messung 3|Abends), \d{1,2}\. Januar 2024, "
                      r"\d{1,2}:\d\d Uhr, \d+ zu \d+, Puls \d+(, Gewicht \d+,\d kg)?$")


def focused(frame):
    for node in walk(frame):
        if node.getRole() in CONTROL_ROLES and node.getState().contains(pyatspi.STATE_FOCUSED):
            return node
    return None


def check_names(frame):
    problems = []
    controls = [node for node in walk(frame) if node.getRole() in CONTROL_ROLES and showing(node)]
    if len(controls) < 25:
        problems.append("only %d controls in the tree" % len(controls))
    for node in controls:
        if not node.name.strip():
            problems.append("a %s without a name (%r)" % (node.getRoleName(), node.description))
        elif not node.description.strip():
            problems.append("%s %r without a description" % (node.getRoleName(), node.name))
    if find(frame, pyatspi.ROLE_SPIN_BUTTON, "Systolischer Wert in mmHg") is None:
        problems.append("no spin field named 'Systolischer Wert in mmHg'")
    for name in ("Balkendiagramm", "Liniendiagramm"):
        if find(frame, pyatspi.ROLE_PUSH_BUTTON, name) is None:
            problems.append("no button named %r" % name)
    return problems


def check_rows(frame):
    the_list = find(frame, pyatspi.ROLE_LIST)
    rows = [the_list.getChildAtIndex(i).name for i in range(the_list.childCount)]
    problems = ["row %d reads %r" % (i, row) for i, row in enumerate(rows)
                if not SENTENCE.match(row)]
    first = "Morgens, 1. Januar 2024, 7:30 Uhr, 125 zu 73, Puls 60, Gewicht 79,1 kg"
    if not rows or rows[0] != first:
        problems.append("the first row reads %r, expected %r" % (rows[:1], first))
    return problems


def check_tab_order(frame):
    switch = find(frame, pyatspi.ROLE_CHECK_BOX, "Das Gewicht eingeben")
    # The weight field takes part only when switched on; switched as the
    # keyboard user does, with the space bar.
    switch.queryComponent().grabFocus()
    wait_for("the focus on the weight switch", lambda: focused(frame) == switch)
    xdotool("key", "--clearmodifiers", "space")
    wait_for("the weight switch to be on",
             lambda: switch.getState().contains(pyatspi.STATE_CHECKED))
    day = find(frame, pyatspi.ROLE_SPIN_BUTTON, "Tag")
    day.queryComponent().grabFocus()
    wait_for("the focus on the day field", lambda: focused(frame) and focused(frame).name == "Tag")
    seen = ["Tag"]
    for _ in TAB_ORDER[1:]:
        before = focused(frame)
        xdotool("key", "--clearmodifiers", "Tab")
        node = wait_for("the focus to move on from %r" % seen[-1],
                        lambda: focused(frame) if focused(frame) != before else None)
        seen.append(node.name)
    return [] if seen == TAB_ORDER else ["Tab leads through %r, expected %r" % (seen, TAB_ORDER)]


def main():
    program = os.path.abspath(sys.argv[1])
    if not os.environ.get("DISPLAY"):
        print("no DISPLAY: run this through tools/run-on-desktop.sh", file=sys.stderr)
        return 2
    root = tempfile.mkdtemp(prefix="vantoria-a11y-")
    environment = dict(os.environ)
    work, _, _, bin_folder = prepare(root)
    environment.update({
        "LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8", "HOME": os.path.join(root, "home"),
        "XDG_CONFIG_HOME": os.path.join(root, "config"),
        "PATH": bin_folder + os.pathsep + environment.get("PATH", ""),
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
    })
    log = open(os.path.join(root, "vantoria.log"), "wb")
    process = subprocess.Popen([program], cwd=work, env=environment, stdout=log,
                               stderr=subprocess.STDOUT)
    problems = []
    try:
        app = wait_for("the program's accessible application", lambda: application(process.pid), 20)
        frame = wait_for("the main window", lambda: top_window(app, pyatspi.ROLE_FRAME), 20)
        wait_for("the month's title", lambda: find(frame, pyatspi.ROLE_LABEL, TITLE))
        problems += check_names(frame)
        problems += check_rows(frame)
        problems += check_tab_order(frame)
        choose_menu(app, frame, "Datei    ", "beenden")
        process.wait(timeout=10)
    except (Failure, subprocess.SubprocessError) as failure:
        problems.append(str(failure))
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        log.close()
        shutil.rmtree(root, ignore_errors=True)
    for problem in problems:
        print("FAIL:", problem, file=sys.stderr)
    if not problems:
        print("ok: every control named and described, rows as sentences, Tab in form order")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
