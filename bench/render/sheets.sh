#!/usr/bin/env bash
# Label sheets: labels per second of a 10,000-line list on the 24-label sheet
# in one PDF, against the same list as separate retail PDF files, both on one
# core (taskset -c 0); and the peak memory of the sheet at 1,000 and 10,000
# lines, which must stay flat. Goal: the sheet at least as fast per label as
# the separate files.
#
#   bench/render/sheets.sh       needs a Release build in BUILD_DIR (default
#                                build-bench) and GNU time
set -euo pipefail
cd "$(dirname "$0")/../.."
render=${BUILD_DIR:-build-bench}/render/stripewell-render
for file in "$render" /usr/bin/time; do
    [ -x "$file" ] || { echo "sheets.sh: $file is missing" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for n in 1000 10000; do
    seq -f '4901234%05g' 0 $((n - 1)) | awk '{ print "Item " NR "," $0 }' >"$tmp/list-$n.csv"
done

# run NAME COMMAND...: "user+system seconds, peak kB" of one run.
run() {
    local name=$1
    shift
    /usr/bin/time -f '%U %S %M' -o "$tmp/$name.time" taskset -c 0 "$@" >/dev/null 2>&1
    awk '{ printf "%.3f %d\n", $1 + $2, $3 }' "$tmp/$name.time"
}
read -r sheet sheetKb < <(run sheet "$render" --batch "$tmp/list-10000.csv" --sheet a4-24 -o "$tmp/sheet.pdf")
read -r _ smallKb < <(run small "$render" --batch "$tmp/list-1000.csv" --sheet a4-24 -o "$tmp/small.pdf")
mkdir "$tmp/files"
read -r files _ < <(run files "$render" --batch "$tmp/list-10000.csv" --out-dir "$tmp/files" \
    --layout retail --format pdf)
pages=$(pdfinfo "$tmp/sheet.pdf" | awk '/^Pages:/ { print $2 }')

awk -v s="$sheet" -v f="$files" -v m1="$smallKb" -v m2="$sheetKb" -v p="$pages" 'BEGIN {
    printf "== 10,000 labels on one core\n"
    printf "%-30s %8.0f labels/s  (%d pages)\n", "a4-24 sheet, one pdf", 10000 / s, p
    printf "%-30s %8.0f labels/s\n", "separate retail pdf files", 10000 / f
    printf "%-30s %8.2f x the separate files (goal >= 1)\n", "sheet speed", f / s
    printf "== peak memory of the sheet\n%-30s %8.1f MB\n%-30s %8.1f MB\n",
        "1,000 lines", m1 / 1024, "10,000 lines", m2 / 1024
}'
