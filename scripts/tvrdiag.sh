#!/usr/bin/env bash
# Runs the support tool tvrdiag.exe on a simulated notebook and passes the
# arguments through (for example --help). TAVRIN_SIMULATED_MACHINE chooses
# the machine profile (default corvane-default); it is loaded afresh first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tavrin_build >/dev/null
cd "$build"
prefix="$build/wineprefix"
"$root/scripts/wine-prefix.sh" start "$prefix"
trap '"$root/scripts/wine-prefix.sh" stop "$prefix"' EXIT

export TAVRIN_SIMULATED_MACHINE="${TAVRIN_SIMULATED_MACHINE:-corvane-default}"
./wine-exec.sh bin/simctl.exe load "$TAVRIN_SIMULATED_MACHINE" >/dev/null
status=0
./wine-exec.sh bin/tvrdiag.exe "$@" || status=$?
exit "$status"
