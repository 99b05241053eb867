#!/usr/bin/env bash
# Usage: extract-test-font.sh OUTDIR
# Puts OUTDIR/gkai00mp.ttf, the Kai of Debian's fonts-arphic-gkai00mp, there for the font-file tests: a
# font the machine does not have installed, so a test sees what a teacher's downloaded file does. The
# package is downloaded and unpacked, never installed. Exit status 1 where it cannot be had (no network,
# no package lists); the tests then report themselves skipped, except in CI.
set -euo pipefail
out=$1
font=$out/gkai00mp.ttf
[ -s "$font" ] && exit 0
command -v apt-get >/dev/null && command -v dpkg-deb >/dev/null || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# apt-get, run as root, leaves the download to its own user, which cannot write into a private folder.
chmod 755 "$work"
(cd "$work" && apt-get download -qq fonts-arphic-gkai00mp) >/dev/null 2>&1 || exit 1
dpkg-deb -x "$work"/fonts-arphic-gkai00mp_*.deb "$work/root"
found=$(find "$work/root" -name gkai00mp.ttf | head -n 1)
[ -n "$found" ] || exit 1
mkdir -p "$out"
cp "$found" "$font.part"
mv "$font.part" "$font"
