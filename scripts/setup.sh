#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the Wine test bed need, when any is missing.
set -euo pipefail
# Wine is installed without its recommended packages; of those, the fonts matter: fonts-wine
# holds Wine's own faces (Tahoma, the GUI font, and Marlett, whose glyphs draw check marks and
# scroll arrows) and fonts-liberation the metric-compatible stand-ins for the common Windows
# faces. Without them text falls back to whatever the system has.
packages=(cmake ninja-build python3 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          googletest wine64 xvfb xauth fonts-wine fonts-liberation)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
