#!/bin/bash
# The native dialog at 96, 144 and 192 DPI, each in a fresh Wine prefix with
# that LogPixels, on the display the caller gives (scripts/windows-test.sh):
# kupongen_dpi_checks passes at each (at 96 DPI also after DPI changes to 144
# and 192 and back); the base units, and so the window, are 1.5 and 2 times
# those at 96 DPI, within the one pixel the font's rounding allows; and no
# caption that fits at 96 DPI is clipped at another DPI.
#   dpi_test.sh WINE kupongen_dpi_checks.exe
set -euo pipefail
wine=$1 checks=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

status=0
for dpi in 96 144 192; do
    export WINEPREFIX=$work/prefix-$dpi
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1
    changes=
    [ "$dpi" != 96 ] || changes="144 192 96"
    # shellcheck disable=SC2086
    "$wine" "$checks" $changes | tr -d '\r' >"$work/$dpi.out" || status=1
    wineserver -k || true
    cat "$work/$dpi.out"
done
[ "$status" = 0 ] || { echo "kupongen_dpi_checks failed"; exit 1; }

# "dpi D: client W x H, base units X x Y" as created, the first line of each run.
read -r base_x base_y < <(sed -n '1s/.*base units \([0-9]*\) x \([0-9]*\)/\1 \2/p' "$work/96.out")
read -r width height < <(sed -n '1s/.*client \([0-9]*\) x \([0-9]*\),.*/\1 \2/p' "$work/96.out")
for dpi in 144 192; do
    read -r x y < <(sed -n '1s/.*base units \([0-9]*\) x \([0-9]*\)/\1 \2/p' "$work/$dpi.out")
    read -r w h < <(sed -n '1s/.*client \([0-9]*\) x \([0-9]*\),.*/\1 \2/p' "$work/$dpi.out")
    echo "dpi $dpi: window $(awk -v a="$w" -v b="$width" -v c="$h" -v d="$height" \
        'BEGIN { printf "%.3f x %.3f", a / b, c / d }') times its size at 96 DPI"
    for pair in "$x $base_x" "$y $base_y"; do
        read -r now at96 <<<"$pair"
        if [ $((96 * now - dpi * at96)) -gt 96 ] || [ $((dpi * at96 - 96 * now)) -gt 96 ]; then
            echo "FAILED: dpi $dpi: base units $x x $y are not $dpi/96 of $base_x x $base_y"
            status=1
        fi
    done
done

# Captions clipped at some DPI but not at 96.
sed -n 's/^dpi 96: clipped \("[^"]*"\).*/\1/p' "$work"/*.out | sort -u >"$work/clipped-96"
if [ -s "$work/clipped-96" ]; then
    echo "clipped at 96 DPI already (the font, not the scaling): $(paste -sd ' ' "$work/clipped-96")"
fi
while read -r line; do
    caption=$(sed -n 's/^dpi [0-9]*: clipped \("[^"]*"\).*/\1/p' <<<"$line")
    if ! grep -qxF -- "$caption" "$work/clipped-96"; then
        echo "FAILED: $line"
        status=1
    fi
done < <(grep -h '^dpi [0-9]*: clipped' "$work"/*.out | grep -v '^dpi 96:')
exit "$status"
