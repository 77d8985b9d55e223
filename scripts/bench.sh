#!/usr/bin/env bash
# Start-up benchmark under Wine: lumora.exe against its floor and a bare window.
#   bench.sh [ROUNDS]     (default 30)
# LUMORA_BENCH_TREE=windows64 measures the x64 build where 32-bit Wine runs too.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# On a machine that runs no 32-bit code, all three programs built for x64.
tree=${LUMORA_BENCH_TREE:-$(bash scripts/windows-tree.sh)}
stop_bench() { if [ -d "build/$tree" ]; then bash scripts/wine-bench.sh stop "build/$tree"; fi; }
trap stop_bench EXIT

cmake --preset "$tree" >/dev/null
cmake --build --preset "$tree" -j "$(nproc)" --target lumora lumora_floor lumora_baseline \
  lumora_phased lumora_floor_phased lumora_startup_bench
bash scripts/wine-bench.sh start "build/$tree"
bash scripts/wine-bench.sh run "build/$tree" "build/$tree/bench/lumora_startup_bench.exe" \
  "${LUMORA_EXE:-$PWD/build/$tree/app/lumora.exe}" "$PWD/build/$tree/bench/lumora_floor.exe" \
  "$PWD/build/$tree/bench/lumora_baseline.exe" "$PWD/build/$tree/bench/lumora_phased.exe" \
  "$PWD/build/$tree/bench/lumora_floor_phased.exe" "${1:-30}"
