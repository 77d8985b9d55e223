#!/usr/bin/env bash
# Installs what is missing, builds lumora.exe and runs it under Wine: on the
# caller's display when there is one, otherwise on a private Xvfb, where it
# renders both windows in both languages to PNG files.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The shipped 32-bit program, or where this machine runs no 32-bit code, the
# same program built for x64.
tree=$(bash scripts/windows-tree.sh)
stop_bench() { if [ -d "build/$tree" ]; then bash scripts/wine-bench.sh stop "build/$tree"; fi; }
trap stop_bench EXIT

cmake --preset "$tree"
cmake --build --preset "$tree" -j "$(nproc)" --target lumora

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting build/$tree/app/lumora.exe on display $DISPLAY"
  bash scripts/wine-bench.sh show "build/$tree" "build/$tree/app/lumora.exe"
else
  echo "No display: rendering the windows on a private Xvfb instead."
  bash scripts/screenshots.sh "build/$tree"
fi
