#!/usr/bin/env bash
# Maps the window fonts of the test prefix onto installed fonts that carry
# Arabic glyphs, so Persian text renders as script and not as boxes.
set -euo pipefail
: "${WINEPREFIX:?}"

arabic=""
for f in /usr/share/fonts/truetype/noto/NotoSansArabic-Regular.ttf \
         /usr/share/fonts/truetype/noto/NotoNaskhArabic-Regular.ttf \
         /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf; do
  if [ -f "$f" ]; then arabic=$f; break; fi
done
[ -n "$arabic" ] || { echo "no font with Arabic glyphs found" >&2; exit 1; }

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f "$arabic" "$fonts/"
face=$(basename "$arabic" .ttf)
case $face in
  NotoSansArabic-Regular) family="Noto Sans Arabic" ;;
  NotoNaskhArabic-Regular) family="Noto Naskh Arabic" ;;
  *) family="DejaVu Sans" ;;
esac

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
cat >"$reg" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]
"$family (TrueType)"="$(basename "$arabic")"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"Tahoma"="$family"
"MS Sans Serif"="$family"
"MS Shell Dlg"="$family"
"MS Shell Dlg 2"="$family"
REG
wine regedit /S "$(winepath -w "$reg")"
wineserver -w
