#!/usr/bin/python3
"""One month, driven through the real program's window under several locales.

Starts the real vantoria executable once per locale (C, German, French,
Turkish) with the same month of readings, and works it as a user does, with
real mouse clicks and keys found through the accessibility tree: reads the
labels and the evaluation memo, presses both chart buttons, adds one reading
with a weight, opens the month table and copies it as text, and quits. Every
text and file it sees must equal, byte for byte, the expected files in
tests/data/locales, which were written from a C run and checked by hand.

    month_under_locales.py VANTORIA [--keep DIR] [--write-expected]

Runs on a desktop of its own: tools/run-on-desktop.sh /usr/bin/python3 ...
--keep DIR leaves what each locale produced in DIR/<locale>/ for a look after
a failure; --write-expected writes the C run's results as the new expected
files (read them before committing).
"""

import argparse
import datetime
import difflib
import locale
import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
except ImportError:
    sys.exit("FAIL: this Python cannot import pyatspi; run it with Debian's /usr/bin/python3 "
             "and the package python3-pyatspi (tools/setup.sh installs it)")

LOCALES = ["C", "de_DE.UTF-8", "fr_FR.UTF-8", "tr_TR.UTF-8"]
HERE = os.path.dirname(os.path.abspath(__file__))
MONTH = os.path.join(HERE, "..", "data", "months", "Muster_01_2024.tab")
EXPECTED = os.path.join(HERE, "..", "data", "locales")
TITLE = "Blutdruckmesswerte  Januar 2024  Muster"
MONTH_FILE = "Muster_01_2024.tab"
PAGE_FILE = "Muster_01_2024.html"

# The artefacts one run produces, compared with the expected file of the same
# name: UTF-8 texts read from the window, and bytes the program wrote.
ARTEFACTS = [
    "window-start.txt",  # labels, list, fields, buttons and memo after the start
    "bar.html",          # the bar chart page as opened in the browser
    "line.html",         # the line chart page as opened in the browser
    "window-added.txt",  # the window again after the add
    "table.txt",         # the whole month table, with the add, copied as text
    MONTH_FILE,          # the month file after the add and the end
]


class Failure(Exception):
    pass


def wait_for(what, condition, timeout=10.0):
    """Polls condition until it returns something true; that is returned."""
    deadline = time.monotonic() + timeout
    error = None
    while True:
        try:
            result = condition()
        except Exception as raised:  # the tree changes under our feet while windows come and go
            result, error = None, raised
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s%s"
                          % (timeout, what, " (last error: %s)" % error if error else ""))
        time.sleep(0.05)


def check_locale_generated(name):
    try:
        locale.setlocale(locale.LC_ALL, name)
    except locale.Error:
        raise Failure(
            "the locale %s is not generated on this machine; tools/setup.sh "
            "generates it (localedef -i %s -f UTF-8 %s)"
            % (name, name.split(".")[0], name))
    finally:
        locale.setlocale(locale.LC_ALL, "C")


# --- the accessibility tree -------------------------------------------------

def walk(node):
    """The node and its descendants, in tree order."""
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def showing(node):
    states = node.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def find(root, role, name=None, description=None):
    """The first showing node of the role (and name or description)."""
    for node in walk(root):
        if node.getRole() != role:
            continue
        if name is not None and node.name != name:
            continue
        if description is not None and node.description != description:
            continue
        if showing(node):
            return node
    return None


def top_window(app, role):
    for index in range(app.childCount):
        window = app.getChildAtIndex(index)
        if window is not None and window.getRole() == role and showing(window):
            return window
    return None


