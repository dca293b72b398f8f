#!/usr/bin/env bash
# Installs what is missing, builds Stripewell (release) in build-release/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"

echo "== run.sh: installing missing Debian packages"
scripts/install-deps.sh

echo "== run.sh: building in build-release/"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-release

echo "== run.sh: starting Stripewell"
exec build-release/stripewell "$@"
