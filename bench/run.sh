#!/usr/bin/env bash
# `make bench`: the benchmark table on linux, instructions per frame under callgrind, and the
# plug-in against the reference chain on win64 under Wine.
# Usage: bench/run.sh [linux build dir] [win64 build dir]
set -euo pipefail
linux=${1:-build/linux}
win64=${2:-build/win64}
jobs=${BUILD_JOBS:-2}

cmake --preset linux -B "$linux" >/dev/null
cmake --build "$linux" -j "$jobs" --target vorra_bench vorra_frame_driver
"$linux/bench/vorra_bench"

echo
echo "instructions per stereo frame (callgrind, \"Drive\" held, blocks of 512):"
frames=49152
for chain in overdrive baseline; do
  out=$(mktemp)
  valgrind --tool=callgrind --toggle-collect=measuredSession --callgrind-out-file="$out" \
    "$linux/bench/vorra_frame_driver" instructions "$chain" "$frames" 512 >/dev/null 2>&1
  total=$(awk '/^(summary|totals):/ {print $2; exit}' "$out")
  rm -f "$out"
  awk -v c="$chain" -v t="$total" -v f="$frames" 'BEGIN {printf "  %-9s %7.1f\n", c, t / f}'
done

echo
echo "win64 under Wine:"
cmake --preset win64 -B "$win64" >/dev/null
cmake --build "$win64" -j "$jobs" --target vorra_frame_driver
"$win64/wine-run.sh" "$win64/bench/vorra_frame_driver.exe" timing 512
