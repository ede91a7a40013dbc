#!/usr/bin/env bash
# The README shows the door host and its CMake lines exactly as tests/sdk builds and runs them,
# and the check would see a difference: a copy of the README with one line of the example
# changed must fail, naming the file and the line, and so must a check given one file fewer
# than the section has blocks.
# Usage: readme_test.sh CHECKER README EXAMPLE_DIR
set -euo pipefail
checker=$1 readme=$2 example=$3
work=$(mktemp -d /tmp/lumo-readme.XXXXXX)
trap 'rm -rf "$work"' EXIT

python3 "$checker" "$readme" "$example/door_host.c" "$example/CMakeLists.txt"

# Runs the check with the given arguments and expects it to fail with exactly the given report.
expect_failure() {
  local expected=$1 status=0
  shift
  python3 "$checker" "$@" >"$work/out" 2>&1 || status=$?
  if [ "$status" -ne 1 ] || [ "$(cat "$work/out")" != "$expected" ]; then
    echo "fixture: expected exit status 1 and: $expected"
    echo "got exit status $status and:"
    cat "$work/out"
    exit 1
  fi
}

copy="$work/README.md"
sed 's/^    DropWin_AddObj(drop, tree);$/    DropWin_AddObj(drop, NULL);/' "$readme" >"$copy"
line=$(grep -n '^    DropWin_AddObj(drop, tree);$' "$example/door_host.c" | cut -d: -f1)
[ -n "$line" ] && ! cmp -s "$readme" "$copy" || { echo "fixture: the example has no line to change"; exit 1; }
expect_failure "$copy: the README's block differs from $example/door_host.c at line $line" \
  "$copy" "$example/door_host.c" "$example/CMakeLists.txt"

expect_failure "$readme shows 2 code blocks in its example section, not 1" "$readme" "$example/door_host.c"
echo "fixture: the check fails for a README whose example differs from the tested host or has a block too many"
