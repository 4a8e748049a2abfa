#!/bin/sh
# Photographs the window for the README: starts kupongen on a virtual X server,
# makes one press of ten compatible rows with a sure sign by the keyboard
# (with xdotool, when it is installed) and writes docs/screenshot-qt.png.
# Needs Xvfb and ImageMagick. There is no window manager, so the picture
# shows the window's inside without a title bar.
#   scripts/screenshot.sh [build folder] [output]   (default: build, docs/screenshot-qt.png)
# KUPONGEN_SHOT chooses what is shown after the press (needs xdotool):
#   menu   the Verktyg menu open
#   check  the check window after Kontrollera raderna… (the window alone)
#   grade  the check window after Rätta raderna… over 256 rows, a result typed
# KUPONGEN_SCALE=2 shows the window at 200 %.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
output=${2:-docs/screenshot-qt.png}
shot=${KUPONGEN_SHOT:-}
scale=${KUPONGEN_SCALE:-1}
program=$build/src/qt/kupongen
[ -x "$program" ] || { echo "screenshot.sh: $program is missing; build first" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "screenshot.sh: Xvfb is missing (apt-get install xvfb)" >&2; exit 1; }
command -v import >/dev/null || { echo "screenshot.sh: import is missing (apt-get install imagemagick)" >&2; exit 1; }
case $shot in
'') ;;
menu | check | grade)
    command -v xdotool >/dev/null || { echo "screenshot.sh: xdotool is missing (apt-get install xdotool)" >&2; exit 1; } ;;
*) echo "screenshot.sh: KUPONGEN_SHOT must be menu, check or grade" >&2; exit 2 ;;
esac

work=$(mktemp -d)
server=
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Black background, so that trimming leaves just the window. Xvfb picks a free
# display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 "$((1280 * scale))x$((1024 * scale))x24" -dpi 96 -nolisten tcp -br \
    3>"$work/display" 2>/dev/null &
server=$!
tries=0
while [ ! -s "$work/display" ]; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || { echo "screenshot.sh: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

# No desktop settings and no kept settings: the picture looks the same on
# every machine, and Unika rader is off.
env -u QT_QPA_PLATFORM -u QT_STYLE_OVERRIDE QT_SCALE_FACTOR="$scale" XDG_CONFIG_HOME="$work" \
    "$program" &
app=$!
sleep 3
kill -0 "$app" 2>/dev/null || { echo "screenshot.sh: kupongen exited early" >&2; exit 1; }

# The keys a user presses, from the rows window that has the focus at start;
# the focus moves by the template's tab stops and groups.
if command -v xdotool >/dev/null; then
    window=$(xdotool search --sync --onlyvisible --class kupongen | head -n 1)
    # There is no window manager to give the window the keyboard.
    xdotool windowfocus --sync "$window"
    keys() {
        xdotool key --delay 60 "$@"
        sleep 0.3
    }
    keys Tab Tab Tab Tab Tab Right space # SYSTEM, then ENKELRADER
    keys Tab Tab # the draw method, then the row counts
    if [ "$shot" = grade ]; then
        keys Up # round to 256
    else
        keys Right Right Right Right Right Right Right Right Right # 10
    fi
    keys Tab space # compatible with Svenska Spel
    keys Tab Down Down Down Down Down Down Down Down Down Down space # match 4 sure X
    keys Down Down Down Down Down Down Down Down Down Down \
        Down Down Down Down Down Down Down Down Down space # match 10 sure 2
    keys Tab Tab space # GENERERA rader
    case $shot in
    menu) keys alt+v ;;
    check) keys alt+v k ;;
    grade)
        keys alt+v r Tab
        xdotool type --delay 60 1X21X21X21X21
        ;;
    esac
    sleep 0.5
fi

mkdir -p "$(dirname "$output")"
if [ "$shot" = check ] || [ "$shot" = grade ]; then
    checker=$(xdotool search --sync --onlyvisible --name 'Kontrollera och' | head -n 1)
    import -window "$checker" "$work/shot.png"
    convert "$work/shot.png" -strip "$output"
else
    # The menu is a window of its own over the main window.
    import -window root "$work/shot.png"
    convert "$work/shot.png" -trim +repage -bordercolor black -border 0 -strip "$output"
fi
echo "wrote $output ($(identify -format '%wx%h' "$output"))"
