#!/usr/bin/env bash
# Installs what is needed, builds, and converts the bundled sample workbook to CSV.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DQUORVEX_BUILD_TESTS=OFF
output="${1:-$PWD/out/sample}"
# The output directory is created on demand, one level deep: make sure its parent exists.
mkdir -p "$(dirname "$output")"
build/src/cli/quorvex convert --format csv --output "$output" samples/Sample.xlsx
echo "The CSV files are in $output/Sample/:"
ls -1 "$output/Sample"
