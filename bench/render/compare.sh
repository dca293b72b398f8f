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
# Then the other symbologies (short JAN, UPC-A, UPC-E, ITF-14, the book
# JAN), each from a small list of its own, in every format it is drawn in,
# compared byte for byte.
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

# run NAME ARGS...: both builds' files into $tmp/NAME/{old,new}, from
# $list (the long list unless said).
list=$tmp/list.csv
run() {
    local name=$1
    shift
    for build in old new; do
        mkdir -p "$tmp/$name/$build"
        "${!build}" --batch "$list" --out-dir "$tmp/$name/$build" "$@" \
            >"$tmp/$name/$build.log" 2>&1 || true
    done
    sed "s|/old|/new|g" "$tmp/$name/old.log" | cmp -s - "$tmp/$name/new.log" ||
        echo "$name: the two builds said different things"
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

# The other symbologies: a few codes each, every format, byte for byte.
printf 'name,code\nItem,4901234\n緑茶,4512345\n,49012347\n' >"$tmp/jan8.csv"
printf 'name,code\nItem,03600029145\n緑茶,012345678905 12\nWeekly,07470001234 54321\n' >"$tmp/upca.csv"
printf 'name,code\nItem,0123456\n緑茶,0654321 12\nWeekly,01234565\n' >"$tmp/upce.csv"
printf 'name,code\nItem,1490123456789\n緑茶,14901234567891\n' >"$tmp/itf14.csv"
printf 'name,code,Cコード,本体価格\n本,9784101001548,C0193,500\n週刊誌,4-00-310104-9,C0095,12000\n' >"$tmp/book.csv"
# ITF-14 needs labels larger than any named sheet's: two across, four down.
printf 'columns = 2\nrows = 4\nlabel-width = 105\nlabel-height = 70\nleft = 0\ntop = 8.5\npitch-x = 105\npitch-y = 70\n' >"$tmp/itf14.sheet"
for symbology in jan8 upca upce itf14 book; do
    sheet=(--sheet a4-12)
    [ "$symbology" = itf14 ] && sheet=(--sheet-file "$tmp/itf14.sheet")
    list=$tmp/$symbology.csv
    formats=(bmp png svg pdf)
    for format in "${formats[@]}"; do
        run "$symbology-$format" --symbol "$symbology" --layout retail --format "$format"
        echo "$symbology retail ${format^^}: $(same "$symbology-$format" "$format")"
    done
    if [ "$symbology" = jan8 ] || [ "$symbology" = upca ] || [ "$symbology" = upce ]; then
        run "$symbology-window" --symbol "$symbology"
        echo "$symbology window BMP: $(same "$symbology-window" bmp)"
    fi
    for build in old new; do
        "${!build}" --symbol "$symbology" --batch "$list" "${sheet[@]}" -o "$tmp/$symbology-sheet-$build.pdf" \
            >"$tmp/$symbology-sheet-$build.log" 2>&1 || true
    done
    cmp -s "$tmp/$symbology-sheet-old.pdf" "$tmp/$symbology-sheet-new.pdf" &&
        cmp -s "$tmp/$symbology-sheet-old.log" "$tmp/$symbology-sheet-new.log" &&
        echo "$symbology sheet ${sheet[*]##*/}: the same bytes" || echo "$symbology sheet ${sheet[*]##*/}: differs"
done
