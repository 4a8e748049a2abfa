# shellcheck shell=bash
# Sourced by the scripts that run the Windows build under Wine: a scratch
# folder ($work) with a fresh Wine prefix, and a virtual X display; both go
# when the script exits. wine_session_start sets them up.
. "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"

work=$(mktemp -d)
# A fresh prefix, no debug chatter, no Mono or Gecko installers (which would
# want the network), and no crash debugger (which would wait for a person): a
# program that crashes ends, and its test fails instead of hanging.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
xvfb_pid=
wine_session_end() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap wine_session_end EXIT

wine_session_start() {
    Xvfb -displayfd 3 -screen 0 2400x1600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
    DISPLAY=:$(cat "$work/display")
    export DISPLAY

    local start
    start=$(date +%s)
    # One server for all the runs, instead of one per program start.
    mkdir -p "$WINEPREFIX"
    wineserver -p
    new_wine_prefix
    echo "Wine prefix ready in $(($(date +%s) - start)) s"
}
