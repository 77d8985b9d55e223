#!/usr/bin/env bash
# Fails unless a Windows executable stays within its size budget, imports
# only DLLs that every Windows has, and carries the program's manifest.
#   check-binary.sh OBJDUMP FILE MAX_BYTES ARCHITECTURE VERSION
set -euo pipefail
objdump=${1:?objdump} file=${2:?file} budget=${3:?max bytes}
architecture=${4:?manifest architecture} version=${5:?assembly version}

status=0
size=$(stat -c %s "$file")
echo "size: $size bytes ($((size / 1024)) KiB), budget $budget bytes ($((budget / 1024)) KiB)"
if [ "$size" -gt "$budget" ]; then
  echo "over the size budget by $((size - budget)) bytes" >&2
  status=1
fi

allowed='^(kernel32|user32|gdi32|advapi32|comctl32|msvcrt)\.dll$'
mapfile -t dlls < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ "${#dlls[@]}" -gt 0 ] || { echo "no imports found in $file" >&2; exit 1; }
for dll in "${dlls[@]}"; do
  if [[ ${dll,,} =~ $allowed ]]; then
    echo "system DLL: $dll"
  else
    echo "not a Windows system DLL: $dll" >&2
    status=1
  fi
done
# The manifest as the side-by-side loader reads it.
"${PYTHON:-python3}" "$(dirname "$0")/check-manifest.py" "$file" "$architecture" "$version" || status=1
exit $status
