#!/usr/bin/env bash
# Runs one command on a desktop of its own, as users run the program: an X
# server (Xvfb) with the openbox window manager and a session bus with the
# accessibility bus, so that tooltips, menus, focus, other windows and screen
# readers behave as they do for a user. Each run gets its own display, so
# tests can run in parallel without stealing each other's focus.
#
#   run-on-desktop.sh [--screen WxH] [--panel N] command [args...]
#
# --panel N puts a panel N pixels high across the bottom of the screen, which
# the window manager leaves out of the work area as it does a taskbar; the
# command starts once the work area has shrunk. The panel is the program
# desktop_panel of the build ($VANTORIA_DESKTOP_PANEL, else build/ beside
# this folder).
#
# The command's exit status is returned. Everything started here ends with it.
set -euo pipefail

screen="1920x1080"
panel=""
while [ $# -gt 0 ]; do
    case "$1" in
    --screen) screen="$2"; shift 2 ;;
    --panel) panel="$2"; shift 2 ;;
    *) break ;;
    esac
done
panel_program="${VANTORIA_DESKTOP_PANEL:-$(dirname "$0")/../build/tools/desktop_panel/desktop_panel}"
if [ -n "$panel" ] && [ ! -x "$panel_program" ]; then
    echo "run-on-desktop.sh: no panel program at $panel_program" >&2
    exit 2
fi

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the pipe.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r number <"$work/display"
export DISPLAY=":$number"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
# The window manager is ready once it has announced itself on the root window.
for _ in $(seq 1 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
        break
    fi
    sleep 0.05
done

if [ -n "$panel" ]; then
    # The panel says "ready" once the work area leaves it out.
    mkfifo "$work/panel"
    "$panel_program" "$panel" >"$work/panel" 2>"$work/panel.log" &
    pids+=($!)
    if ! read -r ready <"$work/panel" || [ "$ready" != "ready" ]; then
        echo "run-on-desktop.sh: the panel did not start:" >&2
        cat "$work/panel.log" >&2
        exit 2
    fi
    export VANTORIA_DESKTOP_PANEL_HEIGHT="$panel"
fi

export QT_QPA_PLATFORM=xcb
export XDG_SESSION_TYPE=x11
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
fi

status=0
dbus-run-session -- "$@" || status=$?
exit "$status"
