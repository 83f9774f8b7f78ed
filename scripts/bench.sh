#!/usr/bin/env bash
# Runs every benchmark of the suite on the default simulated notebook and
# prints one table: each row a cost per call (median, with its spread over
# many short rounds) or a comparison taken in turns with its baseline, the
# ratio's minimum, median and maximum and the verdict two runs agree on.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tavrin_build >/dev/null
tavrin_ensure_display
tavrin_start_notebook

benches=(acpiwmi_bench keyhook_bench osd_bench)
first=1
for bench in "${benches[@]}"; do
  if [ "$first" = 1 ]; then
    ./wine-exec.sh "bin/$bench.exe"
    first=0
  else
    ./wine-exec.sh "bin/$bench.exe" --rows
  fi
done
