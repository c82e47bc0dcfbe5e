#!/usr/bin/env bash
# Checks the PDFs the component tests left in $1 with Debian's native tools:
# qpdf's structure check and JSON outline, poppler's pdfinfo, pdftotext,
# pdftohtml (links as a reader follows them), pdffonts and pdfimages.
set -u
dir="$1"
fail=0
say_fail() { echo "FAILED: $*"; fail=1; }
contains() {  # contains <description> <text> <pattern>
  grep -qF -- "$3" <<<"$2" || { say_fail "$1: missing '$3' in:"; echo "$2"; }
}
for f in help.pdf cm-landscape.pdf no-pages.pdf cancelled.pdf; do
  [ -f "$dir/$f" ] || { say_fail "$f was not written"; continue; }
  qpdf --check "$dir/$f" >/tmp/pdfcomp.$$ 2>&1 || { say_fail "qpdf --check $f"; cat /tmp/pdfcomp.$$; }
done
[ -e "$dir/abandoned.pdf" ] && say_fail "abandoned.pdf (a conversion given up) was left behind"
ls "$dir" | grep -q 'x.pdf' && say_fail "a partial file was left for an unwritable path"

h="$dir/help.pdf"
info=$(pdfinfo "$h")
contains pdfinfo "$info" "Pages:           8"
contains pdfinfo "$info" "Page size:       595.276 x 841.89 pts (A4)"
contains pdfinfo "$info" "Title:           Help Ärger"
contains pdfinfo "$info" "Author:          Ann Author"
contains pdfinfo "$info" "Subject:         Subject line"
contains pdfinfo "$info" "Keywords:        one, two"
contains pdfinfo "$info" "Creator:         Creator app"
contains pdfinfo "$info" "Producer:        DER ov AZA voderezev 1.1"
contains pdfinfo "$(pdfinfo "$dir/cm-landscape.pdf")" "Page size:       425.197 x 283.465 pts"
contains pdfinfo "$(pdfinfo "$dir/no-pages.pdf")" "Pages:           1"

# Reading order: header, the page's text top to bottom, footer.
flat=$(pdftotext -layout -f 1 -l 1 "$h" - | tr '\n' ' ' | tr -s ' ')
contains pdftotext "$flat" "Left head Page 1 Chapter One First paragraph of the first page. Go to the anchor External site"
# (The smile is not in the page's serif font: it comes from a fallback face.)
contains pdftotext "$flat" "Dashed box text Text in a face that is not installed Text in a face that may not be embedded Grüße aus Köln Serif text with a smile 😀 from a fallback face Footer centre"
contains pdftotext "$(pdftotext -f 2 -l 2 "$h" - | tr '\n' ' ')" "Second page start"
contains pdftotext "$(pdftotext -layout -f 3 -l 3 "$h" - | head -1)" "Page 3"

# The page that holds the anchor.
anchor_page=0
for p in $(seq 1 8); do
  pdftotext -f "$p" -l "$p" "$h" - | grep -q "Anchor target text" && anchor_page=$p
done
[ "$anchor_page" -gt 2 ] || say_fail "the anchor's text is not on a later page of page2.htm ($anchor_page)"
extra_page=$(for p in $(seq 1 8); do pdftotext -f "$p" -l "$p" "$h" - | grep -q "Extra page reached" && echo "$p"; done)
[ "$extra_page" = 8 ] || say_fail "the page only a link wanted is not the last page ($extra_page)"

# Outline: one entry per contents record, titles in full Unicode, nested,
# each leading to its page (and the anchor's page for the anchor's entry).
outline=$(qpdf --json --json-key=outlines "$h" | tr -d '\n' | tr -s ' ')
titles=$(grep -o '"title": "[^"]*"' <<<"$outline" | wc -l)
[ "$titles" = 6 ] || say_fail "outline has $titles entries, not 6"
contains outline "$outline" '"destpageposfrom1": 1, "kids": [ { "dest": [ "'
contains outline "$outline" '"title": "Überblick – Ω 日本"'
grep -qE "\"destpageposfrom1\": $anchor_page, \"kids\": \[\], \"object\": \"[0-9]+ 0 R\", \"open\": (true|false), \"title\": \"The anchor\"" <<<"$outline" ||
  say_fail "the anchor's bookmark does not lead to page $anchor_page: $outline"
contains outline "$outline" '"dest": null, "destpageposfrom1": null, "kids": [], "object": "'
contains outline "$outline" '"title": "Missing page"'

# Links as a reader follows them: page2.htm#anchor lands on the anchor's
# page, external links stay URIs, links to missing pages and anchors and
# scripts are no links at all.
links=$(pdftohtml -xml -i -stdout "$h" | grep -o '<a href="[^"]*">[^<]*</a>')
contains links "$links" "<a href=\"help.html#$anchor_page\">Go to the anchor</a>"
contains links "$links" "<a href=\"help.html#$anchor_page\">Back to the anchor on this page</a>"
contains links "$links" '<a href="http://example.com/a?b=c">External site</a>'
contains links "$links" "<a href=\"help.html#8\">Only linked page</a>"
contains links "$links" '<a href="help.html#1">Back to page one</a>'
n=$(grep -c . <<<"$links")
[ "$n" = 5 ] || { say_fail "expected 5 links, found $n:"; echo "$links"; }

# Fonts: every one embedded, subsetted, with a ToUnicode map; one embedded
# font per face even when several requested faces fell back to it.
fonts=$(pdffonts "$h" | tail -n +3)
grep -v 'yes yes yes' <<<"$fonts" | grep -q . && say_fail "a font is not embedded with a map: $fonts"
dups=$(awk '{sub(/^[A-Z]+\+/, "", $1); print $1}' <<<"$fonts" | sort | uniq -d)
[ -z "$dups" ] || say_fail "fonts embedded twice: $dups"
images=$(pdfimages -list "$h")
contains pdfimages "$images" "image       8     8  gray    1   8  jpeg"
contains pdfimages "$images" "image       4     4  rgb     3   8  image"

# The engine's driver with the component (when that test was built): the
# contents file's five entries, Letter paper, the anchor link.
d="$dir/driver.pdf"
if [ -f "$d" ]; then
  qpdf --check "$d" >/tmp/pdfcomp.$$ 2>&1 || { say_fail "qpdf --check driver.pdf"; cat /tmp/pdfcomp.$$; }
  contains driver "$(pdfinfo "$d")" "Page size:       612 x 792 pts (letter)"
  contains driver "$(pdfinfo "$d")" "Title:           Driver title"
  outline=$(qpdf --json --json-key=outlines "$d" | tr -d '\n' | tr -s ' ')
  titles=$(grep -o '"title": "[^"]*"' <<<"$outline" | wc -l)
  [ "$titles" = 5 ] || say_fail "driver.pdf: outline has $titles entries, not 5"
  contains driver "$outline" '"title": "Überblick – Ω 日本"'
  pages=$(pdfinfo "$d" | awk '/^Pages:/ {print $2}')
  anchor_page=0
  for p in $(seq 1 "$pages"); do
    pdftotext -f "$p" -l "$p" "$d" - | grep -q "Anchor target text" && anchor_page=$p
  done
  contains driver "$(pdftohtml -xml -i -stdout "$d")" "<a href=\"driver.html#$anchor_page\">Go to the anchor</a>"
  contains driver "$(pdftotext -layout -f 2 -l 2 "$d" - | tail -2 | tr -s ' ')" " 2"
fi

rm -f /tmp/pdfcomp.$$
[ $fail = 0 ] && echo "all PDF component checks passed"
exit $fail
