#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop gets: the
# programs, the menu entry, icons, AppStream metadata, manual pages, bash
# completion, copyright; then packages the build and has lintian check it.
# Usage: tests/install/install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(realpath "${1:?usage: $0 BUILD_DIR SOURCE_DIR}")
source=$(realpath "${2:?usage: $0 BUILD_DIR SOURCE_DIR}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then
        echo "PASS: $1"; passed=$((passed + 1))
    else
        echo "FAIL: $1"; failed=$((failed + 1))
    fi
}
same() {  # same WHAT EXPECTED ACTUAL: passes when they are equal, shows both otherwise
    [ "$2" = "$3" ] || { printf '%s differ:\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"; false; }
}

echo "install_test: installing $build into a temporary prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

check "the program is installed and executable" test -x "$prefix/bin/stripewell"
render=$prefix/bin/stripewell-render
check "stripewell-render is installed and executable" test -x "$render"
# Printing runs in a program of its own, so that a run that does not print
# never loads the print libraries; the renderer finds it from its own folder.
check "the print program is installed and executable" \
    test -x "$prefix/libexec/stripewell/stripewell-render-print"
check "stripewell-render does not load Qt's print support or the print service's library" \
    sh -c "! ldd '$render' | grep -q 'libQt6PrintSupport\|libcups'"
# Asked for its printers without a print service, the print program answers
# that the service does not (the renderer alone would say it is missing).
asks_service() {  # asks_service RENDER: --printer list reaches the print program
    local err
    err=$(CUPS_SERVER=$tmp/no-service.sock "$1" --printer list 2>&1 >/dev/null)
    same "message" "stripewell-render: the print service at $tmp/no-service.sock does not answer" \
        "$(printf '%s\n' "$err" | sed 's/: [^:]*$//')"
}
check "the installed stripewell-render prints through the installed print program" \
    asks_service "$render"
# The window loads the print dialog, and with it the print libraries, only
# when asked to print: from a module among the package's private libraries,
# at the place the program names relative to its own folder.
check "the window does not load Qt's print support or the print service's library" \
    sh -c "! ldd '$prefix/bin/stripewell' | grep -q 'libQt6PrintSupport\|libcups'"
finds_module() {  # finds_module ROOT: ROOT/bin/stripewell names ROOT's print dialog module
    local named installed
    named=$(strings -a "$1/bin/stripewell" | grep '/stripewell-print-dialog\.so$')
    installed=$(cd "$1" && find . -name stripewell-print-dialog.so -printf '%P\n')
    same "module" "$(realpath -m "$1/$installed")" "$(realpath -m "$1/bin/$named")" &&
        [[ $installed == lib*/stripewell/stripewell-print-dialog.so ]] &&
        readelf -d "$1/$installed" | grep -q 'NEEDED.*libQt6PrintSupport'
}
check "the print dialog's module is installed where the window looks for it" \
    finds_module "$prefix"
id=org.stripewell.Stripewell
entry="$prefix/share/applications/$id.desktop"
check "the menu entry is installed" test -f "$entry"
check "the menu entry is valid" desktop-file-validate "$entry"
check "the menu entry starts the program" grep -qx 'Exec=stripewell' "$entry"
check "the menu entry has a Japanese comment" grep -q '^Comment\[ja\]=' "$entry"
check "the menu entry is in Graphics and Office" grep -qx 'Categories=Graphics;Office;' "$entry"
check "the menu entry's icon is installed" grep -qx 'Icon=stripewell' "$entry"
for size in 16 32 48; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/stripewell.png"
    check "the ${size} px icon is a ${size}x${size} PNG" \
        sh -c "file '$icon' | grep -q 'PNG image data, $size x $size'"
done

metainfo=$prefix/share/metainfo/$id.metainfo.xml
check "the AppStream metadata is valid, without warnings" \
    appstreamcli validate --no-net --strict "$metainfo"
check "the AppStream metadata launches the menu entry" \
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
check "the AppStream metadata has English and Japanese summaries" \
    same "summaries" "<summary> <summary xml:lang=\"ja\">" "$(grep -o '<summary[^>]*>' "$metainfo" | xargs -d '\n')"
shot=$(sed -n 's|.*<image type="source"[^>]*>.*/\(docs/[^<]*\)</image>.*|\1|p' "$metainfo")
check "the AppStream screenshot is docs/main-window.png" \
    same "screenshot" "docs/main-window.png" "$shot"

for page in stripewell stripewell-render; do
    man=$prefix/share/man/man1/$page.1.gz
    check "the manual page of $page shows without warnings" \
        same "warnings" "" "$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$man" 2>&1 >/dev/null)"
done

# Option names: in --help, lines "  -x, --long VALUE   text"; in a manual
# page, the tag lines of its OPTIONS section (オプション in Japanese).
help_options() {  # help_options [NAME=VALUE...]: --help run in that environment
    env "$@" "$render" --help | sed -n 's/^  \(-[a-zA-Z-].*\)/\1/p' | sed 's/  .*//' |
        grep -o -- '--\?[a-zA-Z][a-zA-Z0-9-]*' | sort -u
}
man_options() {  # man_options PAGE
    awk '/^\.SH/ { in_options = ($2 == "OPTIONS" || $2 == "オプション") }
         in_options && tag { print } { tag = /^\.TP/ }' "$1" | sed 's/\\-/-/g; s/\\f.//g' |
        grep -o -- '--\?[a-zA-Z][a-zA-Z0-9-]*' | sort -u
}
expected=$(help_options)
check "--help lists options" test -n "$expected"
check "the manual page has the options of --help" \
    same "options" "$expected" "$(man_options "$source/packaging/stripewell-render.1")"
