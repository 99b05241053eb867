#!/usr/bin/env bash
# End-to-end check of the Windows installer under Wine, driven by real X input events under a virtual
# display with no window manager (Wine then draws and handles the frames and the system menu itself):
# install silently into a fresh prefix and a folder of our choosing, open About from the system menu,
# change an option and read it back from the registry, render with the installed renderer and hold its
# pages against the Linux renderer's, uninstall and look at what is left.
# Usage: installer_session.sh WINDOWS_BUILD_DIR LINUX_RENDERER   (run inside xvfb-run)
set -euo pipefail
build_dir=$1
linux_renderer=$2
work=$(mktemp -d)
# TMPDIR: Wine keeps its server's socket folder there.
export WINEPREFIX=$work/prefix TMPDIR=$work/tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$TMPDIR"
trap 'stop_session; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
# shellcheck source=../../scripts/lib/x11-session.sh
source "$(dirname "$0")/../../scripts/lib/x11-session.sh"
if [ ! -x "$linux_renderer" ]; then
    echo "no Linux renderer at $linux_renderer to compare with (scripts/build)" >&2
    [ -n "${CI:-}" ] && exit 1
    exit 77
fi

(cd "$build_dir" && cpack -G NSIS -B "$work/package" >/dev/null) || fail "cpack"
installer=$(ls "$work"/package/LattiScribe-*-win64.exe)
wineboot -i >"$work/wineboot.log" 2>&1 || { tail -n 20 "$work/wineboot.log" >&2; fail "wineboot"; }
wine "$installer" /S '/D=C:\Programs\LattiScribe' || fail "the installer failed"
wineserver -w
installed=$WINEPREFIX/drive_c/Programs/LattiScribe
for file in Lattiscribe.exe lattiscribe-render.exe Qt5Core.dll Qt5Gui.dll Qt5Widgets.dll libstdc++-6.dll \
    Qt5PrintSupport.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll printsupport/windowsprintersupport.dll \
    translations/qtbase_zh_CN.qm qt.conf Uninstall.exe \
    licences/LGPL-3.txt licences/Apache-2.0.txt licences/SOURCES.txt fonts/LXGWWenKai-Regular.ttf \
    licences/fonts-lxgw-wenkai-copyright.txt; do
    [ -f "$installed/$file" ] || fail "not installed: $file"
done
for file in Qt5Network.dll Qt5Sql.dll Qt5Xml.dll; do
    [ ! -e "$installed/$file" ] || fail "installed though nothing loads it: $file"
done
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/格书字帖/格书字帖.lnk"
[ -f "$shortcut" ] || fail "no Start-menu shortcut 格书字帖"

# The window: About through Alt+Space, the last entry of the system menu; then Down on the first
# control, the book type, stores "Copy" in the registry at once.
program() { wine 'C:\Programs\LattiScribe\Lattiscribe.exe'; }
program >"$work/program.log" 2>&1 &
app_pid=$!
window=$(wait_for_window '格书字帖') || fail "no window titled 格书字帖"
sleep 2
# A window that is still settling can miss the first Alt+Space; the menu then never opened.
for attempt in 1 2 3; do
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers alt+space
    sleep 1
    xdotool key Up Return
    about=$(wait_for_window '关于') && break
    [ "$attempt" = 3 ] && fail "About did not open from the system menu"
    xdotool key Escape
done
xdotool windowfocus --sync "$about" key Return
wait_until '! xdotool getwindowname "$about" >/dev/null 2>&1' || fail "the About box did not close"
settings='HKCU\Software\Kelvo\LattiScribe'
click_preview
xdotool key Tab
sleep 0.3
xdotool key Down
wait_until 'wine reg query "$settings" /v BookType 2>/dev/null | grep -q "REG_DWORD *0x1"' \
    || fail "book type not stored: $(wine reg query "$settings" 2>&1)"
