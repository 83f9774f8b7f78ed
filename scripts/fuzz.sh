#!/usr/bin/env bash
# Fuzzes every parser of outside data natively with libFuzzer and
# AddressSanitizer: the SMBIOS identity, the firmware event record, the
# configuration file, the locator area and the battery I/O-control records.
# Each target runs for SECONDS (default 60) from a working corpus seeded with
# its committed corpus; an input that crashes is
# copied into the committed corpus, which the test run replays.
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
work="${TAVRIN_BUILD:-$root/build}/fuzz"

packages=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
bash "$root/scripts/setup.sh" >/dev/null # the XML parser's sources

# name | corpus | sources
targets=(
  "smbios|hwaccess/tests/fuzz/corpus/smbios|hwaccess/tests/fuzz/SmbiosFuzz.cpp hwaccess/SMBIOSParser.cpp hwaccess/SmbiosWalker.cpp"
  "bios-event|hwaccess/tests/fuzz/corpus/event|hwaccess/tests/fuzz/BiosEventFuzz.cpp hwaccess/BiosEventParser.cpp hwaccess/OemKeyTable.cpp"
  "config|tray/tests/fuzz/corpus/config|tray/tests/fuzz/ConfigFuzz.cpp tray/CompanionConfig.cpp third_party/tinyxml2/tinyxml2.cpp"
  "locator|radio/tests/fuzz/corpus/locator|radio/tests/fuzz/LocatorAreaFuzz.cpp radio/LocatorAreaWalker.cpp"
  "battery-records|battery/tests/fuzz/corpus/records|battery/tests/fuzz/BatteryRecordsFuzz.cpp battery/BatteryRecords.cpp"
)

status=0
total=0
printf '%-12s %14s %10s %s\n' target executions "exec/s" result
for entry in "${targets[@]}"; do
  IFS='|' read -r name corpus sources <<<"$entry"
  dir="$work/$name"
  mkdir -p "$dir/corpus"
  cp -f "$root/$corpus"/* "$dir/corpus/"
  read -ra files <<<"$sources"
  (cd "$root" && clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -Ihwaccess -Itray -Iradio -Ibattery -Ithird_party/tinyxml2 "${files[@]}" -o "$dir/fuzzer")
  rm -f "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-*
  result=clean
  if ! "$dir/fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$dir/" \
    "$dir/corpus" >"$dir/log.txt" 2>&1; then
    result="FAULT (see $dir/log.txt)"
    status=1
    for found in "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-*; do
      [ -e "$found" ] && cp "$found" "$root/$corpus/" && result="$result, kept $(basename "$found")"
    done
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/log.txt" | grep -o '[0-9]*$' || echo 0)
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$dir/log.txt" | grep -o '[0-9]*$' || echo 0)
  total=$((total + runs))
  printf '%-12s %14s %10s %s\n' "$name" "$runs" "$rate" "$result"
done
printf '%-12s %14s\n' total "$total"
exit "$status"
