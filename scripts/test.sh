#!/usr/bin/env bash
# Installs what is needed and checks the tree as CI does: the formatting, the g++ build with every
# test, quorvex.exe cross-compiled for Windows and run under Wine against the Linux build, then a
# clang build with AddressSanitizer and UndefinedBehaviorSanitizer that runs the tests
# again and each fuzz target for a fixed number of inputs. Any formatting drift, warning, failed
# test or sanitizer report fails the run. Prints the time of each stage at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

stage_times=()
run_started=$SECONDS
times_file=$(mktemp)
trap 'rm -f "$times_file"' EXIT
TIMEFORMAT='%0R %0U %0S'
# Stage NAME COMMAND...: runs the command and records its wall-clock and CPU time (the CPU time
# stays steady on a busy machine, where the wall-clock time does not).
Stage() {
  local name=$1 wall user system
  shift
  echo "=== $name"
  { time "$@" 2>&3; } 3>&2 2>"$times_file"
  read -r wall user system <"$times_file"
  stage_times+=("$(printf '%-22s %5d s wall %5d s CPU' "$name" "$wall" $((user + system)))")
}

# The interop tests open our output in Chromium, LibreOffice, Gnumeric and GDAL and build the
# package: they run only in the g++ build, where the time goes to those programs, not to ours.
interop_tests='^(BrowserPageTest|XmlSpreadsheetInterop|DbfReaderCheck)\.|^package_check$'

SanitizerBuild() {
  # -O1 keeps reports close to the source lines and the build quicker; the fuzz option also
  # instruments every library for coverage and adds the fuzz targets.
  cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DQUORVEX_BUILD_TESTS=ON -DQUORVEX_WARNINGS_AS_ERRORS=ON \
    -DQUORVEX_SANITIZE=address,undefined -DQUORVEX_BUILD_FUZZ=ON
  cmake --build build-asan
}

Stage "install" scripts/install-deps.sh --tests
Stage "format check" scripts/check-format.sh
Stage "windows cross build" scripts/build-windows.sh -DQUORVEX_WARNINGS_AS_ERRORS=ON
Stage "g++ build" scripts/build.sh -DQUORVEX_BUILD_TESTS=ON -DQUORVEX_WARNINGS_AS_ERRORS=ON \
  -DQUORVEX_WINDOWS_EXE="$PWD/build-windows/src/cli/quorvex.exe"
Stage "g++ tests" ctest --test-dir build --output-on-failure -j2 -LE windows
Stage "wine tests" ctest --test-dir build --output-on-failure -L windows
# A sanitizer report ends the program with its own status (not the 1 or 2 quorvex uses), so a
# test expecting quorvex to fail cannot mistake a report for that failure.
export ASAN_OPTIONS=exitcode=86:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=exitcode=86:print_stacktrace=1

Stage "clang sanitizer build" SanitizerBuild
Stage "sanitizer tests" ctest --test-dir build-asan --output-on-failure -j2 -LE fuzz -E "$interop_tests"
Stage "fuzz runs" ctest --test-dir build-asan --output-on-failure -j2 -L fuzz

printf '%s\n' "${stage_times[@]}"
printf '%-22s %5d s wall\n' "total" $((SECONDS - run_started))
