#!/usr/bin/env bash
# Print files against zint in one run: 10,000 codes with short names, each
# batch on one core (taskset -c 0) into a folder on tmpfs, the best of RUNS
# (default 3) runs in CPU seconds (user + system). Every ratio is zint's
# time over ours, so higher is better, and is printed with its goal:
#   window BMP              zint BMP                                  >= 1.5
#   retail BMP, 300 dpi     zint --compliantheight --scale 2, BMP     >= 1
#   retail PNG, 300 dpi     the same as PNG                           >= 1
#   retail SVG              zint --compliantheight, SVG               >= 1
#   retail PDF              zint --compliantheight, EPS               >= 1
# and the window BMP batch against the floor (bench/render/floor.c: the same
# number of files of the same size, made plain, as unnamed file plus link
# through /proc, or linked by its descriptor as stripewell-render now does
# where the kernel allows it): at most 2 x the unnamed floor.
# Then the wall time of one single-symbol run against zint's (the mean of
# 20, goal at most 3 x) and against the floor of any Qt program that draws
# (bench/render/qtfloor.cpp: QGuiApplication started offscreen, then exit),
# and of any program linked with Qt's GUI library (qtfloor linked: loaded,
# nothing started), with those floors against zint's; and, on both cores,
# a 10,000-label sheet in one PDF against the same list as 10,000 separate
# retail PDFs (wall time, goal at least as fast) with the sheet's peak
# memory at 1,000 and 10,000 labels.
#
#   bench/render/table.sh      needs a Release build in BUILD_DIR (default
#                              build-bench), zint, GNU time, a C compiler,
#                              a C++ compiler and pkg-config
#   LINES="window bmp" bench/render/table.sh
#                              measures only the lines named (window, bmp,
#                              png, svg, pdf, single, sheet; window brings the
#                              floor with it) and prints the others as "-"
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD_DIR:-build-bench}
render=$build/render/stripewell-render
for file in "$render" /usr/bin/zint /usr/bin/time; do
    [ -x "$file" ] || { echo "table.sh: $file is missing" >&2; exit 1; }
done
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" ||
    { echo "table.sh: $build/ is not a Release build" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen
tmp=$(mktemp -d -p /dev/shm)
trap 'rm -rf "$tmp"' EXIT
cc -O2 -o "$tmp/floor" bench/render/floor.c
seq -f '4901234%05g' 0 9999 >"$tmp/codes.txt"
awk '{ print "Item " NR "," $0 }' "$tmp/codes.txt" >"$tmp/list.csv"
head -n 1000 "$tmp/list.csv" >"$tmp/list-1000.csv"

# cpu COMMAND...: the fewest user + system seconds of $runs runs, each into a
# fresh folder $out that is gone afterwards. The command must leave 10,000
# files there.
cpu() {
    local best= t files
    for ((run = 0; run < runs; ++run)); do
        rm -rf "$tmp/out" && mkdir "$tmp/out"
        /usr/bin/time -f '%U %S' -o "$tmp/time" taskset -c 0 "$@" >"$tmp/log" 2>&1 ||
            { echo "table.sh: failed: $*" >&2; cat "$tmp/log" >&2; exit 1; }
        files=$(find "$tmp/out" -type f | wc -l)
        [ "$files" -eq 10000 ] || { echo "table.sh: $files files from $*" >&2; exit 1; }
        t=$(awk '{ printf "%.3f", $1 + $2 }' "$tmp/time")
        best=$(awk -v a="$best" -v b="$t" 'BEGIN { print (a == "" || b < a) ? b : a }')
    done
    rm -rf "$tmp/out"
    echo "$best"
}
# The same on both cores, in wall seconds, and the peak memory in kB.
wall2() {
    local best= t
    for ((run = 0; run < runs; ++run)); do
        rm -rf "$tmp/out" && mkdir "$tmp/out"
        t0=$EPOCHREALTIME
        /usr/bin/time -f '%M' -o "$tmp/rss" "$@" >"$tmp/log" 2>&1 ||
            { echo "table.sh: failed: $*" >&2; cat "$tmp/log" >&2; exit 1; }
        t=$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }')
        best=$(awk -v a="$best" -v b="$t" 'BEGIN { print (a == "" || b < a) ? b : a }')
    done
    rm -rf "$tmp/out"
    echo "$best $(cat "$tmp/rss")"
}
lines=${LINES:-window bmp png svg pdf single sheet}
# A shared machine slows some runs by half: the best of more runs is
# nearer what the program costs.
runs=${RUNS:-3}
wanted() { [[ " $lines " == *" $1 "* ]]; }
ours() { cpu "$render" --batch "$tmp/list.csv" --out-dir "$tmp/out" "$@"; }
zint() { cpu /usr/bin/zint -b EANX --batch -i "$tmp/codes.txt" "$@"; }

floorPlain=- floorUnnamed=- zWindow=- oWindow=- zBmp=- oBmp=- zPng=- oPng=- zSvg=- oSvg=- zEps=-
oPdf=- oOne=- zOne=- qOne=- qLinked=- floorLinked=- sheet=- sheetKb=- smallKb=- files=-
if wanted window; then
    floorPlain=$(cpu "$tmp/floor" plain "$tmp/out")
    floorUnnamed=$(cpu "$tmp/floor" unnamed "$tmp/out")
    floorLinked=$(cpu "$tmp/floor" linked "$tmp/out")
    zWindow=$(zint -o "$tmp/out/~~~~~.bmp")
    oWindow=$(ours)
fi
if wanted bmp; then
    zBmp=$(zint --compliantheight --scale 2 -o "$tmp/out/~~~~~.bmp")
    oBmp=$(ours --layout retail)
