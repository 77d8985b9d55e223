#!/usr/bin/env bash
# Builds lumora.exe again from a copy of the sources in another directory and
# fails unless it, and the release zip made from it, are byte for byte the
# ones in build/windows. Once passed, it
# is not done again until the sources or that exe change.
set -euo pipefail
cd "$(dirname "$0")/.."

ours=build/windows/app/lumora.exe
mapfile -t sources < <(bash scripts/source-files.sh)
stamp=build/windows/reproduced-$( (sha256sum <"$ours"; sha256sum "${sources[@]}") | sha256sum | cut -c1-64)
if [ -e "$stamp" ]; then
  echo "reproducible: checked already for these sources and this lumora.exe"
  exit 0
fi
copy=$(mktemp -d /tmp/lumora-reproduce.XXXXXX)
# Compiled afresh: objects from the compiler cache would hide a path leak.
export CCACHE_DISABLE=1
trap 'rm -rf "$copy"' EXIT
cp --parents -t "$copy" "${sources[@]}"
cmake -S "$copy" --preset windows >/dev/null
cmake --build "$copy/build/windows" --target lumora -j "$(nproc)" >/dev/null
theirs=$copy/build/windows/app/lumora.exe
sha256sum "$ours" "$theirs"
if ! cmp -s "$ours" "$theirs"; then
  echo "reproducible: lumora.exe differs when built in $copy" >&2
  exit 1
fi
# The zips, each from its own tree, at the time of the same commit.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH
for tree in build/windows "$copy/build/windows"; do
  cpack --config "$tree/CPackConfig.cmake" -B "$tree/reproduce-release" >/dev/null
done
zip=lumora-*-win32.zip
sha256sum build/windows/reproduce-release/$zip "$copy"/build/windows/reproduce-release/$zip
if ! cmp -s build/windows/reproduce-release/$zip "$copy"/build/windows/reproduce-release/$zip; then
  echo "reproducible: the release zip differs when built in $copy" >&2
  exit 1
fi
rm -rf build/windows/reproduced-* build/windows/reproduce-release
touch "$stamp"
echo "reproducible: the same lumora.exe and release zip from two directories"
