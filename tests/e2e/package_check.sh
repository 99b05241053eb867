#!/usr/bin/env bash
# The Debian package and the desktop metadata: the entry and the metainfo pass their validators, and
# the package carries both programs, the entry, the metainfo and every icon size, and depends on the Qt
# libraries and the Kai font.
# Usage: package_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build_dir=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$source_dir/resources/desktop/com.kelvo.LattiScribe.desktop" | grep -v '^.*: hint:' && fail "desktop entry"
appstreamcli validate --no-net "$source_dir/resources/desktop/com.kelvo.LattiScribe.metainfo.xml" >/dev/null \
    || fail "metainfo: $(appstreamcli validate --no-net "$source_dir/resources/desktop/com.kelvo.LattiScribe.metainfo.xml")"

(cd "$build_dir" && cpack -G DEB -B "$work" >/dev/null) || fail "cpack"
deb=$(ls "$work"/lattiscribe_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt5widgets5 libqt5gui5 libqt5core5a fonts-arphic-ukai; do
    [[ $depends == *$needed* ]] || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/Lattiscribe ./usr/bin/lattiscribe-render \
    ./usr/share/applications/com.kelvo.LattiScribe.desktop ./usr/share/metainfo/com.kelvo.LattiScribe.metainfo.xml; do
    grep -qx "$file" <<<"$contents" || fail "package lacks $file"
done
for side in 16 32 48 128 256; do
    grep -qx "./usr/share/icons/hicolor/${side}x${side}/apps/com.kelvo.LattiScribe.png" <<<"$contents" || fail "icon $side"
done
echo "package: ok"