def open_windows(app):
    names = []
    for index in range(app.childCount):
        window = app.getChildAtIndex(index)
        if window is not None and showing(window):
            texts = [node.name for node in walk(window)
                     if node.getRole() == pyatspi.ROLE_LABEL and node.name]
            names.append("%s %r %r" % (window.getRoleName(), window.name, texts[:6]))
    return "; ".join(names) or "none"


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def click(node):
    x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if width <= 0 or height <= 0:
        raise Failure("%s %r has no place on the screen" % (node.getRoleName(), node.name))
    # XTest events reach the server in order, so the press lands where the
    # pointer went; --sync would hang when the pointer is already there.
    xdotool("mousemove", str(x + width // 2), str(y + height // 2), "click", "1")


def text_of(node):
    return node.queryText().getText(0, -1)


def choose_menu(app, frame, title, item):
    click(wait_for("menu %r" % title, lambda: find(frame, pyatspi.ROLE_MENU_ITEM, title)))
    click(wait_for("menu item %r" % item, lambda: find(app, pyatspi.ROLE_MENU_ITEM, item)))


# --- the main window --------------------------------------------------------

def window_texts(frame):
    """What the user reads in the window, top to bottom: labels, the list,
    the fields, the buttons and switches, and the evaluation memo.

    The date label shows today and is checked against today instead."""
    lines = []
    today = {day.strftime("Heute ist der %d.%m.%Y") for day in
             (datetime.date.today(), datetime.date.today() - datetime.timedelta(days=1))}
    the_memo = memo(frame)
    for node in walk(frame):
        role = node.getRole()
        if role == pyatspi.ROLE_LIST_ITEM:
            lines.append("list: " + node.name)  # scrolled out of sight or not
            continue
        if not showing(node) or node == the_memo:
            continue
        if role == pyatspi.ROLE_LABEL and node.name:
            if node.name.startswith("Heute ist der "):
                if node.name not in today:
                    raise Failure("the date label reads %r, expected one of %s"
                                  % (node.name, sorted(today)))
                continue
            lines.append("label: " + node.name)
        elif role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_SPIN_BUTTON):
            lines.append("field %s: %s" % (node.description or "", text_of(node)))
        elif role == pyatspi.ROLE_PUSH_BUTTON and node.name:
            lines.append("button: " + node.name)
        elif role in (pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON):
            checked = node.getState().contains(pyatspi.STATE_CHECKED)
            lines.append("switch %s: %s"
                         % (node.name or node.description, "on" if checked else "off"))
    lines.append("memo:")
    lines.append(text_of(the_memo))
    return "\n".join(lines) + "\n"


def memo(frame):
    for node in walk(frame):
        if (node.getRole() == pyatspi.ROLE_TEXT
                and node.getState().contains(pyatspi.STATE_MULTI_LINE) and showing(node)):
            return node
    raise Failure("the evaluation memo is not in the window")


# --- one run ----------------------------------------------------------------

FAKE_OPENER = """#!/usr/bin/python3
# Stands in for the desktop's opener: keeps a copy of each opened page.
import os, shutil, sys, urllib.parse
folder = %r
url = sys.argv[-1]
path = url
if url.startswith("file:"):
    path = urllib.parse.unquote(urllib.parse.urlparse(url).path)
number = len([name for name in os.listdir(folder) if name.endswith(".path")])
shutil.copyfile(path, os.path.join(folder, "%%d.page" %% number))
# The path file appears last and whole: the sign that the page is there.
marker = os.path.join(folder, "%%d.path" %% number)
with open(marker + ".tmp", "w") as out:
    out.write(path)
os.rename(marker + ".tmp", marker)
"""


def prepare(root):
    work = os.path.join(root, "work")
    year = os.path.join(work, "Blutdruck-Daten-Galerie", "2024")
    os.makedirs(year)
    # The last evening of the month stays free, so that the add has a slot.
    with open(MONTH, "rb") as source:
        lines = source.read().split(b"\r\n")
    if lines[-1] != b"" or not lines[-2].startswith(b"Abends den 31.01.2024"):
        raise Failure("the month fixture no longer ends with the evening of 31.01.2024")
    with open(os.path.join(year, MONTH_FILE), "wb") as target:
        target.write(b"\r\n".join(lines[:-2] + [b""]))

    config = os.path.join(root, "config", "Quenlor")
    os.makedirs(config)
    values = [
        ("InstallOrt", work + "/"), ("DatenSpeicherOrt", work + "/"), ("BenutzerName", "Muster"),
        ("TabellenDateiName", os.path.join(year, MONTH_FILE)),
        ("UhrzeitMorgens", "07:30"), ("UhrzeitMessung2", "13:00"), ("UhrzeitMessung3", "15:30"),
        ("UhrzeitAbends", "20:40"), ("GalerieVerzeichnisName", "Blutdruck-Daten-Galerie"),
        ("HtmlVerzeichnisName", "Blutdruck-Daten im Browser"),
        ("SystolischKurvenFarbe", "16711680"), ("DiastolischKurvenFarbe", "32768"),
        ("PulsKurvenFarbe", "8388863"), ("FormFarbe", "410617"), ("ListboxFarbe", "6786300"),
        ("Browser", "standard"),
    ]
    with open(os.path.join(config, "Vantoria.conf"), "w", encoding="utf-8") as out:
        out.write("[HKEY_CURRENT_USER\\Software\\Quenlor\\Vantoria]\n")
        for name, value in values:
            out.write('"%s"="%s"\n' % (name, value))
        out.write('"LinieBeiNullUnterbrechen"=dword:00000001\n')
        out.write('"WerteOberhalbKurveAnzeigen"=dword:00000001\n')
        out.write('"DatenwerteOberhalbFarbe"="128"\n')

    opened = os.path.join(root, "opened")
    bin_folder = os.path.join(root, "bin")
    os.makedirs(opened)
    os.makedirs(bin_folder)
    opener = os.path.join(bin_folder, "xdg-open")
    with open(opener, "w") as out:
        out.write(FAKE_OPENER % opened)
    os.chmod(opener, 0o755)
    os.makedirs(os.path.join(root, "home"))
    return work, os.path.join(year, MONTH_FILE), opened, bin_folder


def opened_page(opened, number, expected_path):
    marker = os.path.join(opened, "%d.path" % number)
    wait_for("page %d to be opened in the browser" % (number + 1), lambda: os.path.exists(marker))
    with open(marker) as source:
        path = source.read()
    if path != expected_path:
        raise Failure("the browser was asked to open %r, expected %r" % (path, expected_path))
    with open(os.path.join(opened, "%d.page" % number), "rb") as source:
        return source.read()


def clipboard():
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-target", "UTF8_STRING"],
                            capture_output=True, timeout=5)
    return result.stdout if result.returncode == 0 else b""


