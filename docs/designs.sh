#!/usr/bin/env bash
# Makes the pictures of the label designs in docs/, as stripewell-render
# writes them: design-symbol.png (記号のみ, the symbol under its name at
# --scale 3), and at their designs' own sizes in black and white at 600 dpi
# design-price.png (値札), design-shelf.png (棚札) and
# design-shelf-no-symbol.png; and design-price-40x30.png, a price tag on a
# 40 x 30 mm label.
# Usage: docs/designs.sh [path/to/stripewell-render]
#        (default build-release/render/stripewell-render)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build-release/render/stripewell-render}")
[ -x "$program" ] || { echo "designs: build $program first"; exit 1; }

render() {  # name, then the arguments
    local name=$1
    shift
    "$program" --force "$@" -o "$root/docs/$name.png"
}

render design-symbol --scale 3 --name "おいしい緑茶 500ml" 4901234567894
render design-price --design price --dpi 600 --name "おいしい緑茶 500ml" --price 1000 4901234567894
render design-price-40x30 --design price --dpi 600 --label-size 40x30 --name "おいしい緑茶 500ml" \
    --price 1000 4901234567894
render design-shelf --design shelf --dpi 600 --name "国産ぶなしめじ 1袋" --price 198 --tax-rate 8 \
    4901234567894
render design-shelf-no-symbol --design shelf --dpi 600 --no-symbol --name "国産ぶなしめじ 1袋" \
    --price 198 --tax-rate 8 4901234567894
