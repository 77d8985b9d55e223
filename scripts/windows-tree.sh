#!/usr/bin/env bash
# Prints the preset whose Windows tests this machine can run: "windows"
# (32-bit, as shipped) where 32-bit programs run, "windows64" where the
# kernel runs no 32-bit code.
set -euo pipefail
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo windows
else
  echo windows64
fi
