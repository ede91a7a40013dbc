#!/usr/bin/env bash
# Installs the SDK from a build, then configures, builds and runs the two hosts against it in a
# folder of their own, away from the source tree.
# Usage: sdk_test.sh BUILD_DIR HOSTS_SOURCE TOOLCHAIN_FILE WINE
set -euo pipefail
build=$1 hosts=$2 toolchain=$3 wine=$4
work=$(mktemp -d /tmp/lumo-sdk.XXXXXX)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/sdk" >/dev/null
cp "$hosts"/CMakeLists.txt "$hosts"/*.c "$hosts"/*.cpp "$work/"
cmake -S "$work" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DLumo_DIR="$work/sdk/lib/cmake/Lumo" >/dev/null
cmake --build "$work/build"
cp "$work"/sdk/bin/*.dll "$work/build/"
for host in c_host cpp_host; do
  if "$wine" "$work/build/$host.exe"; then
    echo "$host: ok"
  else
    echo "$host: failed with exit code $?"
    exit 1
  fi
done