xdotool windowfocus --sync "$window" key --clearmodifiers alt+F4
timeout 30 tail --pid="$app_pid" -f /dev/null || fail "the program did not exit after Alt+F4"
app_pid=
stored=$(wine reg query "$settings")
for key in BookType TraceType BlankLines CellSize FontSize Opacity FontName CommonChineseOnly GridColor TextColor; do
    grep -q "^ *$key " <<<"$stored" || fail "key $key missing: $stored"
done

# The renderer, fed through a pipe, against the Linux renderer's pages: the same count, and pictures
# within a grey level (the font engines may differ); the same page without its glyphs is 2.3 apart.
text=$work/text.txt
line='永字八法，一二三四五六七八九十。天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳'
printf '%s%s%s' "$line" "$line" "$line" >"$text"
compare_pages() {
    local name=$1
    shift
    cat "$text" | wine 'C:\Programs\LattiScribe\lattiscribe-render.exe' -o "Z:${work//\//\\}\\$name-windows.pdf" "$@" \
        || fail "the installed renderer failed ($name)"
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work "$linux_renderer" -o "$work/$name-linux.pdf" "$@" <"$text"
    [ "$(pdfinfo "$work/$name-windows.pdf" | grep Pages)" = "$(pdfinfo "$work/$name-linux.pdf" | grep Pages)" ] \
        || fail "$name: the page counts differ"
    for side in windows linux; do pdftoppm -r 60 -gray "$work/$name-$side.pdf" "$work/$name-$side"; done
    local mean
    # ImageMagick's mean absolute error of each pair, as a share of the range in brackets; a pair it
    # cannot compare counts as all the way apart.
    mean=$(for page in "$work/$name-windows"*.pgm; do
        echo "$(compare -metric MAE "$page" "${page/-windows/-linux}" null: 2>&1)"
    done | awk -F'[()]' '{ sum += ($2 == "" ? 1 : $2) * 255; pages++ } END { printf "%.3f", pages ? sum / pages : 255 }')
    echo "$name pages: mean difference $mean grey levels"
    awk "BEGIN{exit !($mean < 1)}" || fail "$name: the Windows pages are $mean grey levels from the Linux ones"
}
compare_pages raster --book-type copy
compare_pages vector --book-type copy --vector
pdffonts "$work/vector-windows.pdf" | grep -q " yes " || fail "the vector PDF embeds no font"

# Printing through the spooler, which Wine hands to CUPS: where CI set up its cups-pdf queue, the job
# arrives there on B5 paper.
if [ -n "${LATTISCRIBE_TEST_PRINTER:-}" ]; then
    before=$(ls "$LATTISCRIBE_TEST_PRINTER_OUT" 2>/dev/null | wc -l) || true
    wine 'C:\Programs\LattiScribe\lattiscribe-render.exe' --print "$LATTISCRIBE_TEST_PRINTER" --paper b5 --book-type copy \
        "Z:${text//\//\\}" || fail "the installed renderer did not print"
    # CUPS turns the job into PostScript and cups-pdf back into PDF, which takes seconds on a busy machine.
    for _ in $(seq 90); do
        printed=$(ls -t "$LATTISCRIBE_TEST_PRINTER_OUT"/*.pdf 2>/dev/null | head -1) || true
        [ "$(ls "$LATTISCRIBE_TEST_PRINTER_OUT" | wc -l)" -gt "$before" ] && pdfinfo "$printed" >/dev/null 2>&1 && break
        sleep 1
    done
    pdfinfo "$printed" | grep -Eq "^Pages: +[0-9]+" || fail "no print job arrived"
    pdfinfo "$printed" | grep -q "Page size: *498" || fail "not B5: $(pdfinfo "$printed" | grep 'Page size')"
    rm -f "$printed"
fi

wine 'C:\Programs\LattiScribe\Uninstall.exe' /S
wineserver -w
[ ! -e "$installed" ] || fail "left after uninstalling: $(cd "$installed" && find . | head)"
[ ! -e "$shortcut" ] || fail "the shortcut is left after uninstalling"
wine reg query "$settings" /v BookType >/dev/null 2>&1 || fail "uninstalling removed the settings"
echo "windows installer session: ok"
