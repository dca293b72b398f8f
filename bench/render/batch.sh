#!/usr/bin/env bash
# Batch throughput of stripewell-render against Debian's zint on the same
# codes, to BMP files, and the peak memory of a 1,000- and a 10,000-line batch.
# Each round runs both programs on the same 10,000-line list into fresh
# folders, alternating which goes first; the script prints symbols per second
# (medians over the rounds), the ratio and the peak memory (GNU time's
# maximum resident set). The goal is at least twice zint's throughput.
#
#   bench/render/batch.sh [rounds]      rounds: default 3, at most 20
#
# Needs a Release build with stripewell-render in BUILD_DIR (default
# build-bench), zint and GNU time (/usr/bin/time, Debian package "time").
# Every round writes about 80 MB into a temporary folder, removed at the end.
#
# Our time includes the sync of the output folder's file system that ends a
# batch; zint does not sync. On ext4 without a journal, inodes freed in the
# last minutes are passed over when new files are made, which slows both
# programs: right after a run (or anything else) deleted many files, the
# next run's times are higher for some minutes.
set -euo pipefail
cd "$(dirname "$0")/../.."

rounds=${1:-3}
if ! [[ $rounds =~ ^[0-9]+$ ]] || ((rounds < 1 || rounds > 20)); then
    echo "batch.sh: rounds must be a number from 1 to 20" >&2
    exit 2
fi
build=${BUILD_DIR:-build-bench}
render=$build/render/stripewell-render
for file in "$render" /usr/bin/zint /usr/bin/time; do
    [ -x "$file" ] || { echo "batch.sh: $file is missing (a build in $build/, package zint or time)" >&2; exit 1; }
done
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" ||
    { echo "batch.sh: $build/ is not a Release build" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The lists: "Item N,DIGITS" for us, the same DIGITS alone for zint; even
# lines carry 12 digits, odd lines 13 with their check digit.
make_lists() {
    awk -v n="$1" 'BEGIN {
        srand(1)
        for (i = 1; i <= n; i++) {
            d = ""; sum = 0
            for (p = 1; p <= 12; p++) { c = int(rand() * 10); d = d c; sum += (p % 2 ? c : 3 * c) }
            if (i % 2) d = d (10 - sum % 10) % 10
            print "Item " i "," d
        }
    }' >"$tmp/list-$1.csv"
    cut -d, -f2 "$tmp/list-$1.csv" >"$tmp/zint-$1.txt"
}
make_lists 1000
make_lists 10000

# run NAME LINES COMMAND...: runs one batch into $out, a fresh folder, and
# appends "seconds peak-kB" to $tmp/NAME-LINES. Nothing is deleted until the
# end: ext4 skips over recently freed inodes when it makes a file, which
# would slow down whichever program came after a deletion. Everything is
# written back before each run (sync, not timed): zint leaves its files in
# memory, and our sync at the end of a batch would otherwise write them too.
round_no=0
run() {
    local name=$1 lines=$2 t0 t1 files
    shift 2
    sync
    t0=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$tmp/rss" "$@" >"$tmp/out.log" 2>&1 ||
        { echo "batch.sh: $name failed:" >&2; cat "$tmp/out.log" >&2; exit 1; }
    t1=$EPOCHREALTIME
    files=$(find "$out" -type f | wc -l)
    if [ "$files" -ne "$lines" ]; then
        echo "batch.sh: $name wrote $files files for $lines lines" >&2
        exit 1
    fi
    echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }') $(tail -n1 "$tmp/rss")" \
        >>"$tmp/$name-$lines"
}
run_ours() {
    out=$tmp/ours-$1-$round_no && mkdir "$out"
    run ours "$1" "$render" --batch "$tmp/list-$1.csv" --out-dir "$out"
}
run_zint() {
    out=$tmp/zint-$1-$round_no && mkdir "$out"
    run zint "$1" /usr/bin/zint -b EANX --batch -i "$tmp/zint-$1.txt" -o "$out/~~~~~.bmp" \
        --filetype=BMP
}

echo "== $render against $(/usr/bin/zint --version | head -n1), $rounds rounds"
echo "== load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%5s %12s %12s %8s\n' round ours-s zint-s ratio
for ((round_no = 1; round_no <= rounds; round_no++)); do
    if ((round_no % 2)); then run_ours 10000; run_zint 10000; else run_zint 10000; run_ours 10000; fi
    o=$(tail -n1 "$tmp/ours-10000" | cut -d' ' -f1)
    z=$(tail -n1 "$tmp/zint-10000" | cut -d' ' -f1)
    printf '%5d %12s %12s %8s\n' "$round_no" "$o" "$z" "$(awk -v o="$o" -v z="$z" 'BEGIN { printf "%.2f", z / o }')"
done
# Peak memory: one 1,000-line batch of each against the 10,000-line rounds.
round_no=0
run_ours 1000
run_zint 1000
echo "== load after: $(cut -d' ' -f1-3 /proc/loadavg)"

# median FILE COLUMN
median() { cut -d' ' -f"$2" "$1" | sort -g | awk '{ v[NR] = $1 }
    END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
awk -v o="$(median "$tmp/ours-10000" 1)" -v z="$(median "$tmp/zint-10000" 1)" 'BEGIN {
    printf "== 10,000 symbols to BMP, median of the rounds\n"
    printf "%-20s %8.3f s %9.0f symbols/s\n", "stripewell-render", o, 10000 / o
    printf "%-20s %8.3f s %9.0f symbols/s\n", "zint", z, 10000 / z
    printf "%-20s %8.2f (goal >= 2: %s)\n", "ratio ours/zint", z / o, (z / o >= 2 ? "met" : "MISSED")
}'
printf '== peak memory (max RSS, kB)\n%-20s %12s %12s\n' program 1000-lines 10000-lines
for name in ours zint; do
    printf '%-20s %12s %12s\n' "$name" "$(median "$tmp/$name-1000" 2)" "$(median "$tmp/$name-10000" 2)"
done
