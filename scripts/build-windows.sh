#!/usr/bin/env bash
# Installs what is needed and cross-compiles the command line for 64-bit Windows with Debian's
# mingw-w64 toolchain into build-windows/src/cli/quorvex.exe, which needs no DLL beside it.
# Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --windows
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake "$@"
cmake --build build-windows --target quorvex
echo "The program: $(realpath build-windows/src/cli/quorvex.exe)"
