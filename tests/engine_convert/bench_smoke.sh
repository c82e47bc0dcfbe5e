#!/usr/bin/env bash
# tomewise-bench under CTest, its exit code and its output file checked:
#   bench_smoke.sh convert   <wine-exec.sh> <tomewise-bench.exe> <file.chm> <out.pdf>
#     exit code 0, "toc_entries=5 pdf_pages=<n>" with n > 0, the PDF written;
#   bench_smoke.sh not-a-chm <wine-exec.sh> <tomewise-bench.exe> <file> <out.pdf>
#     exit code 1, "the CHM could not be extracted", no PDF left.
set -u
mode=$1 runner=$2 exe=$3 input=$4 pdf=$5
rm -f "$pdf"
out=$("$runner" "$exe" "Z:$input" "Z:$pdf" 2>&1)
rc=$?
echo "$out"
fail() { echo "bench_smoke: $*" >&2; exit 1; }
case "$mode" in
  convert)
    [ "$rc" -eq 0 ] || fail "exit code $rc, expected 0"
    echo "$out" | grep -Eq 'toc_entries=5 pdf_pages=[1-9]' || fail "no 'toc_entries=5 pdf_pages=<n>' line"
    [ -s "$pdf" ] || fail "no PDF at $pdf"
    head -c 5 "$pdf" | grep -q '%PDF-' || fail "$pdf is not a PDF"
    ;;
  not-a-chm)
    [ "$rc" -eq 1 ] || fail "exit code $rc, expected 1"
    echo "$out" | grep -q 'the CHM could not be extracted' || fail "no 'the CHM could not be extracted' message"
    [ ! -e "$pdf" ] || fail "a PDF was left at $pdf"
    ;;
  *) fail "unknown mode $mode" ;;
esac
echo "bench_smoke: $mode ok"
