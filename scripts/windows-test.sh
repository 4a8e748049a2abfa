#!/bin/bash
# Runs the Windows build's tests under Wine in a virtual X display: the native
# checks, and every script test (tests/e2e/scripts, tests/win32/scripts)
# through kupongen-script.exe against the expected output and, when a Linux
# kupongen-headless is at hand, against its output and saved files.
#   scripts/windows-test.sh [CTEST ARGUMENTS]     (after `make windows`;
#                                                 `make windows-test` does both)
# KUPONGEN_HEADLESS names the Linux driver (default build/src/headless/...).
set -euo pipefail
cd "$(dirname "$0")/.."
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

. scripts/wine-session.sh
wine_session_start

ctest --test-dir "$build/tests/win32" --output-on-failure -j "$(nproc)" "$@"
