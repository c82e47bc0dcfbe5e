#!/usr/bin/env bash
# Checks the PDFs the writer tests left in $1 with Debian's native tools:
# qpdf's structure check, poppler's pdfinfo, pdftotext and pdffonts, and
# qpdf's JSON view for the outline and the links.
set -u
dir="$1"
# The writer tests use DejaVu Sans from the host and skip without it.
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] || { echo "no DejaVu Sans: skipped"; exit 77; }
fail=0
check() {  # check <description> <command...>: the command must succeed
  local what="$1"; shift
  if ! "$@" >/tmp/pdfcheck.$$ 2>&1; then
    echo "FAILED: $what"; cat /tmp/pdfcheck.$$; fail=1
  fi
}
contains() {  # contains <description> <text> <pattern>
  if ! grep -qF -- "$3" <<<"$2"; then
    echo "FAILED: $1: missing '$3' in:"; echo "$2"; fail=1
  fi
}

for f in sample.pdf sample-plain.pdf empty.pdf blank-page.pdf gdi-font.pdf many.pdf standard-font.pdf styles.pdf \
         painted-in-place.pdf painted-apart.pdf painted-unbound.pdf; do
  [ -f "$dir/$f" ] || { echo "FAILED: $f was not written"; fail=1; continue; }
  check "qpdf --check $f" qpdf --check "$dir/$f"
  out=$(pdftoppm -r 20 -png "$dir/$f" /tmp/pdfcheck-render.$$ 2>&1)
  [ -z "$out" ] || { echo "FAILED: rendering $f: $out"; fail=1; }
  rm -f /tmp/pdfcheck-render.$$*
done
[ -f "$dir/abandoned.pdf" ] && { echo "FAILED: abandoned.pdf was left behind"; fail=1; }

s="$dir/sample.pdf"
info=$(pdfinfo "$s")
contains pdfinfo "$info" "Pages:           2"
contains pdfinfo "$info" "Page size:       595.276 x 841.89 pts (A4)"
contains pdfinfo "$info" "Title:           Sample Ω title"
contains pdfinfo "$info" "Author:          Ann Author"
contains pdfinfo "$info" "Subject:         Subject line"
contains pdfinfo "$info" "Keywords:        one, two"
contains pdfinfo "$info" "Creator:         Creator app"
contains pdfinfo "$info" "Producer:        DER ov AZA voderezev 1.1"
contains pdfinfo "$(pdfinfo -f 2 -l 2 "$dir/blank-page.pdf")" "Page    2 size:  612 x 792 pts (letter)"

text=$(pdftotext -layout "$s" -)
# Reading order: header, body, footer on each page.
flat=$(tr '\n' ' ' <<<"$text" | tr -s ' ')
contains pdftotext "$flat" "Left head Tomewise help Ω right Chapter One Grüße aus Köln für Ωmega Go to the anchor"
contains pdftotext "$flat" "Go to the anchor Footer centre"
contains pdftotext "$flat" "Left head Tomewise help Ω right Second page text Footer centre"

fonts=$(pdffonts "$s")
contains pdffonts "$fonts" "+DejaVuSans                    CID TrueType      Identity-H       yes yes yes"
contains pdffonts "$(pdffonts "$dir/gdi-font.pdf")" "CID TrueType      Identity-H       yes yes yes"
images=$(pdfimages -list "$s")
contains pdfimages "$images" "image       8     8  gray    1   8  jpeg"
contains pdfimages "$images" "smask      16    16  gray    1   8  image"

# Outline: titles, nesting and target pages (qpdf numbers pages from 1).
outline=$(qpdf --json --json-key=outlines "$s" | tr -d '\n' | tr -s ' ')
contains outline "$outline" '"title": "Chapter One"'
contains outline "$outline" '"destpageposfrom1": 1'
contains outline "$outline" '"title": "Überblick – Ω"'
contains outline "$outline" '"destpageposfrom1": 2, "kids": [], "object": "'
contains outline "$outline" '"title": "Nowhere"'
contains outline "$outline" '"title": "Appendix"'

# Links on page 1: the anchor link and the URI; the two without a target
# are gone. The named destination leads to page 2.
dests=$(pdfinfo -dests "$s")
contains dests "$dests" '2 [ XYZ   72'
contains dests "$dests" '"page2.htm#anchor"'
plain="$dir/sample-plain.pdf"
annots=$(grep -a -c '/Subtype /Link' "$plain")
[ "$annots" = 2 ] || { echo "FAILED: expected 2 link annotations, found $annots"; fail=1; }
contains links "$(grep -a '/Dest' "$plain")" '/Dest (page2.htm#anchor)'
# poppler follows the link on page 1 to the page that holds the anchor.
contains links "$(pdftohtml -xml -i -stdout -f 1 -l 1 "$s")" '<a href="sample.html#2">Go to the anchor</a>'
contains links "$(grep -a '/URI' "$plain")" '/URI (http://example.com/a?b=\(c\))'

contains standard "$(pdftotext "$dir/standard-font.pdf" -)" "Fallback – Grüße ? (x)"
contains standard "$(pdffonts "$dir/standard-font.pdf")" "Helvetica                            Type 1            WinAnsi          no  no  no"

contains styles "$(pdftotext "$dir/styles.pdf" -)" "Bold italic line"
fonts=$(pdffonts "$dir/styles.pdf" | tail -n +3 | wc -l)
[ "$fonts" = 1 ] || { echo "FAILED: styles.pdf embeds $fonts fonts, not 1"; fail=1; }

m="$dir/many.pdf"
contains many "$(pdfinfo "$m")" "Pages:           300"
contains many "$(pdfinfo -dests "$m" | grep -c '\[ XYZ')" "300"
contains many "$(pdfinfo -dests "$m")" '278 [ XYZ   10  150 null      ] "a1277"'
outline=$(qpdf --json --json-key=outlines "$m" | tr -d '\n' | tr -s ' ')
contains many "$outline" '"destpageposfrom1": 131'
contains many "$outline" '"destpageposfrom1": 278'
objects=$(pdfimages -list "$m" | awk 'NR>2 {print $11}' | sort -u | wc -l)
[ "$objects" = 1 ] || { echo "FAILED: the repeated image is stored $objects times"; fail=1; }
contains many "$(pdftotext -f 278 -l 278 "$m" -)" "Page 278"
contains many "$(qpdf --qdf --object-streams=disable "$m" - | grep -a '/URI')" '/URI (http://example.com/%C3%A4%20b)'
# The link on page 1 resolves, through the name tree, to page 278.
contains many "$(pdftohtml -xml -i -stdout -f 1 -l 1 "$m")" 'link to page 278'

rm -f /tmp/pdfcheck.$$
[ $fail = 0 ] && echo "all PDF checks passed"
exit $fail
