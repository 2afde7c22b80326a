#!/usr/bin/env bash
# Runs one command on a desktop of its own, as users run the program: an X
# server (Xvfb) with the openbox window manager and a session bus with the
# accessibility bus, so that tooltips, menus, focus, other windows and screen
# readers behave as they do for a user. Each run gets its own display, so
# tests can run in parallel without stealing each other's focus.
#
#   run-on-desktop.sh [--screen WxH] command [args...]
#
# The command's exit status is returned. Everything started here ends with it.
set -euo pipefail

screen="1920x1080"
if [ "${1:-}" = "--screen" ]; then
    screen="$2"
    shift 2
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

export QT_QPA_PLATFORM=xcb
export XDG_SESSION_TYPE=x11
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
fi

status=0
dbus-run-session -- "$@" || status=$?
exit "$status"
