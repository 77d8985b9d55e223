#!/usr/bin/env bash
# Renders the main window and the about window in both languages to PNG
# files on the Wine bench of a build tree, driving the program by keyboard.
#   screenshots.sh BUILD_DIR [DPI]   writes BUILD_DIR/screenshots/*-DPI.png
set -euo pipefail

build=$(cd "${1:?build dir}" && pwd)
dpi=${2:-96}
here=$(cd "$(dirname "$0")" && pwd)
out=$build/screenshots
mkdir -p "$out"

bash "$here/wine-bench.sh" start "$build" >/dev/null
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
export DISPLAY=":$(tr -dc '0-9' <"$build/wine-bench/display")"

regset() { wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1; }
advanced='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced'
bash "$here/wine-bench.sh" dpi "$build" "$dpi"
# Back to the bench's own DPI, and nothing it started left running.
trap 'bash "$here/wine-bench.sh" dpi "$build" 96; bash "$here/wine-bench.sh" stop "$build"' EXIT

# The newest visible window of the program, once there are at least $1.
wait_windows() {
  for _ in $(seq 100); do
    mapfile -t ids < <(xdotool search --onlyvisible --class 'lumora.exe' 2>/dev/null || true)
    if [ "${#ids[@]}" -ge "$1" ]; then echo "${ids[-1]}"; return; fi
    sleep 0.1
  done
  echo "screenshots: the program's window did not appear" >&2
  return 1
}

# Cut a window out of the whole screen, frame and title bar included.
shoot() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

for language in English Persian; do
  regset 'HKCU\Software\NorvaleSoft\Lumora' Language REG_SZ "$language"
  regset "$advanced" Hidden REG_DWORD 2
  regset "$advanced" ShowSuperHidden REG_DWORD 1
  wine "$build/app/lumora.exe" &
  pid=$!
  main=$(wait_windows 1)
  sleep 0.5
  name=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  shoot "$main" "$out/main-$name-$dpi.png"
  # Focus starts on Apply; the About button is next in tab order.
  xdotool key Tab Return
  about=$(wait_windows 2)
  sleep 0.5
  shoot "$about" "$out/about-$name-$dpi.png"
  xdotool key Return
  sleep 0.3
  xdotool key alt+F4
  wait "$pid" || true
done
echo "Screenshots of both windows in both languages are in $out:"
ls -1 "$out"
