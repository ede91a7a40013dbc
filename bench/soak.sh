#!/usr/bin/env bash
# The soak run: the whole test suite with its soak loops at full length (LUMO_SOAK=1): 20,000
# damaged tree-data files loaded, 10,000 draws of each drawing routine and picture, 1,000
# framework windows, trees and hover repaints, each checked for leaked GDI objects and windows.
# The test command runs the same loops a few hundred cycles. Expects a built x64 tree; takes
# several minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
LUMO_SOAK=1 scripts/with-wine.sh --prefix build/x64/wineprefix-soak --keep-prefix \
  ctest --preset x64 "$@"
