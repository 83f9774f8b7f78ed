#!/usr/bin/env bash
# wine-prefix.sh start|stop PREFIX
# start: creates the private Wine prefix once (Windows 7, no crash dialog,
#        the fonts the displays ask for) and starts a persistent wineserver.
# stop:  stops that prefix's wineserver only.
set -euo pipefail
cmd="${1:?start|stop}"
export WINEPREFIX="${2:?prefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

reg() { wine reg add "$@" /f >/dev/null 2>&1; }

case "$cmd" in
start)
  if [ ! -f "$WINEPREFIX/.tavrin-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    reg 'HKCU\Software\Wine' /v Version /d win7
    # A crash must print its backtrace and end, not wait on a dialog.
    reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp -f /usr/share/wine/fonts/tahoma*.ttf "$fonts/" 2>/dev/null || true
    for f in "Segoe UI" "Segoe UI Semibold" "MS Shell Dlg" "MS Shell Dlg 2" "Arial"; do
      reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /d Tahoma
    done
    wineserver -w
    touch "$WINEPREFIX/.tavrin-ready"
  fi
  # A persistent server makes each process start cost milliseconds, not seconds.
  (wineserver -p </dev/null >/dev/null 2>&1 &)
  # Wait until the server answers so that the first test does not pay for start-up.
  wine cmd /c exit >/dev/null 2>&1 || true
  ;;
stop)
  wineserver -k >/dev/null 2>&1 || true
  ;;
*)
  echo "usage: $0 start|stop PREFIX" >&2; exit 2 ;;
esac
