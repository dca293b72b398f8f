#!/usr/bin/env bash
# Installs what is missing, builds Stripewell with the sanitizers, fuzzes the
# symbol core, the batch list reader, the sheet file reader and the
# verifier's scan reader for a bounded time, and runs every test in a
# temporary home.
#
# ./test.sh --fast, between commits: builds in build/ as below and runs only
# the quick tests (ctest labels unit and program, but not slow; see
# tests/CMakeLists.txt), as many at once as there are processors, each given
# 5 minutes at most, without installing packages or fuzzing.
set -euo pipefail
cd "$(dirname "$0")"
fast=false
selection=()
case "${1:-}" in
--fast) fast=true selection=(-L '^(unit|program)$' -LE '^slow$' -j "$(nproc)" --timeout 300) ;;
"") ;;
*) echo "usage: ./test.sh [--fast]" >&2; exit 2 ;;
esac

if ! $fast; then
    echo "== test.sh: installing missing Debian packages"
    scripts/install-deps.sh
fi

echo "== test.sh: building with AddressSanitizer and UndefinedBehaviorSanitizer in build/"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSTRIPEWELL_SANITIZE=ON
cmake --build build

if ! $fast; then
    echo "== test.sh: building the fuzz targets with clang in build-fuzz/"
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTRIPEWELL_FUZZ=ON \
        -DCMAKE_CXX_COMPILER=clang++
    cmake --build build-fuzz

    # fuzz TARGET CORPUS SECONDS: replays the committed corpus, then fuzzes.
    fuzz() {
        "build-fuzz/tests/fuzz/$1" -runs=0 "$2"
        rm -rf "build-fuzz/corpus-$1" && mkdir -p "build-fuzz/corpus-$1"
        "build-fuzz/tests/fuzz/$1" -max_total_time="$3" -max_len=4096 -print_final_stats=1 \
            "build-fuzz/corpus-$1" "$2" 2>&1 | tail -n 12
    }
    : "${FUZZ_SECONDS:=30}"
    echo "== test.sh: replaying each fuzz corpus, then fuzzing for ${FUZZ_SECONDS} s in all"
    fuzz fuzz_code tests/fuzz/corpus $(((FUZZ_SECONDS + 3) / 4))
    fuzz fuzz_list tests/fuzz/lists $(((FUZZ_SECONDS + 3) / 4))
    fuzz fuzz_sheet tests/fuzz/sheets $(((FUZZ_SECONDS + 3) / 4))
    fuzz fuzz_scan tests/fuzz/scans $(((FUZZ_SECONDS + 3) / 4))
fi

echo "== test.sh: running the tests with a temporary home"
config=${XDG_CONFIG_HOME:-$HOME/.config}
listing() { ls -lAR --time-style=full-iso "$config" 2>&1 || true; }
before=$(listing)
home=$(mktemp -d) && trap 'rm -rf "$home"' EXIT
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share \
    XDG_STATE_HOME=$home/.local/state ctest --test-dir build "${selection[@]}" --output-on-failure
[ "$(listing)" = "$before" ] || { echo "== test.sh: the tests changed $config"; exit 1; }
echo "== test.sh: $config is as it was"
