#!/usr/bin/env bash
# Installs what is missing, builds the Windows preset and runs it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
stop_bench() { if [ -d build/windows ]; then bash scripts/wine-bench.sh stop build/windows; fi; }
trap stop_bench EXIT

cmake --preset windows
cmake --build --preset windows -j "$(nproc)"

if [ ! -f build/windows/app/lumora.exe ]; then
  echo "lumora.exe is not built yet (the main window does not exist yet)."
  echo "Running the Windows test bench under Wine instead."
  ctest --preset windows
  exit
fi
