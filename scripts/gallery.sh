#!/usr/bin/env bash
# The main command: builds everything and runs the gallery host. Without a display it runs a
# scripted session headless under Xvfb, writes a screenshot of each state to gallery-output/,
# prints every message the host received, and copies the screenshots over docs/gallery/ so the
# README shows what the current code draws. With a display the window stays open for a person.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
LUMO_SKIP_X86=1 scripts/build.sh
out="$(pwd)/gallery-output"
mkdir -p "$out"
rm -f "$out"/*.png
exe="build/x64/bin/gallery.exe"
if [ -n "${DISPLAY:-}" ] && [ "${LUMO_HEADLESS:-0}" != 1 ]; then
  WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all /usr/lib/wine/wine64 "$exe"
else
  scripts/with-wine.sh --prefix build/x64/wineprefix-gallery --keep-prefix \
    /usr/lib/wine/wine64 "$exe" --script "Z:${out//\//\\}"
  # Reached only when the session succeeded (set -e): the fresh screenshots replace the README's.
  mkdir -p docs/gallery
  rm -f docs/gallery/*.png
  cp "$out"/*.png docs/gallery/
  echo "gallery: screenshots in $out, copied to docs/gallery/"
fi
