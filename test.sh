#!/usr/bin/env bash
# Installs what is missing, builds Stripewell with the sanitizers, fuzzes the
# symbol core for a bounded time, and runs every test in a temporary home.
set -euo pipefail
cd "$(dirname "$0")"

echo "== test.sh: installing missing Debian packages"
scripts/install-deps.sh

echo "== test.sh: building with AddressSanitizer and UndefinedBehaviorSanitizer in build/"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSTRIPEWELL_SANITIZE=ON
cmake --build build

echo "== test.sh: building the fuzz target with clang in build-fuzz/"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTRIPEWELL_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz

echo "== test.sh: replaying the committed corpus, then fuzzing for ${FUZZ_SECONDS:=30} s"
fuzz=build-fuzz/tests/fuzz/fuzz_code
"$fuzz" -runs=0 tests/fuzz/corpus
rm -rf build-fuzz/corpus && mkdir -p build-fuzz/corpus
"$fuzz" -max_total_time="$FUZZ_SECONDS" -max_len=4096 -print_final_stats=1 build-fuzz/corpus \
    tests/fuzz/corpus 2>&1 | tail -n 12

echo "== test.sh: running the tests with a temporary home"
config=${XDG_CONFIG_HOME:-$HOME/.config}
listing() { ls -lAR --time-style=full-iso "$config" 2>&1 || true; }
before=$(listing)
home=$(mktemp -d) && trap 'rm -rf "$home"' EXIT
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share \
    XDG_STATE_HOME=$home/.local/state ctest --test-dir build --output-on-failure
[ "$(listing)" = "$before" ] || { echo "== test.sh: the tests changed $config"; exit 1; }
echo "== test.sh: $config is as it was"