japanese=(LANG=ja_JP.UTF-8 LC_ALL= LC_MESSAGES= LANGUAGE=)
check "the Japanese manual page has the options of the Japanese --help" \
    same "options" "$(help_options "${japanese[@]}")" \
    "$(man_options "$source/packaging/ja/stripewell-render.1")"

# The Japanese page: where man finds it for man -L ja (and a Japanese
# locale), shown by man-db without warnings, in Japanese.
ja_man=$prefix/share/man/ja/man1/stripewell-render.1.gz
check "the Japanese manual page is installed" test -f "$ja_man"
MANPATH=$prefix/share/man MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -L ja \
    stripewell-render >"$tmp/man-ja.txt" 2>"$tmp/man-ja.err" || true
check "man -L ja stripewell-render shows the Japanese page without warnings" \
    same "warnings" "" "$(cat "$tmp/man-ja.err")"
# The section headings: the lines that start at the left edge but the first
# and last (the page's header and footer).
check "man -L ja stripewell-render shows the Japanese page's sections" \
    same "sections" "名前 書式 説明 オプション 一覧 印刷の確認 終了ステータス ファイル 環境変数 例 関連項目" \
    "$(grep -o '^[^ ].*' "$tmp/man-ja.txt" | sed '1d;$d' | xargs)"

# Bash completion, loaded the way bash-completion finds it for the command.
complete_words() {  # complete_words WORD...: the completions of the last word
    XDG_DATA_DIRS=$prefix/share BASH_COMPLETION_USER_DIR=$tmp/none bash -c '
        source /usr/share/bash-completion/bash_completion
        __load_completion stripewell-render || exit 1
        COMP_WORDS=(stripewell-render "$@"); COMP_CWORD=$#
        COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
        $(complete -p stripewell-render | sed "s/.* -F \([^ ]*\) .*/\1/")
        printf "%s\n" "${COMPREPLY[@]}" | sort' complete "$@"
}
check "bash completion offers the options of --help" same "options" "$expected" "$(complete_words -)"
# Printer names come from the system's print service (lpstat -e), here a
# stand-in that names two.
mkdir -p "$tmp/bin" && printf '#!/bin/sh\n[ "$1" = -e ] && printf "label-203\\nOffice_A4\\n"\n' >"$tmp/bin/lpstat" &&
    chmod +x "$tmp/bin/lpstat"
check "bash completion offers the system's printers after --print" same "printers" \
    "$(printf 'label-203\nOffice_A4\n' | sort)" "$(PATH=$tmp/bin:$PATH complete_words --print '')"
takes() {  # takes OPTION VALUE: not refused as a usage error (status 1)
    "$render" 490123456789 "$1" "$2" -o "$tmp/symbol$1-$2.svg" 2>/dev/null
    [ $? -ne 1 ]
}
for option in --format --layout --symbol; do
    values=$(complete_words "$option" '')
    check "bash completion offers values of $option" test -n "$values"
    for value in $values; do
        check "stripewell-render takes the completed $option $value" takes "$option" "$value"
    done
done

doc=$prefix/share/doc/stripewell
permission() {  # the licence's text from "Permission" on, in one line
    sed -n '/^ *Permission/,$p' "$1" | sed 's/^ //; s/^\.$//' | tr -s ' \n' '  '
}
check "the copyright file grants the licence in LICENSE" \
    same "licence" "$(permission "$source/LICENSE")" "$(permission "$doc/copyright")"
version=$("$render" --version | grep -o '[0-9][0-9.]*' | head -1)
at_version() {
    zcat "$doc/changelog.Debian.gz" | head -1 | grep -q "($version-" &&
        grep -q "<release version=\"$version\"" "$metainfo" &&
        for page in "$prefix"/share/man/man1/stripewell{,-render}.1.gz "$ja_man"; do
            zgrep -q "\"Stripewell $version\"" "$page" || return 1
        done
}
check "changelog, AppStream release and manual pages are at version $version" at_version

echo "install_test: packaging $build"
(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/package" >/dev/null)
deb=$(echo "$tmp"/package/stripewell_*.deb)
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/ *(.*//; s/^ *//' |
    grep -x 'libc6\|fonts-ipafont-gothic\|fonts-ocr-b\|qt6-translations-l10n\|qt6-qpa-plugins' | sort | xargs)
check "the package depends on libc and on the fonts, translations and platform plugins" \
    same "dependencies" "fonts-ipafont-gothic fonts-ocr-b libc6 qt6-qpa-plugins qt6-translations-l10n" "$depends"
dpkg-deb -x "$deb" "$tmp/unpacked"
check "the package's stripewell-render prints through the package's print program" \
    asks_service "$tmp/unpacked/usr/bin/stripewell-render"
check "the package's print dialog module is where the package's window looks for it" \
    finds_module "$tmp/unpacked/usr"
check "lintian finds no error and no warning in the package" \
    lintian --fail-on error,warning "$deb"

echo "install_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
