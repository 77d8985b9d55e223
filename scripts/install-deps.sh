#!/usr/bin/env bash
# Installs everything the build, the tests and the run need on Debian 12 or
# 13. Unversioned names throughout: each release brings its own clang and Wine.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

need_install=0
pkgs=(git cmake make ccache g++ libgtest-dev googletest clang lld libclang-rt-dev clang-tidy clang-format
      g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
      g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
      wine wine32:i386 wine64 xvfb x11-utils xdotool imagemagick
      fonts-wine python3 python3-yaml python3-pefile procps openssl osslsigncode)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_install=1
fi
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    need_install=1
  fi
done
if [ "$need_install" -eq 1 ]; then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null
  $SUDO env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${pkgs[@]}" </dev/null
fi
