#!/usr/bin/env bash
# The Wine test bench: a private prefix and X display under a build tree.
#   wine-bench.sh start BUILD_DIR        initialise the prefix once, start Xvfb
#   wine-bench.sh run   BUILD_DIR PROG…  run a Windows program on the bench
#   wine-bench.sh show  BUILD_DIR PROG…  run it on the caller's display (own prefix)
#   wine-bench.sh dpi   BUILD_DIR N      set the prefix's screen to N dots per inch
#   wine-bench.sh stop  BUILD_DIR        end the prefix's wineserver and Xvfb
set -euo pipefail

action=${1:?action}
build=$(cd "${2:?build dir}" && pwd)
shift 2

# shellcheck source=wine-env.sh
source "$(dirname "$0")/wine-env.sh"

start_xvfb() {
  if [ -s "$bench/xvfb.pid" ] && kill -0 "$(cat "$bench/xvfb.pid")" 2>/dev/null; then
    return
  fi
  rm -f "$bench/display"
  # -displayfd lets the server pick a free display number itself.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -nolisten unix_abstract \
    3>"$bench/display" >"$bench/xvfb.log" 2>&1 </dev/null &
  echo $! >"$bench/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$bench/display" ] && return
    sleep 0.1
  done
  echo "wine-bench: Xvfb did not start (see $bench/xvfb.log)" >&2
  exit 1
}

display() { echo ":$(tr -dc '0-9' <"$bench/display")"; }

# Newer Wine reads the DPI once per Wine server, older Wine at each process
# start: the server is ended so that the next program starts a new one.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >>"$bench/wineboot.log" 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w
}

case $action in
  start)
    mkdir -p "$bench"
    start_xvfb
    export DISPLAY; DISPLAY=$(display)
    # A fresh prefix is made once per user, Wine and way of making it, then
    # copied: each tree still tests in a prefix of its own.
    here=$(dirname "$0")
    made=${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/lumora-wine/$( (wine --version; echo "$WINEARCH"
      cat "$here/wine-bench.sh" "$here/wine-env.sh" "$here/wine-fonts.sh") | sha256sum | cut -c1-16)
    if [ ! -f "$bench/prefix.ready" ] && [ -f "$made.ready" ]; then
      rm -rf "$WINEPREFIX"
      cp -a "$made" "$WINEPREFIX"
      touch "$bench/prefix.ready"
    fi
    if [ ! -f "$bench/prefix.ready" ]; then
      echo "wine-bench: initialising $WINEPREFIX"
      wine wineboot --init >"$bench/wineboot.log" 2>&1 </dev/null
      wineserver -w
      bash "$here/wine-fonts.sh" >>"$bench/wineboot.log" 2>&1
      # No window manager runs on the display: Wine draws the title bars itself.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >>"$bench/wineboot.log" 2>&1
      wineserver -w
      mkdir -p "$(dirname "$made")"
      rm -rf "$made.new" && cp -a "$WINEPREFIX" "$made.new" && rm -rf "$made" && mv "$made.new" "$made"
      touch "$made.ready" "$bench/prefix.ready"
    fi
    # A run ended half-way may have left another DPI behind.
    set_dpi 96
    echo "wine-bench: ready on display $DISPLAY"
    ;;
  dpi)
    [ -f "$bench/prefix.ready" ] || { echo "wine-bench: not started" >&2; exit 1; }
    export DISPLAY; DISPLAY=$(display)
    set_dpi "${1:?dots per inch}"
    ;;
  run)
    [ -f "$bench/prefix.ready" ] || { echo "wine-bench: not started" >&2; exit 1; }
    export DISPLAY; DISPLAY=$(display)
    exec wine "$@"
    ;;
  show)
    # A prefix of its own, with the desktop's window manager drawing the frames:
    # running the program for the user never changes the test bench.
    export WINEPREFIX=$build/wine-run/prefix
    if [ ! -f "$build/wine-run/prefix.ready" ]; then
      mkdir -p "$build/wine-run"
      echo "wine-bench: initialising $WINEPREFIX"
      wine wineboot --init >"$build/wine-run/wineboot.log" 2>&1 </dev/null
      wineserver -w
      bash "$(dirname "$0")/wine-fonts.sh" >>"$build/wine-run/wineboot.log" 2>&1
      touch "$build/wine-run/prefix.ready"
    fi
    wine "$@"
    wineserver -k 2>/dev/null || true
    ;;
  stop)
    if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -s "$bench/xvfb.pid" ]; then
      pid=$(cat "$bench/xvfb.pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
      rm -f "$bench/xvfb.pid" "$bench/display"
    fi
    ;;
  *)
    echo "usage: $0 start|run|stop BUILD_DIR [program args]" >&2
    exit 2
    ;;
esac
