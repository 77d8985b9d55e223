#!/usr/bin/env bash
# Installs what is missing, builds lumora.exe and runs it under Wine: on the
# caller's display when there is one, otherwise on a private Xvfb, where it
# renders both windows in both languages to PNG files.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
stop_bench() { if [ -d build/windows ]; then bash scripts/wine-bench.sh stop build/windows; fi; }
trap stop_bench EXIT

cmake --preset windows
cmake --build --preset windows -j "$(nproc)" --target lumora

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting build/windows/app/lumora.exe on display $DISPLAY"
  bash scripts/wine-bench.sh show build/windows build/windows/app/lumora.exe
else
  echo "No display: rendering the windows on a private Xvfb instead."
  bash scripts/screenshots.sh build/windows
fi
