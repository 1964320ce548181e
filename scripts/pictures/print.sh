#!/usr/bin/env bash
# The pictures of the printed report and the summary page (data/program/Print/): the 0-100 %
# scale above the bars, and the red and black blocks the page stretches to each bar's width.
# Bars are 4 pixels per percent, so the scale is 400 pixels wide with a tick every 10 %.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
out=data/program/Print

convert -size 4x4 xc:'#E00000' "$out/red.gif"
convert -size 4x4 xc:black "$out/black.gif"

ticks=()
for p in 0 10 20 30 40 50 60 70 80 90 100; do
    x=$((p * 4))
    [ "$x" -eq 400 ] && x=399
    if [ $((p % 50)) -eq 0 ]; then top=11; else top=15; fi
    ticks+=(-draw "line $x,$top $x,21")
done
convert -size 400x22 xc:white -fill none -stroke black "${ticks[@]}" -draw "line 0,21 399,21" \
    -stroke none -fill black -font "$(fc-match -f '%{file}' IPAGothic)" -pointsize 9 \
    -draw "text 2,9 '0'" -draw "text 203,9 '50'" -draw "text 380,9 '100'" \
    +dither -colors 2 "$out/print_scale.gif"
