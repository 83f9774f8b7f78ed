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
  # Fonts for the texts Tahoma lacks (Chinese, Japanese, Korean from WenQuanYi
  # Micro Hei; Hebrew and Arabic from DejaVu Sans), linked to the dialog and
  # menu faces as Windows links its own. Added to older prefixes too.
  if [ ! -f "$WINEPREFIX/.tavrin-fonts-2" ]; then
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/"
    links='DejaVuSans.ttf,DejaVu Sans\0wqy-microhei.ttc,WenQuanYi Micro Hei'
    for f in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Microsoft Sans Serif" "Arial"; do
      reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$f" /t REG_MULTI_SZ /d "$links"
    done
    touch "$WINEPREFIX/.tavrin-fonts-2"
  fi
  # No window manager runs on the test screen: Wine then waits about two
  # seconds for one whenever an activated window goes. Unmanaged windows are
  # Wine's own, as on Windows. Added to older prefixes too.
  if [ ! -f "$WINEPREFIX/.tavrin-unmanaged" ]; then
    reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
    touch "$WINEPREFIX/.tavrin-unmanaged"
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
