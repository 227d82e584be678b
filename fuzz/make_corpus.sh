#!/usr/bin/env bash
# Gathers starting inputs for each fuzz target from the test fixtures into CORPUS/<target>/.
#
#   fuzz/make_corpus.sh CORPUS
#   build-fuzz/fuzz/xlsx_fuzz CORPUS/xlsx_fuzz -max_total_time=300
#
# The inputs cover every class of odd but real file the readers accept (tests/fixtures/lenient),
# the broken and hostile ones they refuse (bad/, legacy/bad/), and the ordinary workbooks.
set -euo pipefail
corpus=${1:?usage: make_corpus.sh CORPUS}
fixtures="$(cd "$(dirname "$0")/../tests/fixtures" && pwd)"
mkdir -p "$corpus"/{xlsx_fuzz,xlsb_fuzz,xls_fuzz,biff4_fuzz}

add_inputs() {  # add_inputs TARGET FILE...
  local target=$1
  shift
  for file in "$@"; do
    [ -f "$file" ] && cp "$file" "$corpus/$target/$(basename "$(dirname "$file")")-$(basename "$file")"
  done
  return 0
}

add_inputs xlsx_fuzz "$fixtures"/*.xlsx "$fixtures"/bad/*.xlsx "$fixtures"/lenient/*.xlsx "$fixtures"/formats/*.xlsx
add_inputs xlsb_fuzz "$fixtures"/legacy/*.xlsb
add_inputs xls_fuzz "$fixtures"/legacy/*.xls "$fixtures"/legacy/bad/*.xls "$fixtures"/lenient/cfb_*.xls
# BIFF2-4 streams are the lenient .xls files that are not compound files.
for file in "$fixtures"/lenient/*.xls; do
  if [ "$(head -c 2 "$file" | od -An -tx1 | tr -d ' ')" != "d0cf" ]; then add_inputs biff4_fuzz "$file"; fi
done
echo "inputs in $corpus: $(find "$corpus" -type f | wc -l)"
