#!/usr/bin/env bash
# Prints the project's source files, one per line, relative to the top,
# optionally only those matching the given patterns (as `git ls-files` takes
# them). In a git checkout they are the tracked files; in a tree without git
# (a source archive), every file outside build/ and .git/, and it says so
# on standard error.
set -euo pipefail
cd "$(dirname "$0")/.."

if command -v git >/dev/null 2>&1 &&
  [ "$(git rev-parse --show-toplevel 2>/dev/null || true)" = "$(pwd -P)" ]; then
  exec git ls-files -- "$@"
fi
echo "sources: not a git checkout; taking every file outside build/ and .git/" >&2
patterns=("$@")
[ "${#patterns[@]}" -gt 0 ] || patterns=('*')
find . \( -path ./build -o -path ./.git \) -prune -o -type f -print | sed "s|^\./||" | LC_ALL=C sort |
  while IFS= read -r file; do
    for pattern in "${patterns[@]}"; do
      # shellcheck disable=SC2053  # the pattern is a glob on purpose
      if [[ $file == $pattern ]]; then
        echo "$file"
        break
      fi
    done
  done
