#!/usr/bin/env bash
# Runs the benchmark driver, bench/run_bench.py; see its --help or bench/README.md.
exec python3 "$(dirname "$0")/run_bench.py" "$@"
