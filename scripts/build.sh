#!/usr/bin/env bash
# Configures and builds everything: x86_64 (libraries, tests, benchmarks, gallery) and the i686
# libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset x64 >/dev/null
cmake --build --preset x64
if [ "${LUMO_SKIP_X86:-0}" != 1 ]; then
  # The 32-bit build cannot run here; it proves that the code is pointer-size clean. Its test
  # programs could never run, so it builds the libraries only (see the x86 preset).
  cmake --preset x86 >/dev/null
  cmake --build --preset x86
fi
