#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop gets:
# the program, its menu entry (valid for desktop-file-validate) and its icons.
# Usage: tests/install/install_test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then
        echo "PASS: $1"; passed=$((passed + 1))
    else
        echo "FAIL: $1"; failed=$((failed + 1))
    fi
}

echo "install_test: installing $build into a temporary prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

check "the program is installed and executable" test -x "$prefix/bin/stripewell"
entry="$prefix/share/applications/stripewell.desktop"
check "the menu entry is installed" test -f "$entry"
check "the menu entry is valid" desktop-file-validate "$entry"
check "the menu entry starts the program" grep -qx 'Exec=stripewell' "$entry"
check "the menu entry has a Japanese comment" grep -q '^Comment\[ja\]=' "$entry"
check "the menu entry is in Graphics and Office" grep -qx 'Categories=Graphics;Office;' "$entry"
for size in 16 32 48; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/stripewell.png"
    check "the ${size} px icon is a ${size}x${size} PNG" \
        sh -c "file '$icon' | grep -q 'PNG image data, $size x $size'"
done

echo "install_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
