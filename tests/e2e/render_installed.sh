#!/usr/bin/env bash
# The installed lattiscribe-render makes a PDF that a real reader accepts: page count, A4, creator, and
# one full-page 300 dpi image per page.
# Usage: render_installed.sh BUILD_DIR SAMPLE_TEXT
set -euo pipefail
build_dir=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
render=$work/prefix/bin/lattiscribe-render
[ -x "$render" ] || fail "lattiscribe-render is not installed in bin/"

# The sample holds 20 ideographs: a Trace book gives each a row, 15 rows to a page, so 2 pages.
"$render" -o "$work/book.pdf" "$sample" || fail "render exited with $?"
info=$(pdfinfo "$work/book.pdf") || fail "pdfinfo rejects the file"
pages=$(awk '/^Pages:/ {print $2}' <<<"$info")
[ "$pages" = 2 ] || fail "expected 2 pages, got $pages"
grep -q '^Creator: *LattiScribe$' <<<"$info" || fail "creator is not LattiScribe"
grep -q '^Page size:.*(A4)' <<<"$info" || fail "pages are not A4"
images=$(pdfimages -list "$work/book.pdf" | awk 'NR > 2 && $3 == "image" && $4 == 2480 && $5 == 3508 && $13 == 300 {print $1}' | tr '\n' ' ')
[ "$images" = "1 2 " ] || fail "expected one 2480x3508 300 dpi image on each page, got pages: $images"
echo "installed renderer: ok"
