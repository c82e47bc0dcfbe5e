#!/usr/bin/env bash
# Checks what the application tests left in $1 with native tools: the PDF of
# the driven conversion passes qpdf's structure check and pdfinfo reads its
# pages and the author typed into the "Save to PDF" sheet.
set -u
dir="$1"
pdf="$dir/basic.pdf"
[ -f "$pdf" ] || { echo "FAILED: $pdf was not written"; exit 1; }
qpdf --check "$pdf" >/dev/null 2>&1 || { echo "FAILED: qpdf --check"; qpdf --check "$pdf"; exit 1; }
info=$(pdfinfo "$pdf") || { echo "FAILED: pdfinfo"; exit 1; }
grep -q "^Author: *Driven Author" <<<"$info" || { echo "FAILED: author missing in:"; echo "$info"; exit 1; }
pages=$(awk '/^Pages:/ {print $2}' <<<"$info")
[ "${pages:-0}" -ge 5 ] || { echo "FAILED: $pages pages, want at least one per contents page"; exit 1; }
text=$(pdftotext "$pdf" - 2>/dev/null)
grep -q "Chapter" <<<"$text" || { echo "FAILED: no page text"; exit 1; }
echo "PDF checks passed ($pages pages)"
