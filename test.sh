#!/usr/bin/env bash
# Installs what is missing, builds Stripewell with the sanitizers, fuzzes the
# symbol core for a bounded time, and runs every test.
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

echo "== test.sh: running the tests"
ctest --test-dir build --output-on-failure
