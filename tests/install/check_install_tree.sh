#!/bin/sh
# Installs the build into a fresh prefix and checks what a desktop needs:
# the program, the help document, the menu entry, the metadata, every icon
# size, the chart script when it is part of the build, and sane file modes.
set -u
build=$1
prefix=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$prefix"
if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    echo "FAIL: cmake --install did not succeed"
    exit 1
fi

# expect_file <path below prefix> <octal mode>
expect_file() {
    path="$prefix/$1"
    if [ ! -f "$path" ]; then
        fail "$1 is not installed"
        return 1
    fi
    mode=$(stat -c %a "$path")
    [ "$mode" = "$2" ] || fail "$1 has mode $mode, expected $2"
    [ -s "$path" ] || fail "$1 is empty"
}

# png_size <file>: width x height from the IHDR chunk
png_size() {
    set -- $(od -An -tu1 -j16 -N8 "$1")
    echo "$(($1 * 16777216 + $2 * 65536 + $3 * 256 + $4))x$(($5 * 16777216 + $6 * 65536 + $7 * 256 + $8))"
}

expect_file bin/vantoria 755

help=share/vantoria/Blutdruckmesswerte-Hilfe.pdf
if expect_file "$help" 644; then
    [ "$(head -c 5 "$prefix/$help")" = "%PDF-" ] || fail "$help is not a PDF"
fi

desktop=share/applications/vantoria.desktop
if expect_file "$desktop" 644; then
    exec_line=$(grep '^Exec=' "$prefix/$desktop" | head -n 1)
    program=${exec_line#Exec=}
    program=${program%% *}
    [ -x "$prefix/bin/$program" ] || fail "Exec=$program names no installed program"
    icon_line=$(grep '^Icon=' "$prefix/$desktop" | head -n 1)
    icon=${icon_line#Icon=}
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] \
        || fail "Icon=$icon has no scalable icon"
fi

metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml 2>/dev/null | head -n 1)
if [ -z "$metainfo" ]; then
    fail "no metainfo file below share/metainfo"
else
    name=$(basename "$metainfo")
    expect_file "share/metainfo/$name" 644
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [ "$name" = "$id.metainfo.xml" ] || fail "$name is not named after its id $id"
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [ -f "$prefix/share/applications/$launchable" ] \
        || fail "launchable $launchable is not installed"
    binary=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo")
    [ -x "$prefix/bin/$binary" ] || fail "provided binary $binary is not installed"
fi

if command -v appstreamcli >/dev/null; then
    appstreamcli validate-tree --no-net "$prefix" >"$prefix.tree.log" 2>&1 \
        || { cat "$prefix.tree.log"; fail "appstreamcli validate-tree rejects the tree"; }
else
    fail "appstreamcli is missing (apt-get install appstream)"
fi

for size in 16 32 48 64 128 256; do
    icon=share/icons/hicolor/${size}x${size}/apps/vantoria.png
    if expect_file "$icon" 644; then
        actual=$(png_size "$prefix/$icon")
        [ "$actual" = "${size}x${size}" ] || fail "$icon is $actual pixels"
    fi
done
expect_file share/icons/hicolor/scalable/apps/vantoria.svg 644

# The chart script belongs to the build once the charts install it.
script=share/vantoria/scripts/Chart.min.js
if [ -e "$prefix/$script" ]; then
    expect_file "$script" 644
fi

# Nothing writable by others, nothing executable that is not a program.
find "$prefix" -type f -perm /022 | while read -r path; do
    echo "FAIL: ${path#$prefix/} is writable by group or others"
done | grep . && failures=$((failures + 1))
find "$prefix" -type f -perm /111 ! -path "$prefix/bin/*" | while read -r path; do
    echo "FAIL: ${path#$prefix/} is executable"
done | grep . && failures=$((failures + 1))

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; installed files:"
    (cd "$prefix" && find . -type f | sort)
    exit 1
fi
echo "installed tree in $prefix is complete"
