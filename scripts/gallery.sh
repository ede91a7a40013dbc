#!/usr/bin/env bash
# The main command: builds everything and runs the gallery host. Without a display it runs a
# scripted session headless under Xvfb and writes its screenshots to gallery-output/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
LUMO_SKIP_X86=1 scripts/build.sh
out="$(pwd)/gallery-output"
mkdir -p "$out"
exe="build/x64/bin/gallery.exe"
if [ -n "${DISPLAY:-}" ] && [ "${LUMO_HEADLESS:-0}" != 1 ]; then
  WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all /usr/lib/wine/wine64 "$exe"
else
  scripts/with-wine.sh --prefix build/x64/wineprefix-gallery /usr/lib/wine/wine64 "$exe" --script "Z:${out//\//\\}"
fi
