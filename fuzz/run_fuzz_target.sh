#!/usr/bin/env bash
# Runs one fuzz target for a fixed number of inputs, starting from its committed corpus.
# Usage: run_fuzz_target.sh FUZZER CORPUS_DIR WORK_DIR RUNS
# Inputs the run finds go to WORK_DIR/found (emptied first), so the committed corpus stays as it
# is and every run does the same amount of work; a crashing input is kept as WORK_DIR/crash-*.
# Any crash, sanitizer report, leak, slow input or runaway memory makes the run fail.
set -euo pipefail
fuzzer=$1 corpus=$2 work=$3 runs=$4
rm -rf "$work/found"
mkdir -p "$work/found"
exec "$fuzzer" -runs="$runs" -timeout=60 -artifact_prefix="$work/" "$work/found" "$corpus"
