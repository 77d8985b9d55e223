#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# The bench is torn down by CTest; this also covers an interrupted run.
stop_bench() { if [ -d build/windows ]; then bash scripts/wine-bench.sh stop build/windows; fi; }
trap stop_bench EXIT

jobs=$(nproc)
cmake --preset native
cmake --build --preset native -j "$jobs"
ctest --preset native

# The same unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize

# The fuzzers, each for a bounded, seeded number of inputs.
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz

cmake --preset windows
cmake --build --preset windows -j "$jobs"
ctest --preset windows

# Formatting and static checks over every C++ file; any finding fails.
bash scripts/lint.sh
