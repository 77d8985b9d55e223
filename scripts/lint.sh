#!/usr/bin/env bash
# clang-format and clang-tidy over every C++ file of the project; any
# finding fails. Needs the native and windows presets configured (they
# write the compile commands).
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"

# Each translation unit through the preset that builds it: Win32 code with
# clang and MinGW's headers.
mapfile -t windows_units < <(git ls-files '*.cpp' | grep -E '(^|/)win32/|^bench/')
mapfile -t native_units < <(git ls-files '*.cpp' | grep -vE '(^|/)(win32|fuzz)/|^bench/')
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
tidy() {
  if ! run-clang-tidy -quiet -j "$jobs" "$@" >"$log" 2>&1; then
    grep -E 'warning:|error:' -A3 "$log" | head -200
    exit 1
  fi
}
tidy -p build/native "${native_units[@]}"
mapfile -t fuzz_units < <(git ls-files 'tests/fuzz/*.cpp')
tidy -p build/fuzz "${fuzz_units[@]}"
cxx=$(ls -d /usr/lib/gcc/i686-w64-mingw32/*/include/c++ | head -1)
# clang knows no fat link-time-optimisation objects; GCC alone builds them.
tidy -p build/windows -extra-arg=--target=i686-w64-mingw32 -extra-arg=-isystem"$cxx" \
  -extra-arg=-Wno-ignored-optimization-argument \
  -extra-arg=-isystem"$cxx/i686-w64-mingw32" "${windows_units[@]}"
echo "lint: clang-format and clang-tidy found nothing"
