#!/bin/sh
# appstreamcli validates the metadata without network (it fails on warnings),
# and the metadata agrees with the desktop entry it launches.
set -u
metainfo=$1
entry=$2
if ! command -v appstreamcli >/dev/null; then
    echo "FAIL: appstreamcli is missing (apt-get install appstream)"
    exit 1
fi
appstreamcli validate --no-net "$metainfo" || { echo "FAIL: $metainfo does not validate"; exit 1; }
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$(basename "$entry")" ] \
    || { echo "FAIL: launchable '$launchable' is not $(basename "$entry")"; exit 1; }
binary=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo")
grep -q "^Exec=$binary\( \|$\)" "$entry" \
    || { echo "FAIL: provided binary '$binary' is not what $entry starts"; exit 1; }
for tag in 'name xml:lang="de"' 'summary xml:lang="de"' 'p xml:lang="de"'; do
    grep -q "<$tag>" "$metainfo" || { echo "FAIL: no German <$tag>"; exit 1; }
done
echo "$metainfo is valid"
