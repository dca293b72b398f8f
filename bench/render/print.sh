#!/usr/bin/env bash
# CPU time per symbol of 10,000-line batches on one core (taskset -c 0), for
# zint's BMP and ours as the window's BMP, the retail BMP at 300 dpi and the
# retail PDF; and the wall time of one single-symbol run against zint's.
# Goals, as ratios to zint in the same run: the window's BMP batch at most
# half of zint's CPU per symbol; the retail PDF batch at most twice the same
# batch as BMP; a single run at most 3 x zint's wall time.
#
#   bench/render/print.sh        needs a Release build in BUILD_DIR (default
#                                build-bench), zint and GNU time
set -euo pipefail
cd "$(dirname "$0")/../.."
render=${BUILD_DIR:-build-bench}/render/stripewell-render
for file in "$render" /usr/bin/zint /usr/bin/time; do
    [ -x "$file" ] || { echo "print.sh: $file is missing" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
seq -f '4901234%05g' 0 9999 >"$tmp/codes.txt"
awk '{ print "Item " NR "," $0 }' "$tmp/codes.txt" >"$tmp/list.csv"

# cpu NAME COMMAND...: user + system seconds of one batch into a fresh folder.
cpu() {
    local name=$1
    shift
    mkdir "$tmp/$name"
    sync
    /usr/bin/time -f '%U %S' -o "$tmp/$name.time" taskset -c 0 "$@" >/dev/null 2>&1
    awk '{ printf "%.3f", $1 + $2 }' "$tmp/$name.time"
}
ours() { cpu "$1" "$render" --batch "$tmp/list.csv" --out-dir "$tmp/$1" "${@:2}"; }
# The floor every batch stands on: 10,000 files of a window BMP's size (1802
# bytes) made and written by split, which draws nothing.
head -c $((1802 * 10000)) /dev/zero >"$tmp/bytes"
floor=$(cpu floor split -b 1802 -a 5 -d "$tmp/bytes" "$tmp/floor/")
zint=$(cpu zint /usr/bin/zint -b EANX --batch -i "$tmp/codes.txt" -o "$tmp/zint/~~~~~.bmp")
window=$(ours window)
bmp=$(ours retail-bmp --layout retail)
pdf=$(ours retail-pdf --layout retail --format pdf)

# Wall milliseconds of one run, the mean of 20.
wall() {
    local t0=$EPOCHREALTIME
    for _ in $(seq 20); do taskset -c 0 "$@" >/dev/null 2>&1; done
    awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", (b - a) * 1000 / 20 }'
}
one=$(wall "$render" 4901234567894 -o "$tmp/one.bmp" --force)
zone=$(wall /usr/bin/zint -b EANX -d 490123456789 -o "$tmp/zone.bmp")

awk -v f="$floor" -v z="$zint" -v w="$window" -v b="$bmp" -v p="$pdf" -v o="$one" -v zo="$zone" 'BEGIN {
    ms = 1000 / 10000
    printf "== CPU per symbol, 10,000-line batches on one core\n"
    printf "%-22s %7.3f ms  %.2f x zint\n", "files alone (split)", f * ms, f / z
    printf "%-22s %7.3f ms\n", "zint bmp", z * ms
    printf "%-22s %7.3f ms  %.2f x zint (goal <= 0.5)\n", "window bmp", w * ms, w / z
    printf "%-22s %7.3f ms\n", "retail bmp 300 dpi", b * ms
    printf "%-22s %7.3f ms  %.2f x retail bmp (goal <= 2)\n", "retail pdf", p * ms, p / b
    printf "== one symbol, wall time\n%-22s %7.1f ms  %.1f x zint (goal <= 3)\n%-22s %7.1f ms\n",
        "stripewell-render", o, o / zo, "zint", zo
}'
