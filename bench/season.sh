#!/usr/bin/env bash
# Times the season checker over a generated season (180 days of 24 venues, about 50,000 races)
# and prints its races per second. Uses the Release build of bench/run.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
cmake --build "$build" -j "$(nproc)" --target wakorin-check wakorin_samplegen >/dev/null
season="$build/season"
if [ ! -f "$season/Fan0510.txt" ]; then
  "$build"/tools/wakorin_samplegen "$season" --venues 24 --days 180 >/dev/null
fi
best=""
for run in 1 2 3; do
  start=$(date +%s.%N)
  out=$(cd "$season" && "../tools/wakorin-check" -q .)
  end=$(date +%s.%N)
  seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
  if [ -z "$best" ] || awk -v s="$seconds" -v b="$best" 'BEGIN { exit !(s < b) }'; then
    best=$seconds
  fi
done
races=$(echo "$out" | sed -n 's/.* venues, \([0-9]*\) races.*/\1/p')
awk -v r="$races" -v s="$best" 'BEGIN {
  printf "\nSeason checker: %d races in %.3f s (best of 3) = %.0f races/s (target: under 2 s)\n", r, s, r / s
}'
