#!/usr/bin/env bash
# Brings translations/stripewell_ja.ts up to date with the messages in the
# code: new ones come in unfinished, for their Japanese to be written; ones the
# code no longer has go. The build compiles the file into the programs, and
# tests/pipeline/tst_pipeline_catalogue checks that every message has its
# Japanese. scripts/update-translations.sh [FILE.ts] updates FILE.ts instead.
# Headers are found from the repository's root ("verify/messages.h"), so that
# a folder's Msg used from another folder keeps its own context.
set -euo pipefail
catalogue=$(realpath "${1:-$(dirname "$0")/../translations/stripewell_ja.ts}")
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=lupdate
"$lupdate" -locations none -no-obsolete -no-ui-lines -source-language en -target-language ja_JP -I . \
    symbol pipeline verify render Form3 -ts "$catalogue"
