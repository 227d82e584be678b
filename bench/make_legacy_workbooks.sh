#!/usr/bin/env bash
# Makes the benchmark workbook in the legacy and binary formats: bench/data/bench-ROWS.xls and
# bench/data/bench-ROWS.xlsb, from bench/data/bench-ROWS.xlsx (generated first if missing).
#
# Usage: bench/make_legacy_workbooks.sh [ROWS]      (default 65000)
#
#   .xls   LibreOffice, --convert-to xls:"MS Excel 97", recalculating formulas on load (so text
#          results are kept). BIFF8 holds at most 65,536 rows, hence the smaller workbook.
#   .xlsb  SheetJS (npm xlsx, installed once into /tmp/quorvex-sheetjs) from a copy of the .xlsx
#          without zip64 records, which SheetJS cannot read. SheetJS needs about two minutes for
#          65,000 rows and cannot hold the 1,000,000-row sheet part in one string.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
rows=${1:-65000}
[[ "$rows" =~ ^[0-9]+$ && "$rows" -le 65535 ]] || { echo "make_legacy_workbooks: ROWS must be at most 65535" >&2; exit 1; }
data="$repo/bench/data"
base="$data/bench-$rows"
sheetjs=/tmp/quorvex-sheetjs
mkdir -p "$data"

if [[ ! -s "$base.xlsx" ]]; then
  python3 "$repo/bench/generate_workbook.py" "$base.xlsx" --rows "$rows"
fi

if [[ ! -s "$base.xls" ]]; then
  profile=$(mktemp -d /tmp/quorvex-lo-XXXXXX)
  mkdir -p "$profile/user"
  cat >"$profile/user/registrymodifications.xcu" <<'XCU'
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
XCU
  soffice -env:UserInstallation=file://"$profile" --headless --convert-to xls:"MS Excel 97" --outdir "$data" \
    "$base.xlsx" >"$profile/soffice.log" 2>&1 || { cat "$profile/soffice.log" >&2; rm -rf "$profile"; exit 1; }
  rm -rf "$profile"
  echo "wrote $base.xls"
fi

if [[ ! -s "$base.xlsb" ]]; then
  if [[ ! -d "$sheetjs/node_modules/xlsx" ]]; then
    npm install --silent --no-audit --no-fund --prefix "$sheetjs" xlsx@0.18.5 >/dev/null
  fi
  plain=$(mktemp -d /tmp/quorvex-plain-XXXXXX)
  python3 "$repo/bench/repack_zip.py" "$base.xlsx" "$plain/bench-$rows.xlsx"
  node --max-old-space-size=8000 "$repo/tests/fixtures/legacy/to_xlsb.js" "$sheetjs/node_modules" "$data" \
    "$plain/bench-$rows.xlsx"
  rm -rf "$plain"
fi
