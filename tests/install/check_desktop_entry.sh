#!/bin/sh
# desktop-file-validate passes the entry; hints are allowed, warnings and
# errors are not (the validator itself returns 0 on warnings).
set -u
entry=$1
if ! command -v desktop-file-validate >/dev/null; then
    echo "FAIL: desktop-file-validate is missing (apt-get install desktop-file-utils)"
    exit 1
fi
output=$(desktop-file-validate "$entry" 2>&1)
status=$?
[ -n "$output" ] && echo "$output"
if [ "$status" -ne 0 ] || echo "$output" | grep -Eq '(error|warning):'; then
    echo "FAIL: $entry does not validate"
    exit 1
fi
for key in Name Name\\[de\\] Comment\\[de\\] Exec Icon Categories; do
    grep -q "^$key=" "$entry" || { echo "FAIL: $entry lacks $key"; exit 1; }
done
grep -q '^Categories=.*Office;' "$entry" || { echo "FAIL: not in Office"; exit 1; }
grep -q '^Categories=.*MedicalSoftware;' "$entry" || { echo "FAIL: not MedicalSoftware"; exit 1; }
echo "$entry is valid"
