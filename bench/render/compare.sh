#!/usr/bin/env bash
# The print files of two builds side by side, for a change that must keep
# them: the same list (JAN, short JAN, UPC-A and add-ons, names in Latin and
# Japanese) written by OLD and NEW, then every pair compared: bitmaps byte
# for byte (cmp), PNG pixel for pixel, SVG (rsvg-convert) and PDF (pdftoppm)
# rasterised at 600 dpi, equal but for anti-aliased edge pixels, and label
# sheets page by page (bench/compare.cpp decides).
#
#   bench/render/compare.sh OLD NEW [COUNT]     COUNT lines per format (200)
#
# Needs a build of bench/ in BUILD_DIR (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/../.."
old=$(realpath "$1") new=$(realpath "$2") count=${3:-200}
compare=$(realpath "${BUILD_DIR:-build-bench}/bench/compare_pictures")
export QT_QPA_PLATFORM=offscreen
tmp=$(mktemp -d -p /dev/shm)
trap 'rm -rf "$tmp"' EXIT
names=("Item" "緑茶 500ml" "週刊誌 Weekly" "Green tea" "お茶 ５００ｍｌ" "")
{
    echo "name,code"
    for i in $(seq 0 $((count - 1))); do
        code=4901234$(printf '%05d' $((i * 37 % 100000)))
        addon=
        [ $((i % 7)) -eq 3 ] && addon=+$(printf '%05d' $((i * 13 % 100000)))
        [ $((i % 11)) -eq 5 ] && addon=+$(printf '%02d' $((i % 100)))
        echo "${names[i % 6]} $i,$code$addon"
    done
} >"$tmp/list.csv"

# run NAME ARGS...: both builds' files into $tmp/NAME/{old,new}.
run() {
    local name=$1
    shift
    for build in old new; do
        mkdir -p "$tmp/$name/$build"
        "${!build}" --batch "$tmp/list.csv" --out-dir "$tmp/$name/$build" "$@" \
            >"$tmp/$name/$build.log" 2>&1 || true
    done
}
# verdict NAME EXT: the pairs of files of that ending compared.
verdict() {
    local args=() file
    for file in "$tmp/$1/old/"*."$2"; do
        args+=("$file" "$tmp/$1/new/${file##*/}")
    done
    "$compare" "${args[@]}" | tail -n 1
}
# same NAME EXT: the pairs of files compared byte for byte.
same() {
    local n=0 d=0 file
    for file in "$tmp/$1/old/"*."$2"; do
        n=$((n + 1))
        cmp -s "$file" "$tmp/$1/new/${file##*/}" || d=$((d + 1))
    done
    echo "$n files, $d differ byte for byte"
}

run window-bmp
echo "window BMP: $(same window-bmp bmp)"
run retail-bmp --layout retail
echo "retail BMP: $(same retail-bmp bmp)"
run retail-png --layout retail --format png --dpi 600 --bwr 20
echo "retail PNG 600 dpi: $(verdict retail-png png)"
run retail-svg --layout retail --format svg
for f in "$tmp"/retail-svg/*/*.svg; do rsvg-convert -d 600 -p 600 -o "${f%.svg}.png" "$f"; done
echo "retail SVG files: $(same retail-svg svg)"
echo "retail SVG at 600 dpi: $(verdict retail-svg png)"
run retail-pdf --layout retail --format pdf --bwr 15
for f in "$tmp"/retail-pdf/*/*.pdf; do pdftoppm -r 600 -gray -png -singlefile "$f" "${f%.pdf}"; done
echo "retail PDF files: $(same retail-pdf pdf)"
echo "retail PDF at 600 dpi: $(verdict retail-pdf png)"
run window-svg --format svg
echo "window SVG: $(same window-svg svg)"
for sheet in a4-24 a4-21 a4-44; do
    for build in old new; do
        mkdir -p "$tmp/sheet-$sheet/$build"
        "${!build}" --batch "$tmp/list.csv" --sheet "$sheet" --skip 3 -o "$tmp/sheet-$sheet/$build/s.pdf" \
            >/dev/null 2>&1 || true
        pdftoppm -r 600 -gray -png "$tmp/sheet-$sheet/$build/s.pdf" "$tmp/sheet-$sheet/$build/page"
    done
    echo "sheet $sheet, $(pdfinfo "$tmp/sheet-$sheet/new/s.pdf" | grep -E '^(Pages|Page size)' | tr -s ' ' | paste -sd ' ')" \
        "(old: $(pdfinfo "$tmp/sheet-$sheet/old/s.pdf" | grep -E '^(Pages|Page size)' | tr -s ' ' | paste -sd ' ')):" \
        "$(verdict "sheet-$sheet" png)"
done
