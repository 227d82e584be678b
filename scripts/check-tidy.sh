#!/usr/bin/env bash
# Runs clang-tidy-14 with the committed .clang-tidy on every source file of src/ that a configured
# build compiles (its compile_commands.json; default build/) and fails on any finding. The build
# must have run, so that generated headers exist. Usage: scripts/check-tidy.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "No $build/compile_commands.json: configure and build first (scripts/build.sh)." >&2
  exit 1
fi
# The g++ build's commands carry g++-only warning options, which clang would report as unknown.
# Each file's count of diagnostics in system headers (suppressed) is left out of the log.
if ! run-clang-tidy-14 -p "$build" -j "$(nproc)" -quiet -extra-arg=-Wno-unknown-warning-option \
  "$PWD/src/" 2> >(grep -v ' generated\.$' >&2); then
  echo "clang-tidy found problems (see above); fix them, or mark a false positive with" >&2
  echo "NOLINT(check-name) and a comment saying why." >&2
  exit 1
fi
echo "clang-tidy: no findings in src/."
