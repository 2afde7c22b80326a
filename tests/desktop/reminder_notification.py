#!/usr/bin/python3
"""A reminder on a real desktop, from the background process to the quick entry.

On the desktop of tools/run-on-desktop.sh (Xvfb, openbox, a private session
bus): starts Debian's notification daemon dunst and dbus-monitor recording
every Notify call and ActionInvoked signal, then runs `vantoria
--erinnerungen` with its clock moved by faketime to ten seconds before the
morning reminder of Tuesday 3 March 2026. The reminder of Messung 2, due at
the same minute, must not come: that reading is already in the month file.
Checks the notification's summary, body and action, lets dunst invoke the
action, and checks that the diary opened with its quick entry; then that a
second reminder's diary hands its request to the running one, and that a
second background process leaves the first alone.

    reminder_notification.py VANTORIA
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

FAKE_START = "2026-03-03 07:29:50"
QUICK_ENTRY_TITLE = "Messung schnell eingeben"
MAIN_TITLE = "Blutdruckmesswerte"
SUMMARY = "Blutdruck messen"
BODY = "Morgens: Zeit für die Messung (07:30)."
MONTH_LINES = [
    "[Personendaten]", "BenutzerName=Muster", "Datum=März 2026",
    "1M=1", "2M=1", "3M=1", "4M=1", "",
    "Messung2 den 03.03.2026 Z=07:15 s=131, d=82, p=66, Gewicht=0",
]


class Failure(Exception):
    pass


def wait_for(what, condition, timeout):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(0.05)


def windows_named(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                           capture_output=True, text=True)
    return found.stdout.split()


def prepare(root):
    work = os.path.join(root, "work")
    year = os.path.join(work, "Blutdruck-Daten-Galerie", "2026")
    os.makedirs(year)
    month = os.path.join(year, "Muster_03_2026.tab")
    with open(month, "wb") as out:
        out.write("".join(line + "\r\n" for line in MONTH_LINES).encode("cp1252"))
    config = os.path.join(root, "config", "Quenlor")
    os.makedirs(config)
    values = [
        ("InstallOrt", work + "/"), ("DatenSpeicherOrt", work + "/"), ("BenutzerName", "Muster"),
        ("TabellenDateiName", month),
        ("UhrzeitMorgens", "07:30"), ("UhrzeitMessung2", "13:00"), ("UhrzeitMessung3", "15:30"),
        ("UhrzeitAbends", "20:40"), ("GalerieVerzeichnisName", "Blutdruck-Daten-Galerie"),
        ("HtmlVerzeichnisName", "Blutdruck-Daten im Browser"),
        ("SystolischKurvenFarbe", "16711680"), ("DiastolischKurvenFarbe", "32768"),
        ("PulsKurvenFarbe", "8388863"), ("FormFarbe", "410617"), ("ListboxFarbe", "6786300"),
        ("Browser", "standard"),
        ("ErinnerungMorgens", "an;07:30;Mo,Di,Mi,Do,Fr,Sa,So"),
        ("ErinnerungMessung2", "an;07:30;Di"),
    ]
    with open(os.path.join(config, "Vantoria.conf"), "w", encoding="utf-8") as out:
        out.write("[HKEY_CURRENT_USER\\Software\\Quenlor\\Vantoria]\n")
        for name, value in values:
            out.write('"%s"="%s"\n' % (name, value))
    runtime = os.path.join(root, "run")
    os.makedirs(runtime, mode=0o700)
    os.makedirs(os.path.join(root, "home"))
    return work


def notify_calls(log_path):
    """The Notify calls dbus-monitor recorded: their string arguments in order."""
    with open(log_path, encoding="utf-8", errors="replace") as log:
        text = log.read()
    calls = []
    for block in re.split(r"\n(?=\S)", text):
        if "member=Notify" in block:
            calls.append(re.findall(r'^\s+string "(.*)"$', block, re.M))
    return calls, text


def run(program, root):
    work = prepare(root)
    environment = dict(os.environ)
    environment.update({
        "HOME": os.path.join(root, "home"),
        "XDG_CONFIG_HOME": os.path.join(root, "config"),
        "XDG_RUNTIME_DIR": os.path.join(root, "run"),
        "TZ": "Europe/Berlin",
    })
    started = []

    def start(command, log_name, **options):
        log = open(os.path.join(root, log_name), "wb")
        process = subprocess.Popen(command, cwd=work, env=environment, stdout=log,
                                   stderr=subprocess.STDOUT, **options)
        started.append(process)
        return process

    try:
        monitor_log = os.path.join(root, "monitor.log")
        start(["dbus-monitor", "--session",
               "type='method_call',interface='org.freedesktop.Notifications',member='Notify'",
               "type='signal',interface='org.freedesktop.Notifications',"
               "member='ActionInvoked'"], "monitor.log")
        start(["dunst"], "dunst.log")
        wait_for("dunst on the bus", lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
             "string:org.freedesktop.Notifications"],
            capture_output=True, text=True).stdout.strip().endswith("true"), 10)
        wait_for("dbus-monitor to listen", lambda: os.path.getsize(monitor_log) > 0, 5)

        clock = dict(environment, FAKETIME_DONT_FAKE_MONOTONIC="1")
        log = open(os.path.join(root, "reminders.log"), "wb")
        reminders = subprocess.Popen(["faketime", "-f", "@" + FAKE_START, program,
                                      "--erinnerungen"], cwd=work, env=clock, stdout=log,
                                     stderr=subprocess.STDOUT)
        started.append(reminders)
        time.sleep(1)
        if reminders.poll() is not None:
            raise Failure("the background process ended at once (%s)" % reminders.returncode)
        if notify_calls(monitor_log)[0]:
            raise Failure("a reminder came before its time")

        # One background process per user: a second one leaves at once.
        second = subprocess.run(["faketime", "-f", "@" + FAKE_START, program, "--erinnerungen"],
                                cwd=work, env=clock, timeout=10)
        if second.returncode != 0 or reminders.poll() is not None:
            raise Failure("a second background process did not leave the first alone")

        calls = wait_for("the reminder's Notify call", lambda: notify_calls(monitor_log)[0], 15)
        time.sleep(0.5)  # Messung 2 would have come in the same moment
        calls, text = notify_calls(monitor_log)
        if len(calls) != 1:
            raise Failure("expected one notification, got %d:\n%s" % (len(calls), text))
        strings = calls[0]
        # app_name, app_icon, summary, body, then the action's key and label
        if strings[2:4] != [SUMMARY, BODY] or strings[4:6] != ["eintragen", "Jetzt eintragen"]:
            raise Failure("the notification was %r" % strings)
        wait_for("dunst to show it", lambda: subprocess.run(
            ["dunstctl", "count", "displayed"], capture_output=True, text=True,
            env=environment).stdout.strip() == "1", 5)

        # The user chooses the action in dunst; dunst sends ActionInvoked.
        subprocess.run(["dunstctl", "action", "0"], check=True, env=environment, timeout=5)
        wait_for("ActionInvoked from dunst", lambda: "member=ActionInvoked" in
                 notify_calls(monitor_log)[1], 5)
        wait_for("the diary's quick entry", lambda: windows_named(QUICK_ENTRY_TITLE), 20)
        mains = windows_named(MAIN_TITLE)
        if len(mains) != 1:
            raise Failure("expected one diary window, found %d" % len(mains))

        # Closed, then asked for again from a second start: the running diary
        # takes the request, and the second start ends.
        # Closed through the window manager, as by the title bar's button.
        subprocess.run(["wmctrl", "-c", QUICK_ENTRY_TITLE], check=True)
        wait_for("the quick entry to close", lambda: not windows_named(QUICK_ENTRY_TITLE), 10)
        forwarded = subprocess.run([program, "--schnelleingabe=Abends"], cwd=work,
                                   env=environment, timeout=10)
        if forwarded.returncode != 0:
            raise Failure("the second start ended with %d" % forwarded.returncode)
        wait_for("the quick entry in the running diary", lambda: windows_named(QUICK_ENTRY_TITLE),
                 10)
        if len(windows_named(MAIN_TITLE)) != 1:
            raise Failure("the second start opened a second diary")
    finally:
        for process in reversed(started):
            process.terminate()
        for process in started:
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
        # The diary started by the action: ended through its own window.
        for window in windows_named(MAIN_TITLE):
            subprocess.run(["xdotool", "windowclose", window])


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for tool in ("dunst", "dunstctl", "faketime", "dbus-monitor", "xdotool", "wmctrl"):
        if not shutil.which(tool):
            sys.exit("FAIL: %s is missing (tools/setup.sh installs it)" % tool)
    root = tempfile.mkdtemp(prefix="vantoria-reminder-")
    started = time.monotonic()
    try:
        run(os.path.abspath(sys.argv[1]), root)
    except Failure as failure:
        for name in ("reminders.log", "dunst.log", "monitor.log"):
            path = os.path.join(root, name)
            if os.path.exists(path):
                print("--- %s" % name)
                print(open(path, errors="replace").read()[-3000:])
        print("FAIL: %s" % failure)
        return 1
    finally:
        shutil.rmtree(root, ignore_errors=True)
    print("PASS: reminder, action and quick entry in %.1f s" % (time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
