#!/usr/bin/env bash
# Takes docs/print-progress.png: the print dialog reading a 290,000-line list,
# grabbed offscreen once its bar has counted a third of the lines (the
# dialog's --screenshot mode of bench/bench_dialog.cpp).
# Usage: docs/progress-screenshot.sh [path/to/bench_dialog]
#        (default build-release/bench/bench_dialog)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bench=$(realpath "${1:-$root/build-release/bench/bench_dialog}")
[ -x "$bench" ] || { echo "progress-screenshot: build $bench first (target bench_dialog)"; exit 1; }
QT_QPA_PLATFORM=offscreen "$bench" --screenshot="$root/docs/print-progress.png"
echo "progress-screenshot: saved $(identify -format '%wx%h' "$root/docs/print-progress.png") to docs/print-progress.png"