def run_locale(program, name, root, results):
    """Works the month under the locale; fills results as it goes, so that
    what was seen before a failing step can still be compared."""
    work, month_path, opened, bin_folder = prepare(root)
    environment = dict(os.environ)
    for variable in list(environment):
        if variable.startswith("LC_") or variable in ("LANG", "LANGUAGE"):
            del environment[variable]
    environment.update({
        "LANG": name, "LC_ALL": name,
        "HOME": os.path.join(root, "home"),
        "XDG_CONFIG_HOME": os.path.join(root, "config"),
        "PATH": bin_folder + os.pathsep + environment.get("PATH", ""),
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
    })
    log = open(os.path.join(root, "vantoria.log"), "wb")
    process = subprocess.Popen([program], cwd=work, env=environment,
                               stdout=log, stderr=subprocess.STDOUT)
    try:
        app = wait_for("the program's accessible application", lambda: application(process.pid), 20)
        frame = wait_for("the main window", lambda: top_window(app, pyatspi.ROLE_FRAME), 20)
        wait_for("the month's title in the window", lambda: find(frame, pyatspi.ROLE_LABEL, TITLE))
        wait_for("the evaluation in the memo", lambda: "MAD" in text_of(memo(frame)))
        results["window-start.txt"] = window_texts(frame).encode("utf-8")

        page_path = os.path.join(work, "Blutdruck-Daten im Browser", "2024", PAGE_FILE)
        click(find(frame, pyatspi.ROLE_PUSH_BUTTON,
                   description="Balkendiagramm erstellen und im Browser anzeigen"))
        results["bar.html"] = opened_page(opened, 0, page_path)
        click(find(frame, pyatspi.ROLE_PUSH_BUTTON,
                   description="Liniendiagramm erstellen und im Browser anzeigen"))
        results["line.html"] = opened_page(opened, 1, page_path)
        if not os.path.isfile(os.path.join(os.path.dirname(page_path), "Chart.min.js")):
            raise Failure("Chart.min.js was not copied beside the pages")

        # The add: the weight with its decimal comma, two tenths up, into the
        # free evening slot that follows the preset from the last reading.
        # With the morning's 79,1 the day's weight mean in the table is 79,2.
        the_list = find(frame, pyatspi.ROLE_LIST)
        readings = the_list.childCount
        weight_switch = find(frame, pyatspi.ROLE_CHECK_BOX, "Das Gewicht eingeben")
        weight_group = weight_switch.parent
        weight_edit = find(weight_group, pyatspi.ROLE_TEXT)
        up = find(weight_group, pyatspi.ROLE_PUSH_BUTTON, "Gewicht erhöhen")
        click(weight_switch)
        click(wait_for("the tenths switch", lambda: find(weight_group, pyatspi.ROLE_RADIO_BUTTON,
                                                          "Schrittweite 0,1 kg")))
        for expected in ("79,2", "79,3"):
            click(up)
            try:
                wait_for("the weight field to read %r" % expected,
                         lambda: text_of(weight_edit) == expected, 3)
            except Failure as failure:
                raise Failure("%s; it reads %r" % (failure, text_of(weight_edit)))
        click(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Messung 3"))
        wait_for("the slot button to move on to the evening",
                 lambda: find(frame, pyatspi.ROLE_PUSH_BUTTON, "Abends"))
        click(find(frame, pyatspi.ROLE_PUSH_BUTTON, "In Liste aufnehmen"))
        try:
            wait_for("the added reading in the list", lambda: the_list.childCount == readings + 1)
        except Failure as failure:
            raise Failure("%s; open windows: %s" % (failure, open_windows(app)))
        results["window-added.txt"] = window_texts(frame).encode("utf-8")

        choose_menu(app, frame, " Tabelle   ", "anzeigen")
        dialog = wait_for("the month table", lambda: top_window(app, pyatspi.ROLE_DIALOG))
        if dialog.name != TITLE:
            raise Failure("the month table is captioned %r, expected %r" % (dialog.name, TITLE))
        grid = wait_for("the grid of the month table", lambda: find(dialog, pyatspi.ROLE_TABLE))
        click(grid)
        xdotool("key", "--clearmodifiers", "ctrl+a", "ctrl+c")
        results["table.txt"] = wait_for("the table text on the clipboard", clipboard)
        # Escape leaves the table open; its own "Datei" menu closes it.
        choose_menu(app, dialog, "Datei", "Beenden")
        wait_for("the month table to close", lambda: top_window(app, pyatspi.ROLE_DIALOG) is None)

        choose_menu(app, frame, "Datei    ", "beenden")
        process.wait(timeout=10)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        log.close()
    if process.returncode != 0:
        raise Failure("the program ended with status %d" % process.returncode)
    with open(month_path, "rb") as source:
        results[MONTH_FILE] = source.read()


# --- comparing ---------------------------------------------------------------

def describe_difference(artefact, expected, actual):
    # The window texts are read as Unicode; the program writes Windows-1252.
    encoding = "utf-8" if artefact.startswith("window-") else "cp1252"
    left = expected.decode(encoding, "replace").splitlines(True)
    right = actual.decode(encoding, "replace").splitlines(True)
    diff = list(difflib.unified_diff([repr(line) + "\n" for line in left],
                                     [repr(line) + "\n" for line in right],
                                     "expected", "actual", n=1))
    return "".join(diff[:40]) or "the line ends or the encoding differ"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--keep")
    parser.add_argument("--write-expected", action="store_true")
    arguments = parser.parse_args()
    program = os.path.abspath(arguments.program)

    if not os.environ.get("DISPLAY"):
        print("no DISPLAY: run this through tools/run-on-desktop.sh", file=sys.stderr)
        return 2
    for name in LOCALES:
        try:
            check_locale_generated(name)
        except Failure as failure:
            print("FAIL:", failure, file=sys.stderr)
            return 1

    failures = []
    for name in LOCALES if not arguments.write_expected else ["C"]:
        started = time.monotonic()
        root = tempfile.mkdtemp(prefix="vantoria-%s-" % name)
        results = {}
        problems = []
        try:
            try:
                run_locale(program, name, root, results)
            except (Failure, subprocess.SubprocessError) as failure:
                problems.append(str(failure))
                print("FAIL %s: %s" % (name, failure), file=sys.stderr)
                with open(os.path.join(root, "vantoria.log"), "rb") as log:
                    sys.stderr.write(log.read().decode("utf-8", "replace")[-2000:])
            if arguments.keep:
                kept = os.path.join(arguments.keep, name)
                shutil.rmtree(kept, ignore_errors=True)
                os.makedirs(kept)
                for artefact, data in results.items():
                    with open(os.path.join(kept, artefact), "wb") as out:
                        out.write(data)
            if arguments.write_expected:
                if problems:
                    failures.append("%s: %s" % (name, problems[0]))
                    continue
                os.makedirs(EXPECTED, exist_ok=True)
                for artefact, data in results.items():
                    with open(os.path.join(EXPECTED, artefact), "wb") as out:
                        out.write(data)
                print("wrote the expected files from the C run to", os.path.normpath(EXPECTED))
                continue
            for artefact in ARTEFACTS:
                if artefact not in results:
                    continue  # the failing step above is the news
                with open(os.path.join(EXPECTED, artefact), "rb") as source:
                    expected = source.read()
                if results[artefact] != expected:
                    problems.append(artefact + " differs")
                    difference = describe_difference(artefact, expected, results[artefact])
                    print("FAIL %s: %s differs from tests/data/locales/%s\n%s"
                          % (name, artefact, artefact, difference), file=sys.stderr)
            if problems:
                failures.append("%s: %s" % (name, "; ".join(problems)))
            else:
                print("ok %s: %d texts and files as expected (%.1f s)"
                      % (name, len(ARTEFACTS), time.monotonic() - started))
        finally:
            shutil.rmtree(root, ignore_errors=True)

    if failures:
        print("%d locale(s) failed: %s" % (len(failures), "; ".join(failures)), file=sys.stderr)
        if arguments.keep:
            print("what each locale produced is in %s/<locale>/" % arguments.keep, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
