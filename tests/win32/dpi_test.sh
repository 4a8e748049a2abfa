#!/bin/bash
# The native dialog and its check window at 96, 144 and 192 DPI, each in a
# fresh Wine prefix with that LogPixels, on the display the caller gives
# (scripts/windows-test.sh): kupongen_dpi_checks passes at each (at 96 DPI also
# after DPI changes to 144 and 192 and back), and both windows are 1.5 and 2
# times their size at 96 DPI.
#   dpi_test.sh WINE kupongen_dpi_checks.exe
set -euo pipefail
. "$(dirname "$0")/../../scripts/wine-prefix.sh"
wine=$1 checks=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

status=0
for dpi in 96 144 192; do
    export WINEPREFIX=$work/prefix-$dpi
    new_wine_prefix "$dpi"
    changes=
    [ "$dpi" != 96 ] || changes="144 192 96"
    # shellcheck disable=SC2086
    "$wine" "$checks" $changes | tr -d '\r' >"$work/$dpi.out" || status=1
    wineserver -k || true
    cat "$work/$dpi.out"
done
[ "$status" = 0 ] || { echo "kupongen_dpi_checks failed"; exit 1; }

# "dpi D: client W x H" and "dpi D: check window client W x H", the first of
# each in a run, as created: 1.5 and 2 times the size at 96 DPI, to the pixel.
client() { sed -n "s/^dpi [0-9]*: $2client \([0-9]*\) x \([0-9]*\)$/\1 \2/p; T; q" "$work/$1.out"; }
for window in "" "check window "; do
    read -r width height < <(client 96 "$window")
    for dpi in 144 192; do
        read -r w h < <(client "$dpi" "$window")
        echo "dpi $dpi: ${window:-window }$(awk -v a="$w" -v b="$width" -v c="$h" -v d="$height" \
            'BEGIN { printf "%.3f x %.3f", a / b, c / d }') times its size at 96 DPI"
        for pair in "$w $width" "$h $height"; do
            read -r now at96 <<<"$pair"
            if [ $((96 * now - dpi * at96)) -gt 96 ] || [ $((dpi * at96 - 96 * now)) -gt 96 ]; then
                echo "FAILED: dpi $dpi: ${window}client $w x $h is not $dpi/96 of $width x $height"
                status=1
            fi
        done
    done
done
exit "$status"
