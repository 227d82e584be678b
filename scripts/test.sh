#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
scripts/build.sh -DQUORVEX_BUILD_TESTS=ON -DQUORVEX_WARNINGS_AS_ERRORS=ON
ctest --test-dir build --output-on-failure -j2
