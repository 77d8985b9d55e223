#!/usr/bin/env bash
# clang-format and clang-tidy over every C++ file of the project; any
# finding fails. Needs the native, fuzz and windows-clang presets configured
# (they write the compile commands).
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(bash scripts/source-files.sh '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"

# One owner for every handle, in the product, its tests and its benchmark:
# a handle is released only by UniqueHandle, through the release functions
# unique_handle.h names. The registry module's own RegCloseKey is the one
# exception, marked where it stands: its key is the module's OpenedKey.
releases='(CloseHandle|UnhookWindowsHookEx|RegCloseKey|DeleteDC|DeleteObject|DestroyWindow|ReleaseDC|DestroyIcon|DestroyMenu|DestroyAcceleratorTable|LocalFree|FreeLibrary|UnmapViewOfFile|DeleteTimerQueueTimer|SelectObject)'
if by_hand=$(grep -nE "(^|[^A-Za-z0-9_])::$releases\\(" "${sources[@]}" |
  grep -vE '^app/toolkit/win32/unique_handle\.h:|its owner, the module$'); then
  echo "lint: a handle released by hand, not by its UniqueHandle:" >&2
  echo "$by_hand" >&2
  exit 1
fi
echo "lint: every handle released by its one owner (${#sources[@]} files)"

# A unit found clean is not checked again until it, any header of the
# project, the checks or its compile command change; the record is kept per
# user, with this checkout's path taken out, so a fresh clone shares it.
cache=${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/lumora-lint
mkdir -p "$cache"
headers=()
for unit in "${sources[@]}"; do [[ $unit == *.h ]] && headers+=("$unit"); done
shared=$( (clang-tidy --version; cat .clang-tidy; sha256sum "${headers[@]}") | sha256sum | cut -c1-64)
key() {  # key TREE UNIT
  (echo "$shared"; sha256sum <"$2"; grep -F "\"file\": \"$PWD/$2\"" -A0 -B2 "$1/compile_commands.json" |
    sed "s|$PWD|.|g") | sha256sum | cut -c1-64
}

jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
checked=0 skipped=0
tidy() {  # tidy TREE UNIT...
  local tree=$1 unit todo=() keys=()
  shift
  for unit in "$@"; do
    local k
    k=$(key "$tree" "$unit")
    if [ -e "$cache/$k" ]; then skipped=$((skipped + 1)); else todo+=("$unit"); keys+=("$k"); fi
  done
  [ "${#todo[@]}" -gt 0 ] || return 0
  if ! run-clang-tidy -quiet -j "$jobs" -p "$tree" "${todo[@]}" >"$log" 2>&1; then
    grep -E 'warning:|error:' -A3 "$log" | head -200
    exit 1
  fi
  checked=$((checked + ${#todo[@]}))
  for k in "${keys[@]}"; do touch "$cache/$k"; done
}
# Each translation unit through the preset that builds it: the Win32 code
# through the clang build for Windows.
units() { printf '%s\n' "${sources[@]}" | grep -E '\.cpp$' | grep "$@"; }
mapfile -t native_units < <(units -vE '(^|/)(win32|fuzz)/|^bench/')
mapfile -t fuzz_units < <(units -E '^tests/fuzz/')
mapfile -t windows_units < <(units -E '(^|/)win32/|^bench/')
tidy build/native "${native_units[@]}"
tidy build/fuzz "${fuzz_units[@]}"
tidy build/windows-clang "${windows_units[@]}"
echo "lint: clang-format and clang-tidy found nothing ($checked units checked, $skipped unchanged since found clean)"
