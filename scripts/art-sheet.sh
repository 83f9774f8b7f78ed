#!/usr/bin/env bash
# Renders the displays' pictures and lays them out as the program shows them
# (classic symbols on the blue panel, sliders at 70 %, outline displays keyed,
# icons on the dialogs' backgrounds), at natural size and enlarged, into
# <build>/art/contact-sheet.png.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ ! -f "$build/build.ninja" ]; then
  bash "$root/scripts/setup.sh"
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tavrin_art_sheet
echo "$build/art/contact-sheet.png"
