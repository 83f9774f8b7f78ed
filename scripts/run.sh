#!/usr/bin/env bash
# Runs the suite on the default simulated notebook. With a screen in DISPLAY
# the tray runs until it is ended from its menu; without one, Xvfb stands in
# and a short scripted tour saves screenshots under build/tour/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tavrin_build
interactive=1
[ -z "${DISPLAY:-}" ] && interactive=0
tavrin_ensure_display

tavrin_start_notebook
run() { ./wine-exec.sh "$@"; }

if [ "$interactive" = 1 ]; then
  echo "Tavrin is running; end it with Exit in its notification-area menu."
  run bin/Tavrin.exe
  exit 0
fi

tour="$build/tour"
mkdir -p "$tour"
shot() { sleep 1; import -window root "$tour/$1.png"; echo "saved $tour/$1.png"; }

# What the tray dispatches is written to a trace the tour keeps.
rm -f "$tour/dispatch-trace.txt"
TAVRIN_TRACE="$(winepath -w "$tour/dispatch-trace.txt" 2>/dev/null)" run bin/Tavrin.exe &
tray_pid=$!
run bin/traytour.exe wait
shot 01-started
run bin/traytour.exe context
shot 02-context-menu
run bin/traytour.exe cancel-menu
run bin/traytour.exe hotkeys
sleep 1
run bin/traytour.exe open-submenu || true
shot 03-hotkey-popups-menu
run bin/traytour.exe cancel-menu
run bin/traytour.exe about
shot 04-about-box
run bin/traytour.exe close-about
# The displays: a firmware brightness event, then the volume and mute as the
# volume keys change them (another program's change would show nothing).
run bin/simctl.exe event 0xE006 9
shot 05-brightness-display
run bin/simctl.exe volume 60 --context keys
shot 06-volume-display
run bin/simctl.exe mute on --context keys
shot 07-volume-muted
run bin/simctl.exe mute off --context keys
# Firmware events, a list event, a key typed into another window (through
# the hook), suspend and resume.
run bin/simctl.exe event 0xE005 5
run bin/simctl.exe event-list 0xE006 7 0xE008 1 0 3
run bin/keyhook_target.exe d:E00C u:E00C
run bin/simctl.exe suspend
run bin/simctl.exe resume
sleep 1
# The battery meter, then with a battery put into the docking station (its
# page comes with the next 5-second refresh); "Stop Tavrin" ends it too.
run bin/Battery.exe &
sleep 2
shot 08-battery-meter
run bin/simctl.exe battery-insert dock --design 48000 --full 48000 --remaining 60%
sleep 5
shot 09-battery-meter-dock
run bin/simctl.exe battery-remove dock
run bin/simctl.exe calls > "$tour/firmware-calls.txt"
run bin/traytour.exe stop
wait "$tray_pid" || true
run bin/simctl.exe calls > "$tour/firmware-calls.txt"
echo "firmware call log: $tour/firmware-calls.txt"
echo "dispatch trace: $tour/dispatch-trace.txt"
