#!/bin/sh
# The generated help is an A4 PDF of several pages that carries every heading
# of the guide and numbers its pages "Seite n von m".
set -u
source=$1
pdf=$2
for tool in pdfinfo pdftotext; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (apt-get install poppler-utils)"; exit 1; }
done
[ -f "$pdf" ] || { echo "FAIL: $pdf was not built"; exit 1; }
[ ! "$pdf" -ot "$source" ] || { echo "FAIL: $pdf is older than $source"; exit 1; }

info=$(pdfinfo "$pdf") || { echo "FAIL: pdfinfo cannot read $pdf"; exit 1; }
pages=$(echo "$info" | sed -n 's/^Pages: *//p')
echo "$info" | grep -Eq '^Page size: +595[0-9.]* x 84[12][0-9.]* pts \(A4\)' || { echo "$info"; echo "FAIL: not A4"; exit 1; }
[ "$pages" -ge 5 ] || { echo "FAIL: only $pages pages"; exit 1; }

# One line of text with single blanks, so a heading wrapped in the PDF still matches.
text=$(pdftotext "$pdf" - | tr '\n' ' ' | tr -s ' ') || { echo "FAIL: pdftotext cannot read $pdf"; exit 1; }
failures=0
# Every heading of the guide, without Markdown marks, must be in the PDF.
grep -E '^#{1,3} ' "$source" | sed -E 's/^#+ //; s/\*\*//g; s/`//g' > "$pdf.headings"
while IFS= read -r heading; do
    if ! printf '%s\n' "$text" | grep -Fq "$heading"; then
        echo "FAIL: heading missing in the PDF: $heading"
        failures=$((failures + 1))
    fi
done < "$pdf.headings"
page=1
while [ "$page" -le "$pages" ]; do
    printf '%s\n' "$text" | grep -q "Seite $page von $pages" \
        || { echo "FAIL: no 'Seite $page von $pages'"; failures=$((failures + 1)); }
    page=$((page + 1))
done
rm -f "$pdf.headings"
[ "$failures" -eq 0 ] || exit 1
echo "$pdf: $pages pages, all headings present"
