# Shared by the run and test scripts: configure and build, and a screen.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TAVRIN_BUILD:-$root/build}"

tavrin_build() {
  bash "$root/scripts/setup.sh"
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$build" -j "$(nproc)"
}

# Starts Xvfb (and a compositor, for true alpha blending) when there is no screen.
tavrin_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  tavrin_xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xcompmgr >/dev/null 2>&1 &
  tavrin_xcompmgr_pid=$!
  trap tavrin_stop_display EXIT
}

tavrin_stop_display() {
  [ -n "${tavrin_xcompmgr_pid:-}" ] && kill "$tavrin_xcompmgr_pid" 2>/dev/null
  [ -n "${tavrin_xvfb_pid:-}" ] && kill "$tavrin_xvfb_pid" 2>/dev/null
  return 0
}

# The installed suite on the default simulated notebook: the build's own Wine
# prefix started (stopped again, with the screen, when the script ends) and
# what an installation writes — the icon shown, the newer display family and
# the keyboard DLL, the installed version. Leaves the shell in the build folder.
tavrin_settings_key='HKLM\Software\Corvane Computer Corporation\Tavrin'
tavrin_start_notebook() {
  cd "$build"
  tavrin_prefix="$build/wineprefix"
  "$root/scripts/wine-prefix.sh" start "$tavrin_prefix"
  trap tavrin_stop_notebook EXIT
  export TAVRIN_SIMULATED_MACHINE=corvane-default
  ./wine-exec.sh bin/simctl.exe load corvane-default >/dev/null
  ./wine-exec.sh reg add "$tavrin_settings_key" /v TavrinControl /t REG_DWORD /d 0x8010 /f >/dev/null
  ./wine-exec.sh reg add "$tavrin_settings_key" /v ShowTrayIcon /t REG_DWORD /d 1 /f >/dev/null
  ./wine-exec.sh reg add "$tavrin_settings_key" /v TavrinVersion /t REG_SZ /d 1.3.8 /f >/dev/null
}

tavrin_stop_notebook() {
  "$root/scripts/wine-prefix.sh" stop "$tavrin_prefix"
  tavrin_stop_display
}
