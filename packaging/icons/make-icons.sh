#!/bin/sh
# Draws the window and desktop icons: a pool coupon with a green header and a
# grid of 1 X 2 boxes, some marked. The design sits on a 32-unit grid and is
# drawn natively where a unit is a whole number of pixels, so the 32 and 64
# pixel icons stay sharp; 16 and 48 are scaled down from twice their size.
# Needs ImageMagick. Run from anywhere; writes kupongen-<size>.png beside this
# script.
set -eu
cd "$(dirname "$0")"

draw() { # size in pixels, a multiple of 32
    size=$1
    out=$2
    s=$((size / 32))
    b=$(((s + 1) / 2)) # border width
    px() { echo $(($1 * s)); }
    end() { echo $((($1 + 1) * s - 1)); }
    if [ "$s" -le 2 ]; then aa=+antialias; r=0; else aa=-antialias; r=$s; fi
    set -- -size "${size}x${size}" xc:none $aa -stroke none
    # Body with its dark green edge, then the cream paper inside.
    if [ "$r" -gt 0 ]; then shape="roundrectangle"; radius=" $r,$r"; else shape="rectangle"; radius=""; fi
    set -- "$@" -fill "#1f5f3a" -draw "$shape $(px 2),$(px 3) $(end 29),$(end 28)$radius"
    set -- "$@" -fill '#fbf3d5' -draw "rectangle $(($(px 2) + b)),$(($(px 3) + b)) $(($(end 29) - b)),$(($(end 28) - b))"
    # Header band.
    set -- "$@" -fill '#2e8b57' -draw "rectangle $(($(px 2) + b)),$(($(px 3) + b)) $(($(end 29) - b)),$(end 8)"
    set -- "$@" -fill '#fbf3d5' -draw "rectangle $(px 6),$(px 5) $(end 25),$(end 6)"
    # Four rows of three boxes (1, X, 2); the marked ones are red.
    row=0
    for marks in 100 010 001 101; do
        y=$((11 + 4 * row))
        col=0
        for x in 6 13 20; do
            mark=$(echo "$marks" | cut -c$((col + 1)))
            if [ "$mark" = 1 ]; then fill='#c62828'; else fill='#dccd9c'; fi
            set -- "$@" -fill "$fill" -draw "rectangle $(px $x),$(px $y) $(end $((x + 5))),$(end $((y + 2)))"
            col=$((col + 1))
        done
        row=$((row + 1))
    done
    convert "$@" -strip "PNG32:$out"
}

for size in 32 64 128 256; do
    draw "$size" "kupongen-$size.png"
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
draw 32 "$tmp/32.png"
draw 96 "$tmp/96.png"
convert "$tmp/32.png" -filter Box -resize 16x16 -strip PNG32:kupongen-16.png
convert "$tmp/96.png" -filter Box -resize 48x48 -strip PNG32:kupongen-48.png
