#!/bin/bash
# Times Generate presses of the native dialog under Wine in a virtual X
# display, through kupongen-script.exe:
# - a script with one 256-row press against the same script without it, and
#   their ratio (target: at most 1.5), each the median of several runs;
# - 34 Append presses of 256 rows, which fill the rows text to its limit.
#   scripts/windows-bench.sh     (after `make windows`; `make windows-bench`
#                                 does both)
# KUPONGEN_BENCH_RUNS sets the runs of each of the first two scripts (default 3).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${WINDOWS_DIR:-build-windows}
driver=$build/src/win32/kupongen-script.exe
[ -f "$driver" ] || { echo "missing $driver: run 'make windows' first" >&2; exit 1; }
driver=$(realpath "$driver")
runs=${KUPONGEN_BENCH_RUNS:-3}

. scripts/wine-session.sh
wine_session_start

# ENKELRADER, 256 rows, the compatible format with its Stryktipset header.
start=$'click 1001\nclick 1113\nclick 1068\n'
printf '%s' "$start" >"$work/start.script"
printf '%sclick 1007\n' "$start" >"$work/press.script"
{
    printf '%sclick 1115\n' "$start"
    for _ in $(seq 34); do echo 'click 1007'; done
    echo state
} >"$work/limit.script"

# Milliseconds of one run of a script, the program's start and end included.
milliseconds() {
    local begin end
    begin=$(date +%s%N)
    wine "$driver" --seed 1 "$work/$1.script" >"$work/$1.out"
    end=$(date +%s%N)
    echo $(((end - begin) / 1000000))
}
median() {
    sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
seconds() {
    awk -v ms="$1" 'BEGIN { printf "%.2f s", ms / 1000 }'
}

milliseconds start >/dev/null # the first start of a fresh prefix is slower
without=() with=()
for _ in $(seq "$runs"); do
    without+=("$(milliseconds start)")
    with+=("$(milliseconds press)")
done
without_ms=$(printf '%s\n' "${without[@]}" | median)
with_ms=$(printf '%s\n' "${with[@]}" | median)
ratio=$(awk -v a="$with_ms" -v b="$without_ms" 'BEGIN { printf "%.2f", a / b }')
met=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.5 ? "met" : "NOT met") }')
echo "script without the press:        $(seconds "$without_ms") (median of $runs runs)"
echo "script with one 256-row press:   $(seconds "$with_ms") (median of $runs runs)"
echo "ratio:                           $ratio (target <= 1.5: $met)"

limit_ms=$(milliseconds limit)
grep -q '"Rader": 8704' "$work/limit.out" || {
    echo "the 34 Append presses did not all run:" >&2
    head -c 300 "$work/limit.out" >&2
    exit 1
}
echo "34 Append presses of 256 rows:   $(seconds "$limit_ms")"
[ "$met" = met ]
