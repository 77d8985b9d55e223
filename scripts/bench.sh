#!/usr/bin/env bash
# Start-up benchmark under Wine: lumora.exe against its floor and a bare window.
#   bench.sh [ROUNDS]     (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
stop_bench() { if [ -d build/windows ]; then bash scripts/wine-bench.sh stop build/windows; fi; }
trap stop_bench EXIT

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target lumora lumora_floor lumora_baseline \
  lumora_startup_bench
bash scripts/wine-bench.sh start build/windows
bash scripts/wine-bench.sh run build/windows build/windows/bench/lumora_startup_bench.exe \
  "${LUMORA_EXE:-$PWD/build/windows/app/lumora.exe}" "$PWD/build/windows/bench/lumora_floor.exe" \
  "$PWD/build/windows/bench/lumora_baseline.exe" "${1:-30}"
