#!/usr/bin/env bash
# The Debian package and the desktop metadata: the entry and the metainfo pass their validators; the
# package carries both programs, the entry, the metainfo and every icon size, a changelog for its version
# and a renderer manual page made from its --help, depends on the Qt libraries and the fonts, and lintian
# finds nothing to warn about. Without lintian the check reports itself skipped (77), except under CI.
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
for needed in libqt5widgets5 libqt5gui5 libqt5core5a fonts-arphic-ukai fonts-wqy-microhei fonts-dejavu-core \
    qttranslations5-l10n; do
    [[ $depends == *$needed* ]] || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
# A missing copyright file, changelog or manual page is lintian's to report.
for file in ./usr/bin/Lattiscribe ./usr/bin/lattiscribe-render ./usr/share/applications/com.kelvo.LattiScribe.desktop \
    ./usr/share/metainfo/com.kelvo.LattiScribe.metainfo.xml \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,128x128,256x256}/apps/com.kelvo.LattiScribe.png; do
    grep -qx "$file" <<<"$contents" || fail "package lacks $file"
done
dpkg-deb -x "$deb" "$work/root"
# The renderer's page is made from its real --help: an option it lists must be there.
[[ $(zcat "$work/root/usr/share/man/man1/lattiscribe-render.1.gz") == *'book\-type'* ]] \
    || fail "renderer manual page lacks --book-type"
# Lintian does not compare the changelog with the package, so a version bump without an entry shows here.
version=$(dpkg-deb -f "$deb" Version)
[[ $(zcat "$work/root/usr/share/doc/lattiscribe/changelog.gz") == "lattiscribe ($version) "* ]] \
    || fail "changelog has no entry for $version on top"

if ! command -v lintian >/dev/null; then
    [[ -n ${CI:-} ]] && fail "lintian is not installed"
    echo "SKIP: lintian is not installed (scripts/setup installs it)"
    exit 77
fi
# Only errors and warnings count; information tags (such as the .comment section CPack's strip keeps)
# do not. No lintianrc, so the check means the same on every machine.
report=$(lintian --no-cfg --fail-on none "$deb" 2>"$work/lintian.err") || fail "lintian did not run: $(cat "$work/lintian.err")"
grep -E '^[EW]: ' <<<"$report" && fail "lintian"
echo "package: ok"
