#!/usr/bin/env bash
# Makes the test prefix's window fonts draw Persian: Wine's own Tahoma
# (package fonts-wine) carries Arabic glyphs; MS Sans Serif, a bitmap font
# without them, is drawn with Tahoma as well.
set -euo pipefail
: "${WINEPREFIX:?}"

tahoma=/usr/share/wine/fonts/tahoma.ttf
[ -f "$tahoma" ] || { echo "Wine's Tahoma ($tahoma) is missing: install fonts-wine" >&2; exit 1; }

# Copied into the prefix (with Marlett for the title bar's buttons): not every
# Wine build looks in the package's folder.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f "$(dirname "$tahoma")"/*.ttf "$fonts/"

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Sans Serif"="Tahoma"
REG
wine regedit /S "$(winepath -w "$reg")"
wineserver -w
