#!/usr/bin/env bash
# Every C++ source of the tree is in the format .clang-format describes;
# prints the places that are not and exits 1.
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if clang-format --dry-run --Werror "${sources[@]}" 2>/tmp/tavrin-format.$$; then
  echo "format check: ${#sources[@]} sources, all formatted"
  rm -f /tmp/tavrin-format.$$
  exit 0
fi
grep -E '^[^ ].*: (error|warning):' /tmp/tavrin-format.$$ | head -n 40
echo "format check: some of ${#sources[@]} sources are not formatted (clang-format -i fixes them)"
rm -f /tmp/tavrin-format.$$
exit 1
