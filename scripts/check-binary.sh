#!/usr/bin/env bash
# Fails unless a Windows executable stays within its size budget, imports
# only DLLs that every Windows has, and carries the program's manifest.
#   check-binary.sh OBJDUMP FILE MAX_BYTES
set -euo pipefail
objdump=${1:?objdump} file=${2:?file} budget=${3:?max bytes}

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
# The manifest as the file carries it: the common controls 6 for x86, no
# elevation, per-monitor DPI awareness, Windows 7, 8, 8.1 and 10/11.
for part in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="X86"' \
  'level="asInvoker"' 'PerMonitorV2' '35138b9a-5d96-4fbd-8e2d-a2440225f93a' \
  '4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38' '1f676c76-80e1-4239-95bb-83d0f6d0da78' \
  '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'; do
  if grep -qaF -- "$part" "$file"; then
    echo "manifest: $part"
  else
    echo "the manifest lacks $part" >&2
    status=1
  fi
done
exit $status
