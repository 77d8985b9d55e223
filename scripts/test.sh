#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# The bench is torn down by CTest; this also covers an interrupted run.
stop_bench() {
  for tree in build/windows build/windows64; do
    if [ -d "$tree" ]; then bash scripts/wine-bench.sh stop "$tree"; fi
  done
}
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
tree=$(bash scripts/windows-tree.sh)
if [ "$tree" = windows ]; then
  ctest --preset windows
else
  # The shipped 32-bit build's own checks; its Windows tests need 32-bit code
  # to run, so they run on the same sources built for x64, under 64-bit Wine.
  echo "test: this machine runs no 32-bit code; the Windows tests run on the x64 build"
  ctest --preset windows -R lumora_size_and_imports
  cmake --preset windows64
  cmake --build --preset windows64 -j "$jobs"
  ctest --preset windows64
fi

# Formatting and static checks over every C++ file; any finding fails.
bash scripts/lint.sh
