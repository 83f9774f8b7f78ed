#!/usr/bin/env bash
# Screenshots of the tray's context menu, hotkey menu and About box with
# LangID set to each given language (default: German, Japanese, Arabic and
# the pseudo-language of test builds), saved under build/i18n-shots/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

languages=("$@")
[ "${#languages[@]}" -gt 0 ] || languages=(1031 1041 14337 0x0501)

tavrin_build >/dev/null
tavrin_ensure_display
tavrin_start_notebook
run() { ./wine-exec.sh "$@"; }

shots="$build/i18n-shots"
mkdir -p "$shots"
shot() { sleep 1; import -window root "$shots/$1.png"; echo "saved $shots/$1.png"; }

# Wine draws right-to-left text with the glyphs of the requested font alone
# (no font linking), and its Tahoma has no Hebrew: for Hebrew the dialog face
# stands for DejaVu Sans, as Tahoma on Windows carries Hebrew itself.
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
replacements='HKCU\Software\Wine\Fonts\Replacements'
dialog_face() {
  local face
  for face in "MS Shell Dlg" "MS Shell Dlg 2"; do
    run reg add "$substitutes" /v "$face" /d "$1" /f >/dev/null
    run reg add "$replacements" /v "$face" /d "$1" /f >/dev/null
  done
}
trap 'dialog_face Tahoma; tavrin_stop_notebook' EXIT

for id in "${languages[@]}"; do
  name="langid-$(printf '%d' "$id")"
  run reg add "$tavrin_settings_key" /v LangID /t REG_DWORD /d "$id" /f >/dev/null
  if [ "$(printf '%d' "$id")" = 1037 ]; then dialog_face "DejaVu Sans"; else dialog_face Tahoma; fi
  run bin/Tavrin.exe &
  tray_pid=$!
  run bin/traytour.exe wait
  run bin/traytour.exe context
  shot "$name-context-menu"
  run bin/traytour.exe cancel-menu
  run bin/traytour.exe hotkeys
  sleep 1
  run bin/traytour.exe open-submenu || true
  shot "$name-hotkey-menu"
  run bin/traytour.exe cancel-menu
  run bin/traytour.exe about
  shot "$name-about-box"
  run bin/traytour.exe close-about || true
  run bin/traytour.exe stop
  wait "$tray_pid" || true
done
run reg delete "$tavrin_settings_key" /v LangID /f >/dev/null 2>&1 || true
