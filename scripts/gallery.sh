#!/usr/bin/env bash
# The main command: builds everything and runs the gallery hosts. Without a display it runs
# their scripted sessions headless under Xvfb, first the C host (gallery.exe), then the one
# written with the library's classes (gallery_classes.exe), then the frame set's C host
# (gallery_frameset.exe); each writes a screenshot of every
# state to gallery-output/ and prints every message it received. The first two run again on a
# 150 % screen (gallery-output/150/). The screenshots are then copied
# over docs/gallery/ so the README shows what the current code draws. With a display the C host's
# window stays open for a person (LUMO_GALLERY=classes opens the other one).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
LUMO_SKIP_X86=1 scripts/build.sh
out="$(pwd)/gallery-output"
mkdir -p "$out"
rm -f "$out"/*.png
bin="build/x64/bin"
if [ -n "${DISPLAY:-}" ] && [ "${LUMO_HEADLESS:-0}" != 1 ]; then
  exe="$bin/gallery.exe"
  [ "${LUMO_GALLERY:-}" = classes ] && exe="$bin/gallery_classes.exe"
  WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" WINEDEBUG=-all /usr/lib/wine/wine64 "$exe"
else
  prefix=build/x64/wineprefix-gallery
  # Wine here does not read the faces fonts-wine puts in its data folder, so the caption buttons
  # it draws for windows without a skin (Marlett's "0", "1" and "r") came out as those letters in
  # another face. It does read the prefix's own font folder: Marlett goes there.
  scripts/with-wine.sh --prefix "$prefix" --keep-prefix /usr/lib/wine/wine64 wineboot >/dev/null 2>&1 || true
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$prefix/drive_c/windows/Fonts" ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
  fi
  for exe in gallery.exe gallery_classes.exe gallery_frameset.exe; do
    echo "gallery: $exe"
    scripts/with-wine.sh --prefix "$prefix" --keep-prefix \
      /usr/lib/wine/wine64 "$bin/$exe" --script "Z:${out//\//\\}"
  done
  # The main window and the classes window once more on a screen of 150 % (144 DPI), in a copy
  # of the prefix whose LogPixels says so; their screenshots go to gallery-output/150/. Their
  # scripts find some targets (the caption buttons, the tree's rows) by 100 % sizes, so a check
  # that fails there is reported and does not stop the run.
  mkdir -p "$out/150"
  rm -f "$out/150"/*.png
  for exe in gallery.exe gallery_classes.exe; do
    echo "gallery: $exe at 150 %"
    scripts/with-wine.sh --prefix build/x64/wineprefix-gallery --keep-prefix \
      scripts/at-dpi.sh 144 "$bin/$exe" --script "Z:${out//\//\\}\\150" ||
      echo "gallery: $exe at 150 %: some checks of its script failed (see above)"
  done
  # Reached only when every session succeeded (set -e): the fresh screenshots replace the README's.
  mkdir -p docs/gallery/150
  rm -f docs/gallery/*.png docs/gallery/150/*.png
  cp "$out"/*.png docs/gallery/
  cp "$out"/150/*.png docs/gallery/150/
  echo "gallery: screenshots in $out, copied to docs/gallery/"
fi
