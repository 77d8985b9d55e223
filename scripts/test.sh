#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test.
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

cmake --preset windows
cmake --build --preset windows -j "$jobs"
ctest --preset windows
