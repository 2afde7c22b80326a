#!/bin/sh
# cpack builds a .deb that installs below /usr, names its maintainer, pulls in
# the Qt run-time packages and carries every file of the installed tree.
set -u
build=$1
out=$2
command -v dpkg-shlibdeps >/dev/null || { echo "FAIL: dpkg-shlibdeps is missing (apt-get install dpkg-dev)"; exit 1; }
rm -rf "$out"
mkdir -p "$out"
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"
    echo "FAIL: cpack did not build a package"
    exit 1
fi
deb=$(ls "$out"/vantoria_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { ls "$out"; echo "FAIL: no vantoria_*.deb"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = vantoria ] || fail "package name is $(field Package)"
[ "$(field Maintainer)" = "Vantoria developers <dev@vantoria.invalid>" ] \
    || fail "maintainer is $(field Maintainer)"
[ "$(field Section)" = misc ] || fail "section is $(field Section)"
depends=$(field Depends)
for package in libqt6core6 libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n; do
    echo "$depends" | grep -q "\\b$package\\b" || fail "Depends lacks $package: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $1, $NF}')
for path in ./usr/bin/vantoria ./usr/share/applications/vantoria.desktop \
            ./usr/share/vantoria/Blutdruckmesswerte-Hilfe.pdf \
            ./usr/share/icons/hicolor/scalable/apps/vantoria.svg \
            ./usr/share/icons/hicolor/48x48/apps/vantoria.png; do
    echo "$contents" | grep -q " $path\$" || fail "$path is not in the package"
done
echo "$contents" | grep -q ' ./usr/bin/vantoria$' && \
    echo "$contents" | grep ' ./usr/bin/vantoria$' | grep -q '^-rwxr-xr-x' \
    || fail "/usr/bin/vantoria is not mode 755"
echo "$contents" | awk '{print $2}' | grep -v '^\./usr/' | grep -v '^\./$' \
    | sed 's/^/FAIL: outside \/usr: /' | grep . && failures=$((failures + 1))

[ "$failures" -eq 0 ] || { dpkg-deb -I "$deb"; exit 1; }
echo "$(basename "$deb") is complete"
