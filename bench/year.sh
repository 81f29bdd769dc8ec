#!/usr/bin/env bash
# The real season as text: unpacks ../shared/realdata/season2024 once into BUILD/year-bench/text
# (B*.TXT and K*.TXT, one pair a day) and times, paired in one run, reading those bytes (cat)
# against the checker in the standard mode (statistics fan1904.txt) and in the data mode. Every
# figure is the best of 3 runs by wall time, the files warm in the page cache: wall seconds, CPU
# seconds (user + system) and the checker's own peak resident set. With BEFORE set to another
# build of the checker, that one is timed in the same run too, for a before/after at one load.
#   [BEFORE=path/to/wakorin-check] bash bench/year.sh [BUILD] [REALDATA]
set -euo pipefail
cd "$(dirname "$0")/.."
bench=$PWD/bench
build=${1:-build-bench}
real=${2:-../shared/realdata}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target wakorin-check >/dev/null
check=$PWD/$build/tools/wakorin-check
season=$(cd "$real/season2024" && pwd)
stats=$(cd "$real" && pwd)/fan1904.txt
text=$build/year-bench/text
if [ ! -d "$text" ]; then
  rm -rf "$text.part" && mkdir -p "$text.part"
  for archive in "$season"/*.lzh; do
    (cd "$text.part" && lha -xq "$archive") >/dev/null
  done
  mv "$text.part" "$text"
fi
text=$(cd "$text" && pwd)

# measure RUNS COMMAND...: "wall cpu peak" of the fastest run (bench/measure.py: seconds, CPU
# seconds) and the program's own VmHWM in KB from a run of its own (bench/peak.py). A shell
# command is given as sh -c.
measure() {
  local timed peak
  timed=$(python3 "$bench/measure.py" "$@")
  peak=$(python3 "$bench/peak.py" "${@:2}")
  echo "$(echo "$timed" | cut -d' ' -f1-2) $peak"
}
field() { echo "$1" | cut -d' ' -f"$2"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }

measure 1 sh -c "cat '$text'/* >/dev/null" >/dev/null  # warms the page cache
read=$(measure 3 sh -c "cat '$text'/* >/dev/null")
standard=$(measure 3 "$check" -q --stats "$stats" "$text")
data=$(measure 3 "$check" -q --mode data "$text")
if [ -n "${BEFORE:-}" ]; then
  beforeStandard=$(measure 3 "$BEFORE" -q --stats "$stats" "$text")
  beforeData=$(measure 3 "$BEFORE" -q --mode data "$text")
fi
files=$(ls "$text" | wc -l)
mbytes=$(( $(du -sk "$text" | cut -f1) / 1024 ))

echo
echo "Machine: $(nproc) cores, $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg). Best of 3 by wall time, files warm."
echo
echo "| the real season as text ($files files, $mbytes MB) | wall | CPU | peak memory | wall ÷ cat | CPU ÷ cat |"
echo "|---|---|---|---|---|---|"
echo "| cat | $(field "$read" 1) s | $(field "$read" 2) s | – | 1 | 1 |"
row() {  # NAME FIGURES
  echo "| $1 | $(field "$2" 1) s | $(field "$2" 2) s | $(mb "$(field "$2" 3)") |" \
       "$(ratio "$(field "$2" 1)" "$(field "$read" 1)") × | $(ratio "$(field "$2" 2)" "$(field "$read" 2)") × |"
}
if [ -n "${BEFORE:-}" ]; then
  row "before: standard mode" "$beforeStandard"
  row "before: data mode" "$beforeData"
fi
row "wakorin-check, standard mode (--stats fan1904.txt)" "$standard"
row "wakorin-check, data mode" "$data"
