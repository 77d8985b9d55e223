#!/usr/bin/env bash
# Fails unless a Windows executable imports only DLLs that every Windows has.
#   check-imports.sh OBJDUMP FILE
set -euo pipefail
objdump=${1:?objdump} file=${2:?file}

allowed='^(kernel32|user32|gdi32|advapi32|comctl32|msvcrt)\.dll$'
mapfile -t dlls < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ "${#dlls[@]}" -gt 0 ] || { echo "no imports found in $file" >&2; exit 1; }
status=0
for dll in "${dlls[@]}"; do
  if [[ ${dll,,} =~ $allowed ]]; then
    echo "system DLL: $dll"
  else
    echo "not a Windows system DLL: $dll" >&2
    status=1
  fi
done
exit $status
