#!/usr/bin/env bash
# Makes the committed spreadsheet exports in this folder: a product sheet as
# a person keeps it, saved as CSV by LibreOffice Calc (package
# libreoffice-calc-nogui), as a spreadsheet user would save it. The tests read
# the exports, so they need no LibreOffice; run this only to make them again.
#
# The sheet: Japanese names (a comma, quotes, a line break, half-width kana and
# a character only code page 932 has), a price and a shelf column, and codes
# kept as text and as numbers. A number loses its leading zeros, and one shown
# in exponent form is saved so, as a spreadsheet does to codes it reads in.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

text() { printf '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' "$1"; }
number() { printf '<table:table-cell office:value-type="float" office:value="%s"%s/>' "$1" "${2:+ table:style-name=\"$2\"}"; }
row() { printf '<table:table-row>%s</table:table-row>\n' "$*"; }

echo "== make_exports.sh: writing the sheet"
{
    cat <<'HEAD'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
 <number:number-style style:name="N1"><number:scientific-number number:decimal-places="5"
  number:min-integer-digits="1" number:min-exponent-digits="2"/></number:number-style>
 <style:style style:name="exponent" style:family="table-cell" style:data-style-name="N1"/>
</office:automatic-styles>
<office:body><office:spreadsheet><table:table table:name="商品">
HEAD
    row "$(text 品名)" "$(text JANコード)" "$(text 価格)" "$(text 棚)"
    row "$(text '緑茶 ５００ｍｌ')" "$(text 4901234567894)" "$(number 120)" "$(text A-1)"
    row "$(text 'ほうじ茶, 大')" "$(text 490210207261)" "$(number 98)" "$(text A-2)"
    row "$(text '麦茶 &quot;冷&quot;')" "$(text 4569990000019)" "$(number 88)" "$(text B-1)"
    row "$(text '季節の</text:p><text:p>ブレンド')" "$(text 0012345678905)" "$(number 300)" "$(text B-2)"
    row "$(text ｺｰﾗ)" "$(number 4900000012347)" "$(number 150)" "$(text C-1)"
    row "$(text ①番の棚)" "$(text 4512345678906)" "$(number 1)" "$(text C-2)"
    row "$(text コーヒー)" "$(number 4539876000129 exponent)" "$(number 198)" "$(text D-1)"
    row "$(text 紅茶)" "$(number 0012345678905)" "$(number 210)" "$(text D-2)"
    row "$(text ミルク)" "$(number 0123456789050)" "$(number 180)" "$(text D-3)"
    echo '</table:table></office:spreadsheet></office:body></office:document>'
} >"$work/sheet.fods"

# Options: separator, text delimiter, character set (76 UTF-8, 60 code page
# 932, 65535 UTF-16), first line 1.
export_as() {
    echo "== make_exports.sh: $1"
    soffice --headless -env:UserInstallation="file://$work/profile" \
        --convert-to "csv:Text - txt - csv (StarCalc):$2,34,$3,1" --outdir "$work" \
        "$work/sheet.fods" >/dev/null
    mv "$work/sheet.csv" "$1"
}
export_as sheet-utf8.csv 44 76
export_as sheet-cp932.csv 44 60
export_as sheet-utf16.txt 9 65535
