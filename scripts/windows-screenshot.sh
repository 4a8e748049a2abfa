#!/bin/bash
# Screenshot of the native Windows dialog under Wine, after a few real mouse
# clicks, the same as the Qt window's screenshot: ten compatible rows with
# match 4 sure X and match 10 sure 2.
#   scripts/windows-screenshot.sh [OUTPUT.png]     (default docs/screenshot-wine.png)
# KUPONGEN_DPI sets the prefix's LogPixels (default 96); `make
# windows-dpi-screenshots` takes one at 96, 144 and 192 DPI. With
# KUPONGEN_MENU_SHOTS=1 the same session goes on by keys alone, each step
# beside OUTPUT: OUTPUT-menu.png (Verktyg open, Unika rader checked),
# OUTPUT-check.png (the check window's check of the ten rows) and
# OUTPUT-grade.png (the same rows graded against a typed result).
# Needs `make windows` first, and Xvfb, Wine, xdotool and ImageMagick
# (scripts/install-deps.sh --windows).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-prefix.sh
root=$PWD
output=${1:-docs/screenshot-wine.png}
build=${WINDOWS_DIR:-build-windows}
exe=$root/$build/src/win32/kupongen.exe
template=$root/$build/src/win32/generated/dialog.rc
for file in "$exe" "$template"; do
    [ -f "$file" ] || { echo "missing $file: run 'make windows' first" >&2; exit 1; }
done
wine=wine
dpi=${KUPONGEN_DPI:-96}

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
program=
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 2400x1600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

mkdir -p "$WINEPREFIX"
wineserver -p
new_wine_prefix "$dpi"

# Starts the program and waits for its window (in $window).
start() {
    "$wine" "$exe" >/dev/null 2>&1 &
    program=$!
    window=$(xdotool search --sync --name '^Kupongen ' | head -n 1)
    # Until the window is drawn, a click can be lost; at other than 96 DPI
    # it also takes its scaled size, which on a busy machine can take a while.
    sleep 1
    local before= now
    for _ in $(seq 20); do
        now=$(xdotool getwindowgeometry "$window")
        [ "$now" != "$before" ] || break
        before=$now
        sleep 0.5
    done
}
stop() {
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}

# Without a window manager Wine's X window is the client area and the menu bar
# above it, which gives the size of the dialog units in pixels. The menu
# bar's rows are those from the top in its colour, at the right edge, where
# it has no text.
start
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window "$window" "$work/managed.png"
menu_height=$(convert "$work/managed.png" -crop "1x$HEIGHT+$((WIDTH - 1))+0" txt:- |
    awk 'NR == 2 { colour = $3 } NR > 1 && $3 != colour && !rows { rows = NR - 2 } END { print rows }')
client_width=$WIDTH client_height=$((HEIGHT - menu_height))
stop

# Wine draws the frame and title itself when it does not leave them to a
# window manager; the frame is what the window grew by, and "caption" is
# the title and the menu bar above the client area.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
start
eval "$(xdotool getwindowgeometry --shell "$window")"
frame=$(((WIDTH - client_width) / 2))
caption=$((HEIGHT - client_height - 2 * frame))
left=$X top=$Y width=$WIDTH height=$HEIGHT

# A click in the middle of a control, its rectangle taken from the generated
# dialog template (dialog units: the client is 490 x 280 of them).
click() {
    local rect
    rect=$(awk -v id="$1" '$1 == "CONTROL" {
               n = split($0, f, ", *"); if (f[2] == id) print f[n-4], f[n-3], f[n-2], f[n-1] }' \
           "$template")
    read -r x y w h <<<"$rect"
    local px=$((frame + (2 * x + w) * client_width / 980))
    local py=$((frame + caption + (2 * y + h) * client_height / 560))
    xdotool mousemove --window "$window" "$px" "$py" click 1
    sleep 0.3
}
click 1001 # ENKELRADER
click 1049 # 10 rows
click 1068 # compatible with Svenska Spel
click 1084 # match 4 sure X
click 1103 # match 10 sure 2
click 1007 # Generate
xdotool mousemove 0 0
sleep 1

# The screen's part that a window covers, as drawn now.
shot() {
    import -window root "$work/root.png"
    convert "$work/root.png" -crop "$2x$3+$4+$5" +repage -strip "$1"
    echo "wrote $1 ($2x$3)"
}
mkdir -p "$(dirname "$output")"
shot "$output" "$width" "$height" "$left" "$top"
if [ -n "${KUPONGEN_MENU_SHOTS:-}" ]; then
    keys() { xdotool key --delay 150 "$@"; sleep 1; }
    keys alt+v u # Unika rader on
    keys alt+v   # the menu open over the dialog, with its mark
    shot "${output%.png}-menu.png" "$width" "$height" "$left" "$top"
    keys Escape Escape alt+v k
    review=$(xdotool search --sync --name '^Kontrollera och ' | head -n 1)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$review")"
    shot "${output%.png}-check.png" "$WIDTH" "$HEIGHT" "$X" "$Y"
    # Escape hands the keys back to the dialog, whose menu opens the grade.
    keys Escape alt+v r Tab
    xdotool type --delay 100 '1X21X2?1X21X2'
    sleep 1
    shot "${output%.png}-grade.png" "$WIDTH" "$HEIGHT" "$X" "$Y"
fi
stop
