#!/usr/bin/env bash
# Grading a 1200-dpi A4 page scan (9921 x 14031 grey pixels) that holds one
# retail symbol, on one core (taskset -c 0): the CPU time (user + system) of
# stripewell-render --verify on the page as PNG, and in the same run of
# ZXingReader, which only reads the symbol, on the same file (zbarimg reads
# pictures through ImageMagick, whose Debian limits refuse a page this size). Goal: the grading
# of the page in memory (bench_verify) under a second; this script shows what
# reading the PNG adds, against a reader's time on it.
#
#   bench/verify/verify.sh [RUNS]   needs a Release build in BUILD_DIR
#                                   (default build-bench), python3-pil,
#                                   ZXingReader and GNU time
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-5}
render=${BUILD_DIR:-build-bench}/render/stripewell-render
for file in "$render" /usr/bin/ZXingReader /usr/bin/time /usr/bin/python3; do
    [ -x "$file" ] || { echo "verify.sh: $file is missing" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$render" --layout retail --dpi 1200 4901234567894 -o "$tmp/symbol.png" 2>/dev/null
/usr/bin/python3 - "$tmp" <<'PY'
import sys
from PIL import Image
page = Image.new("L", (9921, 14031), 235)  # A4
page.paste(Image.open(sys.argv[1] + "/symbol.png").convert("L"), (4000, 9000))
page.save(sys.argv[1] + "/page.png", dpi=(1200, 1200))
PY

# cpu COMMAND...: the least user + system seconds of the runs.
cpu() {
    for ((i = 0; i < runs; i++)); do
        /usr/bin/time -f '%U %S' -o "$tmp/time" taskset -c 0 "$@" >/dev/null 2>&1 || true
        awk '{ printf "%.3f\n", $1 + $2 }' "$tmp/time"
    done | sort -n | head -1
}
ours=$(cpu "$render" --verify "$tmp/page.png")
zxing=$(cpu /usr/bin/ZXingReader -format EAN-13 -noscale -bytes "$tmp/page.png")
echo "A4 page at 1200 dpi, one symbol, least of $runs runs, CPU seconds on one core:"
echo "  stripewell-render --verify  $ours"
echo "  ZXingReader (reads only)    $zxing"
awk -v a="$ours" -v b="$zxing" 'BEGIN { printf "  ratio                       %.2f\n", a / b }'
