#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

# The benches are torn down by CTest; this also covers an interrupted run.
stop_bench() {
  for tree in build/windows build/windows64; do
    if [ -d "$tree" ]; then bash scripts/wine-bench.sh stop "$tree"; fi
  done
}
trap stop_bench EXIT

# Each step runs in a session of its own, so Ctrl+C reaches this script
# alone: it ends the step with everything the step started, stops the
# benches and says so. No test reports a failure the interrupt caused.
step_pid=""
interrupted() {
  trap - INT TERM
  if [ -n "$step_pid" ]; then
    kill -KILL -- "-$step_pid" 2>/dev/null || true
    wait "$step_pid" 2>/dev/null || true
  fi
  echo >&2
  echo "test: interrupted; stopping what the run started" >&2
  stop_bench
  exit 130
}
trap interrupted INT TERM
step() {
  setsid "$@" </dev/null &
  step_pid=$!
  local status=0 start=$SECONDS
  wait "$step_pid" || status=$?
  step_pid=""
  echo "test: $((SECONDS - start)) s: $*" >&2
  return "$status"
}

step bash scripts/install-deps.sh

jobs=$(nproc)
# Compiler outputs are kept per user across checkouts, keyed on what goes in
# with paths taken from here: a fresh clone recompiles only what changed.
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
step cmake --preset native
step cmake --build --preset native -j "$jobs"
step ctest --preset native

# The same unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
step cmake --preset sanitize
step cmake --build --preset sanitize -j "$jobs"
step ctest --preset sanitize

# The fuzzers, each for a bounded, seeded number of inputs.
step cmake --preset fuzz
step cmake --build --preset fuzz -j "$jobs"
step ctest --preset fuzz

step cmake --preset windows
step cmake --build --preset windows -j "$jobs"
# The second compiler: clang builds the same program and its tests for the
# same target (lint reads this tree's compile commands for the Win32 code).
step cmake --preset windows-clang
step cmake --build --preset windows-clang -j "$jobs"
# The same sources give the same lumora.exe in another directory.
step bash scripts/check-reproducible.sh
tree=$(bash scripts/windows-tree.sh)
# What ran is read back at the end from the reports each run writes.
rm -f build/windows/junit.xml build/windows64/junit.xml
if [ "$tree" = windows ]; then
  step ctest --preset windows --output-junit "$PWD/build/windows/junit.xml"
else
  # The shipped 32-bit build's own checks (size, imports, release zip); its
  # Windows tests and its signing need 32-bit code to run, so they run on
  # the same sources built for x64, under 64-bit Wine, the signing still of
  # the shipped exe.
  echo "test: this machine runs no 32-bit code; the Windows tests run on the x64 build"
  step ctest --preset windows -R "lumora_size_and_imports|lumora_package" \
    --output-junit "$PWD/build/windows/junit.xml"
  step cmake --preset windows64
  step cmake --build --preset windows64 -j "$jobs"
  step ctest --preset windows64 --output-junit "$PWD/build/windows64/junit.xml"
fi

# Formatting and static checks over every C++ file; any finding fails.
step bash scripts/lint.sh
# Every test entry of the shipped tree ran, here or on the x64 build.
step /usr/bin/python3 scripts/check-entries.py build/windows build/windows64
