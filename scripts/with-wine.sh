#!/usr/bin/env bash
# Runs a command with a Wine test bed around it: a private X display (Xvfb), a Wine prefix made
# for this run, and one wineserver kept alive for the whole run and ended afterwards.
#
#   scripts/with-wine.sh [--prefix DIR] [--keep-prefix] COMMAND [ARGS...]
#
# Inside COMMAND, DISPLAY, WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES are set; run .exe files
# with /usr/lib/wine/wine64 (ctest does so through the toolchain's emulator).
set -euo pipefail

prefix=""
keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix="$2"; shift 2 ;;
    --keep-prefix) keep=1; shift ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--prefix DIR] [--keep-prefix] COMMAND..." >&2; exit 2; }

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver64

if [ -z "$prefix" ]; then
  prefix="$(mktemp -d /tmp/lumo-wine.XXXXXX)"
fi
if [ "$keep" = 0 ]; then
  rm -rf "$prefix"
fi
mkdir -p "$prefix"
export WINEPREFIX="$(cd "$prefix" && pwd)"
# No Mono or Gecko prompt; and no debugger on a crash: it can hold a crashed program open for
# minutes, where without it the program ends within seconds and its test fails.
overrides="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
case ";$overrides;" in
  *";winedbg.exe="*) ;;
  *) overrides="$overrides;winedbg.exe=d" ;;
esac
export WINEDLLOVERRIDES="$overrides"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64

# A display of our own: the first free number from 90 up.
xvfb_pid=""
display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
    xvfb_pid=""
  fi
done
[ -n "$display" ] || { echo "with-wine: no X display could be started" >&2; exit 1; }
export DISPLAY="$display"
# A desktop session loads a resource database into the X server; Xvfb has none. Without one the
# X library reads its resource files again for every font chosen on the display (several file
# opens per text drawn), which no desktop pays. A database of its own, empty, ends that.
xresources="$WINEPREFIX/.lumo-xresources"
printf '! The test bed sets no X resource.\n' > "$xresources"
export XENVIRONMENT="$xresources"

cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
  if [ "$keep" = 0 ]; then rm -rf "$WINEPREFIX"; fi
}
trap cleanup EXIT

# A new prefix goes on setting itself up in processes of its own after wineboot returns; while
# they run, starting a program can stall for ten seconds and more. The run starts once they are
# done (the server ends with them), with one server kept alive from then on.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  "$WINESERVER" -w
fi
"$WINESERVER" -p
# Test against Windows 10; a new prefix reports Windows 7.
"$WINE" reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1 || true
# No window manager runs on the private display: let Wine place windows itself. Otherwise hiding
# or destroying a top-level window waits two seconds for a window manager that never answers.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true

set +e
"$@"
status=$?
set -e
exit $status
