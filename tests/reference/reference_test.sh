#!/usr/bin/env bash
# The reference documents every flat function Lumo.dll exports, and the check would see it if it
# did not: copies of the reference with one function's row taken out, with a row for a function
# the library does not export, and with a link to a missing picture must each fail, naming it.
# Usage: reference_test.sh CHECKER LUMO_DLL REFERENCE
set -euo pipefail
checker=$1 dll=$2 reference=$3
work=$(mktemp -d /tmp/lumo-reference.XXXXXX)
trap 'rm -rf "$work"' EXIT

python3 "$checker" "$dll" "$reference"

# The copies lie in a folder of their own that links to what the reference's folder holds, so
# that the pictures are found as they are from the reference.
mkdir "$work/docs"
ln -s "$(cd "$(dirname "$reference")" && pwd)"/* "$work/docs/"

# Runs the check on a copy and expects it to fail with exactly the given report.
expect_failure() {
  local copy=$1 expected=$2 status=0
  python3 "$checker" "$dll" "$copy" >"$work/out" 2>&1 || status=$?
  if [ "$status" -ne 1 ] || [ "$(cat "$work/out")" != "$expected" ]; then
    echo "fixture: expected exit status 1 and this report:"
    echo "$expected"
    echo "got exit status $status and:"
    cat "$work/out"
    exit 1
  fi
}

name=DoorWin_SetWidth
copy="$work/docs/undocumented.md"
grep -v "^| \`$name(" "$reference" >"$copy"
if [ "$(wc -l <"$copy")" -ne $(( $(wc -l <"$reference") - 1 )) ]; then
  echo "fixture: the reference should have exactly one row for $name"
  exit 1
fi
expect_failure "$copy" "$copy leaves out functions that $(basename "$dll") exports:
  $name"

copy="$work/docs/not-exported.md"
{ cat "$reference"; echo '| `Tree_Unexported(HWND hTree)` | Nothing. | nothing | nothing |'; } >"$copy"
expect_failure "$copy" "$copy documents functions that $(basename "$dll") does not export:
  Tree_Unexported"

copy="$work/docs/missing-picture.md"
{ cat "$reference"; echo '![A picture nobody drew](gallery/no-such-picture.png)'; } >"$copy"
expect_failure "$copy" "$copy links pictures that do not exist:
  gallery/no-such-picture.png"

echo "fixtures: the check fails for an undocumented export, an unexported row and a missing picture"
