#!/usr/bin/env bash
# The test command: set-up on a fresh Debian 12 machine (as root), build, and every test under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
# One Wine prefix made by this run, one wineserver for the run, one X display of our own.
# Tests run one at a time: several of them read pixels from the shared screen.
scripts/with-wine.sh --prefix build/x64/wineprefix ctest --preset x64 "$@"
