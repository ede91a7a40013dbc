#!/usr/bin/env bash
# Runs a Windows program as on a screen of another DPI: in a copy of the current Wine prefix
# whose LogPixels is that DPI, with a wineserver of its own, removed afterwards. Run it inside
# scripts/with-wine.sh (WINEPREFIX and DISPLAY set).
#
#   scripts/at-dpi.sh DPI PROGRAM.exe [ARGS...]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 DPI PROGRAM [ARGS...]" >&2; exit 2; }
dpi="$1"; shift
: "${WINEPREFIX:?at-dpi.sh runs inside with-wine.sh}"

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver64

copy="$(mktemp -d /tmp/lumo-dpi.XXXXXX)"
cleanup() {
  WINEPREFIX="$copy" "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$copy"
}
trap cleanup EXIT
cp -a "$WINEPREFIX/." "$copy/"
export WINEPREFIX="$copy"

# The settings with-wine.sh made may not have reached the prefix's files yet: they go in again,
# with the DPI, in one import.
reg="$copy/drive_c/lumo-dpi.reg"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine]\r\n"Version"="win10"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n' "$dpi" > "$reg"
"$WINESERVER" -p
# The import can be lost while the copied prefix is still settling: it is read back, and made
# again until it holds.
want="$(printf '0x%x' "$dpi")"
for _ in 1 2 3 4 5; do
  "$WINE" regedit /S 'C:\lumo-dpi.reg' >/dev/null 2>&1
  if "$WINE" reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null | tr -d '\r' | grep -qi "REG_DWORD *$want\b"; then
    break
  fi
  sleep 1
done
rm -f "$reg"

set +e
"$WINE" "$@"
status=$?
set -e
exit $status
