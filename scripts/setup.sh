#!/usr/bin/env bash
# Installs everything the build, the tests and the tour need, from Debian's
# packages only. Idempotent: a machine that has it all costs a few dpkg queries.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
third="$here/third_party"

packages=(
  cmake make ninja-build
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine64 wine xvfb xcompmgr x11-utils imagemagick librsvg2-bin fonts-wine fonts-dejavu-core
  fonts-wqy-microhei
  googletest dpkg-dev python3 clang-format
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# tinyxml2 is compiled for Windows from Debian's source package.
if [ ! -f "$third/tinyxml2/tinyxml2.cpp" ]; then
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    echo "setup: enabling Debian source packages"
    src=/etc/apt/sources.list.d/tavrin-deb-src.sources
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${sudo_cmd[@]}" tee "$src" >/dev/null
    "${sudo_cmd[@]}" apt-get update -qq
  fi
  mkdir -p "$third"
  tmp="$(mktemp -d)"
  # A source list written by an earlier, interrupted run may not be read yet.
  (cd "$tmp" && apt-get source -qq --download-only tinyxml2 >/dev/null 2>&1) \
    || { "${sudo_cmd[@]}" apt-get update -qq && (cd "$tmp" && apt-get source -qq --download-only tinyxml2 >/dev/null); }
  (cd "$tmp" && dpkg-source -q -x ./*.dsc tinyxml2 >/dev/null)
  rm -rf "$third/tinyxml2"
  mv "$tmp/tinyxml2" "$third/tinyxml2"
  rm -rf "$tmp"
fi

echo "setup: ready"
