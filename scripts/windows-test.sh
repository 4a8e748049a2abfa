#!/bin/bash
# Runs the Windows build's tests under Wine in a virtual X display: the native
# checks, and every script test (tests/e2e/scripts, tests/windows/scripts)
# through kupongen-script.exe against the expected output and, when a Linux
# kupongen-headless is at hand, against its output and saved files.
#   scripts/windows-test.sh [CTEST ARGUMENTS]     (after `make windows`;
#                                                 `make windows-test` does both)
# KUPONGEN_HEADLESS names the Linux driver (default build/src/headless/...).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-prefix.sh
build=${WINDOWS_DIR:-build-windows}
[ -f "$build/src/win32/kupongen-script.exe" ] || {
    echo "missing $build/src/win32/kupongen-script.exe: run 'make windows' first" >&2
    exit 1
}
headless=${KUPONGEN_HEADLESS:-${BUILD_DIR:-build}/src/headless/kupongen-headless}
if [ -x "$headless" ]; then
    KUPONGEN_HEADLESS=$(realpath "$headless")
    export KUPONGEN_HEADLESS
    echo "comparing with $KUPONGEN_HEADLESS"
else
    unset KUPONGEN_HEADLESS
    echo "no Linux kupongen-headless at $headless: comparing with the expected files only"
fi

work=$(mktemp -d)
# A fresh prefix, no debug chatter, and no Mono or Gecko installers (which
# would want the network).
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 2400x1600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")

start=$(date +%s)
# One server for all the runs, instead of one per program start.
mkdir -p "$WINEPREFIX"
wineserver -p
new_wine_prefix
echo "Wine prefix ready in $(($(date +%s) - start)) s"

ctest --test-dir "$build/src/win32" --output-on-failure -j "$(nproc)" "$@"