fi
if wanted png; then
    zPng=$(zint --compliantheight --scale 2 -o "$tmp/out/~~~~~.png")
    oPng=$(ours --layout retail --format png)
fi
if wanted svg; then
    zSvg=$(zint --compliantheight -o "$tmp/out/~~~~~.svg")
    oSvg=$(ours --layout retail --format svg)
fi
if wanted pdf; then
    zEps=$(zint --compliantheight -o "$tmp/out/~~~~~.eps")
    oPdf=$(ours --layout retail --format pdf)
fi

# Wall milliseconds of one run, the mean of 20, into a file on tmpfs.
single() {
    local t0=$EPOCHREALTIME
    for _ in $(seq 20); do taskset -c 0 "$@" >/dev/null 2>&1; done
    awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", (b - a) * 1000 / 20 }'
}
if wanted single; then
    # The floor of one run (bench/render/qtfloor.cpp): Qt's GUI application
    # started on the offscreen platform, nothing drawn.
    c++ -std=c++17 -O2 -fPIC $(pkg-config --cflags Qt6Gui) -o "$tmp/qtfloor" \
        bench/render/qtfloor.cpp $(pkg-config --libs Qt6Gui)
    oOne=$(single "$render" 4901234567894 -o "$tmp/one.bmp" --force)
    zOne=$(single /usr/bin/zint -b EANX -d 490123456789 -o "$tmp/zone.bmp")
    qOne=$(single "$tmp/qtfloor")
    qLinked=$(single "$tmp/qtfloor" linked)
fi

if wanted sheet; then
    read -r sheet sheetKb < <(wall2 "$render" --batch "$tmp/list.csv" --sheet a4-24 -o "$tmp/out/sheet.pdf")
    read -r _ smallKb < <(wall2 "$render" --batch "$tmp/list-1000.csv" --sheet a4-24 -o "$tmp/out/sheet.pdf")
    read -r files _ < <(wall2 "$render" --batch "$tmp/list.csv" --out-dir "$tmp/out" --layout retail \
        --format pdf)
fi

echo "== $render against $(/usr/bin/zint --version | head -n1); load $(cut -d' ' -f1-3 /proc/loadavg)"
awk -v fp="$floorPlain" -v fu="$floorUnnamed" -v fl="$floorLinked" \
    -v zw="$zWindow" -v ow="$oWindow" -v zb="$zBmp" -v ob="$oBmp" -v zp="$zPng" -v op="$oPng" \
    -v zs="$zSvg" -v os="$oSvg" -v ze="$zEps" -v od="$oPdf" -v o1="$oOne" -v z1="$zOne" -v q1="$qOne" -v ql="$qLinked" \
    -v sh="$sheet" -v fi="$files" -v m1="$smallKb" -v m2="$sheetKb" -v runs="$runs" '
function verdict(ok) { return ok ? "met" : "MISSED" }
function line(what, o, peer, z, goal) {
    if (o == "-") { printf "%-22s       -\n", what; return }
    printf "%-22s %7.3f s  %-30s %7.3f s  %5.2fx  (goal >= %s: %s)\n",
        what, o, peer, z, z / o, goal, verdict(z / o >= goal)
}
BEGIN {
    printf "== 10,000 codes, CPU seconds on one core, best of %d; ratio = zint / ours\n", runs
    line("window BMP", ow, "zint BMP", zw, 1.5)
    line("retail BMP 300 dpi", ob, "zint --scale 2 BMP", zb, 1)
    line("retail PNG 300 dpi", op, "zint --scale 2 PNG", zp, 1)
    line("retail SVG", os, "zint SVG", zs, 1)
    line("retail PDF", od, "zint EPS", ze, 1)
    if (fu != "-") {
    printf "== the floor: 10,000 files of 1,802 bytes\n"
    printf "%-22s %7.3f s\n%-22s %7.3f s\n", "plain", fp, "unnamed + link", fu
    printf "%-22s %7.3f s\n", "unnamed + fd link", fl
    printf "%-22s %7.2fx the unnamed floor (goal <= 2: %s), %.2fx the fd-link floor\n",
        "window BMP", ow / fu, verdict(ow / fu <= 2), ow / fl
    }
    if (o1 != "-") {
    printf "== one symbol, wall time, mean of 20\n"
    printf "%-22s %7.2f ms\n%-22s %7.2f ms\n%-22s %7.2fx zint (goal <= 3: %s)\n",
        "stripewell-render", o1, "zint", z1, "ratio", o1 / z1, verdict(o1 / z1 <= 3)
    printf "%-22s %7.2f ms (QGuiApplication offscreen, nothing drawn: %.2fx zint)\n%-22s %7.2fx the Qt floor\n",
        "Qt floor", q1, q1 / z1, "ratio", o1 / q1
    printf "%-22s %7.2f ms (the Qt GUI library loaded, nothing started: %.2fx zint)\n",
        "Qt libraries", ql, ql / z1
    }
    if (sh != "-") {
    printf "== 10,000 labels, wall time on both cores, best of %d\n", runs
    printf "%-22s %7.3f s\n%-22s %7.3f s\n%-22s %7.2fx the separate files (goal >= 1: %s)\n",
        "a4-24 sheet, one PDF", sh, "separate retail PDFs", fi, "sheet", fi / sh,
        verdict(fi / sh >= 1)
    printf "%-22s %7.1f MB at 1,000 labels, %.1f MB at 10,000\n", "sheet peak memory",
        m1 / 1024, m2 / 1024
    }
}'
