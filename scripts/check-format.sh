#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it with the committed
# .clang-format; clang-format names each place. Fix with: clang-format-14 -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format-14 --dry-run --Werror "${files[@]}"; then
  echo "Not formatted with clang-format-14; run: clang-format-14 -i FILE..." >&2
  exit 1
fi
echo "All ${#files[@]} C++ files are formatted."
