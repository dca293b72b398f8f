#!/usr/bin/env bash
# Makes the "Checking a print" example in docs/: a retail symbol at 1200 dpi
# made to look like a scan of a print (bars 4 dots wider, ink and paper
# greyer, a little blur and noise, turned 1.5 degrees on a page), graded by
# stripewell-render --verify into docs/verify-report.txt, docs/verify-report.json
# and the plot docs/verify-plot.png. Needs ImageMagick.
# Usage: docs/verify-example.sh [path/to/stripewell-render]   (default build-release/render/stripewell-render)
set -euo pipefail
# The examples are the English report and plot, whatever the locale.
export LANG=C.UTF-8 LC_ALL= LC_MESSAGES= LANGUAGE=

root=$(cd "$(dirname "$0")/.." && pwd)
render=$(realpath "${1:-$root/build-release/render/stripewell-render}")
[ -x "$render" ] || { echo "verify-example: build $render first"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cd "$tmp"
"$render" --layout retail --dpi 1200 4901234567894 -o symbol.png 2>/dev/null
convert symbol.png -colorspace Gray -morphology Erode Rectangle:5x1 \
    -bordercolor white -border 300 -blur 0x2 +level 9%,86% -seed 7 -attenuate 0.3 +noise Gaussian \
    -background 'gray86' -rotate 1.5 -units PixelsPerInch -density 1200 scan.png
set +e
"$render" --verify scan.png --expect 4901234567894 --plot "$root/docs/verify-plot.png" --force \
    | sed "s|$tmp/||" >"$root/docs/verify-report.txt"
"$render" --verify scan.png --expect 4901234567894 --json >"$root/docs/verify-report.json"
echo "verify-example: docs/verify-report.txt, docs/verify-report.json, docs/verify-plot.png"
