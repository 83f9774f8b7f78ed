#!/usr/bin/env bash
# osd-large-screen.sh PREFIX EXE [ARGS...]
# Runs a display test on a screen of its own of 1440 x 900 (with a compositor
# for true alpha), in a copy of the build's Wine prefix served by a wineserver
# of its own, and stops all three at the end.
set -euo pipefail
prefix="${1:?prefix}"
exe="${2:?exe}"
shift 2
size=1440x900

n=63
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
work="$(mktemp -d "${TMPDIR:-/tmp}/tavrin-large.XXXXXX")"
xvfb_pid=""
xcompmgr_pid=""
stop() {
  WINEPREFIX="$work/prefix" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xcompmgr_pid" ] && kill "$xcompmgr_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT

Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xcompmgr >/dev/null 2>&1 &
xcompmgr_pid=$!

# Linked, not copied, but for the registry, which this run's server rewrites.
cp -al "$prefix" "$work/prefix"
for f in "$work/prefix"/*.reg; do cp --remove-destination "$prefix/$(basename "$f")" "$f"; done

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TAVRIN_OSD_SCREEN="$size"
(wineserver -p </dev/null >/dev/null 2>&1 &)
wine "$exe" "$@"
