#!/usr/bin/env bash
# Sets up Vantoria on a fresh Debian 12 machine (as root, or with sudo):
# installs every Debian and npm package the project needs, builds it, and then
#   --run   starts the program, or
#   --test  runs every test through CTest.
set -euo pipefail

mode="${1:---test}"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VANTORIA_BUILD_DIR:-$repo/build}"
cd "$repo"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(
    # toolchain
    g++ cmake ninja-build pkg-config dpkg-dev clang-format clang-tidy
    # Qt 6 widgets, printing, tests, translations (German standard buttons)
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qt6-translations-l10n qt6-qpa-plugins libgl-dev fonts-dejavu-core
    # the backup file (ZIP)
    libzip-dev
    # benchmarks, fuzzing and sanitizers
    libbenchmark-dev clang libclang-rt-14-dev
    # page tests in the real browser, printout checks, a real desktop (X server,
    # window manager, accessibility bus, input, window and clipboard tools) for the tests
    chromium poppler-utils xvfb xauth openbox x11-utils xdotool dbus dbus-x11 at-spi2-core
    # the panel of the test desktop (tools/desktop_panel)
    libx11-dev
    python3 python3-pyatspi xclip
    # maximizing windows from scripts, and screenshots of the desktop
    wmctrl imagemagick
    # the locales the tests run under: German as the users have it, French and
    # Turkish for their number and case rules
    locales
    # time zones: the FHIR export writes each reading's UTC offset
    tzdata
    # validators of the desktop entry and the AppStream metadata
    desktop-file-utils appstream
    # the reminders' tests: a real notification daemon (dunst, with dunstctl)
    # on the test desktop, and libfaketime to move the background process's
    # clock to just before a reminder
    dunst faketime
    # two real Syncthing instances make the conflict copies the diary merges
    # (tst_syncthing_conflicts); curl speaks to their REST interface
    syncthing curl
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ! command -v npm >/dev/null 2>&1; then
    missing+=(nodejs npm)
fi
if [ "${#missing[@]}" -gt 0 ]; then
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

for locale in de_DE fr_FR tr_TR; do
    if ! locale -a 2>/dev/null | grep -qix "$locale.utf8"; then
        as_root localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
    fi
done

# Chart.js 2.9.4 (shipped with the program) and the browser driver of the page tests.
npm ci --no-audit --no-fund --loglevel=error

# Line tables only (-g1): backtraces and profiles still name file and line,
# and the build takes a fifth less compiler time.
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTORIA_WERROR=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
cmake --build "$build" -j "$(nproc)"

case "$mode" in
--run)
    exec "$build/src/app/vantoria"
    ;;
--test)
    runtime="$(mktemp -d)"
    chmod 0700 "$runtime"
    export XDG_RUNTIME_DIR="$runtime"
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: $0 --run | --test" >&2
    exit 2
    ;;
esac
