# Sourced with $build set to a build tree: the Wine environment of its test
# bench. A tree built for x64 (it holds a file wine-arch saying win64) runs
# on 64-bit Wine; any other on 32-bit Wine.
bench=$build/wine-bench
export WINEPREFIX=$bench/prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts: the tests need neither. No debugger
# either: a program that crashes ends at once, and its test fails at once.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
if [ "$(cat "$build/wine-arch" 2>/dev/null || true)" = win64 ]; then
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  # Debian's wine, and the helpers that call it, take the 32-bit loader
  # whenever it is installed, even where it cannot run.
  mkdir -p "$bench/bin"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bench/bin/$name"
    chmod +x "$bench/bin/$name"
  done
  export PATH=$bench/bin:$PATH
else
  export WINEARCH=win32
fi
