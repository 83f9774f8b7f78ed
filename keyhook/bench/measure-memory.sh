#!/usr/bin/env bash
# Private memory and working set of the tray against the empty program,
# both idle under the same Wine, as Linux accounts them (smaps_rollup of
# the Windows process). Also says whether the tray's image is mapped from
# its file or copied into private memory. Run after a build, from the build
# folder. Arguments go to the empty program (--threads N, --gdiplus), to see
# what those parts of Wine cost any program:
#   measure-memory.sh --threads 3 --gdiplus
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
tavrin_ensure_display
tavrin_start_notebook

# private: every page only this process maps, as Linux counts it; file pages
# count here too until another process maps the same file, so the figure moves
# with what else runs. anonymous: the memory the process itself allocated or
# wrote (heaps, stacks, copied-on-write pages), which is what Windows calls
# private bytes, and the same whatever else runs.
figures() { # pid -> "private_kB rss_kB anonymous_kB"
  awk '/^Rss:/ {r=$2} /^Private_Clean:/ {p+=$2} /^Private_Dirty:/ {p+=$2} /^Anonymous:/ {a=$2} END {print p, r, a}' \
    "/proc/$1/smaps_rollup"
}
# The newest process of this name running in this build's own prefix (other
# builds on the machine run the same programs).
pid_of() {
  local pid found=
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$tavrin_prefix" && found=$pid
  done
  echo "$found"
}

./wine-exec.sh bin/empty_program.exe "$@" > empty.out &
for _ in $(seq 100); do grep -q ready empty.out 2>/dev/null && break; sleep 0.1; done
sleep 2 # let start-up work settle before reading the figures
empty_pid=$(pid_of 'empty_program.exe')
read -r empty_private empty_rss empty_anon < <(figures "$empty_pid")

./wine-exec.sh bin/Tavrin.exe &
./wine-exec.sh bin/traytour.exe wait >/dev/null
sleep 2
tray_pid=$(pid_of 'Tavrin.exe')
read -r tray_private tray_rss tray_anon < <(figures "$tray_pid")
mapped=$(grep -c "Tavrin.exe" "/proc/$tray_pid/maps" || true)

printf '%-16s %12s %12s %12s\n' program private_kB rss_kB anonymous_kB
printf '%-16s %12s %12s %12s\n' "empty $*" "$empty_private" "$empty_rss" "$empty_anon"
printf '%-16s %12s %12s %12s\n' Tavrin "$tray_private" "$tray_rss" "$tray_anon"
awk -v a="$tray_private" -v b="$empty_private" -v c="$tray_rss" -v d="$empty_rss" -v e="$tray_anon" -v f="$empty_anon" \
  'BEGIN {printf "ratio            %12.2f %12.2f %12.2f\n", a / b, c / d, e / f}'
echo "Tavrin.exe mappings of the file: $mapped"
kill "$empty_pid" 2>/dev/null || true
rm -f empty.out
