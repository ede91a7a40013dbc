#!/usr/bin/env bash
# The SDK as a host gets it: installed with `cmake --install`, or unpacked from the release
# archive that the build's package target makes. Checks its layout (no header outside
# include/lumo/, DLLs that need nothing but each other and the system's), then configures, builds
# and runs the hosts against it alone, in a folder of their own away from the source tree. From
# the archive, the example it ships is built and run in place of the tested one, and a C host is
# also linked through an import library made from its lumo.def alone.
# Usage: sdk_test.sh install|archive BUILD_DIR HOSTS_SOURCE TOOLCHAIN_FILE WINE TRIPLE ARCHIVE_NAME
set -euo pipefail
mode=$1 build=$2 hosts=$3 toolchain=$4 wine=$5 triple=$6 name=$7
work=$(mktemp -d /tmp/lumo-sdk.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "$mode: $*"; exit 1; }

case $mode in
  install)
    cmake --install "$build" --prefix "$work/sdk" >/dev/null
    sdk=$work/sdk
    top="bin include lib" ;;
  archive)
    # The package target builds what is out of date first; after the build it only packs.
    cmake --build "$build" --target package >"$work/package.log" 2>&1 ||
      { cat "$work/package.log"; fail "the package target failed"; }
    mkdir "$work/unpacked"
    (cd "$work/unpacked" && cmake -E tar xf "$build/$name.zip")
    [ "$(ls "$work/unpacked")" = "$name" ] || fail "$name.zip should hold the one folder $name"
    sdk=$work/unpacked/$name
    top="LICENSE README.md bin doc examples include lib" ;;
  *) fail "unknown mode" ;;
esac

# The layout of the SDK in folder $1: what a host needs where the archive's README says it is,
# nothing else at the top, no header outside include/lumo/; every DLL a shipped DLL imports
# shipped beside it or one of the system's; lib/lumo.def naming exactly the flat functions
# Lumo.dll exports (the classes' _Z names left out). Prints the first fault found and fails.
check_layout() {
  local sdk=$1 file stray picture dll import
  [ "$(cd "$sdk" && echo *)" = "$top" ] || { echo "the top folder holds $(cd "$sdk" && echo *), not $top"; return 1; }
  for file in bin/Lumo.dll bin/LumoAfx.dll bin/LumoRes.dll lib/Lumo.dll.a lib/LumoAfx.dll.a \
              lib/lumo.def lib/cmake/Lumo/LumoConfig.cmake include/lumo/lumo.h \
              include/lumo/CTree10.h include/lumo/afx/afxwin.h; do
    [ -f "$sdk/$file" ] || { echo "$file is missing"; return 1; }
  done
  [ "$(ls "$sdk/include")" = lumo ] || { echo "include/ holds $(ls "$sdk/include" | xargs), not only lumo/"; return 1; }
  stray=$(cd "$sdk" && find . -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.inl' \) ! -path './include/lumo/*' | sort | xargs)
  [ -z "$stray" ] || { echo "headers outside include/lumo/: $stray"; return 1; }
  if [ -f "$sdk/doc/reference.md" ]; then
    for picture in $(grep -o '](gallery/[^)]*)' "$sdk/doc/reference.md" | sed 's/^](//; s/)$//'); do
      [ -f "$sdk/doc/$picture" ] || { echo "doc/reference.md links $picture, which is missing"; return 1; }
    done
  fi
  for dll in "$sdk"/bin/*.dll; do
    for import in $("$triple-objdump" -p "$dll" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
      [ -n "$(find "$sdk/bin" "$system32" -maxdepth 1 -iname "$import" -print -quit)" ] ||
        { echo "$(basename "$dll") imports $import, which is neither in bin/ nor a system DLL"; return 1; }
    done
  done
  "$triple-objdump" -p "$sdk/bin/Lumo.dll" |
    sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' |
    grep -v '^_Z' | sort >"$work/exports"
  sed -n '/^EXPORTS/,$p' "$sdk/lib/lumo.def" | sed 1d | tr -d ' \t' | sort >"$work/def"
  [ -s "$work/exports" ] || { echo "Lumo.dll exports no flat function"; return 1; }
  diff "$work/exports" "$work/def" >"$work/def.diff" ||
    { echo "lib/lumo.def differs from Lumo.dll's flat exports:" $(sed -n 's/^[<>] //p' "$work/def.diff"); return 1; }
}
system32="${WINEPREFIX:?the test runs inside scripts/with-wine.sh}/drive_c/windows/system32"
fault=$(check_layout "$sdk") || fail "$fault"

# The check sees each kind of fault, in copies of the installed tree: a header put into
# include/ itself, a header elsewhere, a DLL that Lumo.dll needs left out, a function left out
# of lumo.def.
if [ "$mode" = install ]; then
  expect_fault() {
    local change=$1 expected=$2 fault
    rm -rf "$work/copy" && cp -r "$sdk" "$work/copy"
    (cd "$work/copy" && eval "$change")
    if fault=$(check_layout "$work/copy"); then fail "fixture: the layout check passed after: $change"; fi
    [ "$fault" = "$expected" ] || fail "fixture: after $change, expected \"$expected\", got \"$fault\""
  }
  expect_fault "touch include/afxwin.h" "include/ holds afxwin.h lumo, not only lumo/"
  expect_fault "touch lib/afxwin.h bin/CTree10.h" "headers outside include/lumo/: ./bin/CTree10.h ./lib/afxwin.h"
  expect_fault "rm bin/LumoBuf.dll" "Lumo.dll imports LumoBuf.dll, which is neither in bin/ nor a system DLL"
  expect_fault "sed -i '/^ *Tree_SelectItem\$/d' lib/lumo.def" "lib/lumo.def differs from Lumo.dll's flat exports: Tree_SelectItem"
  rm -rf "$work/copy"
  echo "$mode: the layout check fails for stray headers, a missing DLL and a def short of a function"
fi

cp -r "$hosts" "$work/hosts"
programs="c_host cpp_host door_host_check"
from_def=""
if [ "$mode" = archive ]; then
  # The example the archive ships, in place of the tested one it was copied from.
  rm -r "$work/hosts/door_host" && cp -r "$sdk/examples/door_host" "$work/hosts/"
  "$triple-dlltool" -d "$sdk/lib/lumo.def" -l "$work/lumo-from-def.a"
  from_def="-DLUMO_DEF_IMPORT_LIBRARY=$work/lumo-from-def.a"
  programs="$programs c_host_def"
fi
cmake -S "$work/hosts" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DLumo_DIR="$sdk/lib/cmake/Lumo" $from_def >/dev/null
cmake --build "$work/build"
cp "$sdk"/bin/*.dll "$work/build/"
for host in $programs; do
  if "$wine" "$work/build/$host.exe"; then
    echo "$mode: $host: ok"
  else
    fail "$host failed with exit code $?"
  fi
done
