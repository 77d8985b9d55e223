#!/usr/bin/env bash
# clang-format and clang-tidy over the product code; run after both presets
# have been configured (they write the compile commands).
set -euo pipefail
cd "$(dirname "$0")/.."

clang-format --dry-run --Werror $(git ls-files '*.cpp' '*.h')

mapfile -t windows_only < <(git ls-files '*/win32/*.cpp')
mapfile -t portable < <(git ls-files 'app/*.cpp' 'i18n/*.cpp' 'registry/*.cpp' 'settings/*.cpp' |
  grep -v '/win32/')

clang-tidy --quiet -p build/native "${portable[@]}"
# The Windows side through clang with MinGW's headers.
cxx=$(ls -d /usr/lib/gcc/i686-w64-mingw32/*-posix/include/c++ | head -1)
clang-tidy --quiet -p build/windows --extra-arg=--target=i686-w64-mingw32 \
  --extra-arg=-isystem"$cxx" --extra-arg=-isystem"$cxx/i686-w64-mingw32" "${windows_only[@]}"
