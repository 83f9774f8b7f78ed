#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tavrin_build -DTAVRIN_WERROR=ON
tavrin_ensure_display
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
