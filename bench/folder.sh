#!/usr/bin/env bash
# A folder of years: times the season checker on 2,000 generated days in one folder against the
# time reading the folder's bytes takes, its peak memory on 20 days against 2,000, the real
# season in ../shared/realdata/season2024 against reading (and unpacking) its archives, and
# 1,000 against 10,000 empty program files in one folder. Every time is the best of 3 runs, the
# files warm in the page cache. Uses the Release build of bench/run.sh; the generated folders are
# kept in BUILD/folder-bench for the next run. With BEFORE set to another build of the checker,
# its check of the 2,000 days is timed in the same run too.
#   [BEFORE=path/to/wakorin-check] bash bench/folder.sh [BUILD] [REALDATA]
set -euo pipefail
cd "$(dirname "$0")/.."
bench=$PWD/bench
build=${1:-build-bench}
real=${2:-../shared/realdata}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target wakorin-check wakorin_samplegen wakorin_unpack_all >/dev/null
check=$PWD/$build/tools/wakorin-check
work=$build/folder-bench
mkdir -p "$work"

# Days of 12 venues each (about 127 KB a program file, 127 KB a result file), one folder.
generate() {  # DIR DAYS
  if [ ! -f "$1/Fan0510.txt" ]; then
    rm -rf "$1.part"
    "$build"/tools/wakorin_samplegen "$1.part" --venues 12 --days "$2" >/dev/null
    mv "$1.part" "$1"
  fi
}
generate "$work/days2000" 2000
generate "$work/days20" 20

# Empty race program files of distinct days, with a statistics file beside them.
empty() {  # DIR COUNT
  if [ ! -f "$1/Fan0510.txt" ]; then
    rm -rf "$1.part"
    python3 - "$1.part" "$2" <<'PY'
import datetime, os, sys
folder, count = sys.argv[1], int(sys.argv[2])
os.makedirs(folder)
day = datetime.date(2000, 1, 1)
for _ in range(count):
    open(os.path.join(folder, day.strftime("B%y%m%d.TXT")), "wb").close()
    day += datetime.timedelta(days=1)
PY
    cp "$work/days20/Fan0510.txt" "$1.part/"
    mv "$1.part" "$1"
  fi
}
empty "$work/empty1000" 1000
empty "$work/empty10000" 10000

# measure RUNS COMMAND...: "wall cpu peak" of the fastest run (bench/measure.py); hwm COMMAND...:
# the program's own peak resident set in KB (bench/peak.py). A shell command is given as sh -c.
measure() { python3 "$bench/measure.py" "$@"; }
hwm() { python3 "$bench/peak.py" "$@"; }
field() { echo "$1" | cut -d' ' -f"$2"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }

days2000=$(cd "$work/days2000" && pwd)
days20=$(cd "$work/days20" && pwd)
measure 1 sh -c "cat '$days2000'/* >/dev/null" >/dev/null  # warms the page cache
read2000=$(measure 3 sh -c "cat '$days2000'/* >/dev/null")
given2000=$(cd "$days2000" && measure 3 "$check" -q --stats Fan0510.txt .)
beside2000=$(cd "$days2000" && measure 3 "$check" -q .)
given20=$(cd "$days20" && measure 3 "$check" -q --stats Fan0510.txt .)
if [ -n "${BEFORE:-}" ]; then
  before2000=$(cd "$days2000" && measure 3 "$BEFORE" -q --stats Fan0510.txt .)
fi
bytes2000=$(du -sb "$days2000" | cut -f1)
own2000=$(cd "$days2000" && hwm "$check" -q --stats Fan0510.txt .)
own20=$(cd "$days20" && hwm "$check" -q --stats Fan0510.txt .)

echo
echo "Machine: $(nproc) cores, $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg). Best of 3, files warm."
echo
echo "| measure | time | CPU | peak memory | ratio to reading | goal |"
echo "|---|---|---|---|---|---|"
echo "| read 2,000 days (4,001 files, $((bytes2000 / 1000000)) MB): cat | $(field "$read2000" 1) s | $(field "$read2000" 2) s | – | 1 | – |"
if [ -n "${BEFORE:-}" ]; then
  echo "| before: check 2,000 days, --stats given | $(field "$before2000" 1) s | $(field "$before2000" 2) s | $(mb "$(field "$before2000" 3)") | $(ratio "$(field "$before2000" 1)" "$(field "$read2000" 1)") × | ≤ 4 × |"
fi
echo "| check 2,000 days, --stats given | $(field "$given2000" 1) s | $(field "$given2000" 2) s | $(mb "$(field "$given2000" 3)") | $(ratio "$(field "$given2000" 1)" "$(field "$read2000" 1)") × | ≤ 4 × |"
echo "| check 2,000 days, Fan0510.txt found beside | $(field "$beside2000" 1) s | $(field "$beside2000" 2) s | $(mb "$(field "$beside2000" 3)") | $(ratio "$(field "$beside2000" 1)" "$(field "$read2000" 1)") × | ≤ 4 × |"
# A child's peak counts the Python that forked it until it became the program: no peak below
# this floor can be told apart.
floor=$(measure 1 true)
echo "| (peak memory floor: /bin/true measured the same way) | – | – | $(mb "$(field "$floor" 3)") | – | – |"
peakGoal=$(( $(field "$given20" 3) * 2 + 30 * 1024 ))
echo "| check 20 days, --stats given | $(field "$given20" 1) s | $(field "$given20" 2) s | $(mb "$(field "$given20" 3)") | – | 2,000 days ≤ $(mb "$peakGoal") |"
echo "| its own peak (VmHWM while it runs): 20 days / 2,000 days | – | – | $(mb "$own20") / $(mb "$own2000") | – | 2,000 days ≤ $(mb $((own20 * 2 + 30 * 1024))) |"

if [ -d "$real/season2024" ]; then
  season=$(cd "$real/season2024" && pwd)
  stats=$(cd "$real" && pwd)/fan1904.txt
  measure 1 sh -c "cat '$season'/* >/dev/null" >/dev/null
  readReal=$(measure 3 sh -c "cat '$season'/* >/dev/null")
  unpackReal=$(measure 3 sh -c "'$PWD/$build/bench/wakorin_unpack_all' '$season'/*")
  checkReal=$(measure 3 "$check" -q --stats "$stats" "$season")
  files=$(ls "$season" | wc -l)
  kb=$(du -sk "$season" | cut -f1)
  echo "| read the real season ($files archives, $((kb / 1024)) MB): cat | $(field "$readReal" 1) s | $(field "$readReal" 2) s | – | 1 | – |"
  echo "| read + unpack it (libarchive alone) | $(field "$unpackReal" 1) s | $(field "$unpackReal" 2) s | – | $(ratio "$(field "$unpackReal" 1)" "$(field "$readReal" 1)") × | – |"
  echo "| check it, --stats fan1904.txt | $(field "$checkReal" 1) s | $(field "$checkReal" 2) s | $(mb "$(field "$checkReal" 3)") | $(ratio "$(field "$checkReal" 1)" "$(field "$readReal" 1)") × reading, $(ratio "$(field "$checkReal" 1)" "$(field "$unpackReal" 1)") × reading + unpacking | ≤ 3 × |"
else
  echo "(no real season in $real/season2024)"
fi

empty1000=$(cd "$work/empty1000" && measure 3 "$check" -q .)
empty10000=$(cd "$work/empty10000" && measure 3 "$check" -q .)
echo "| 1,000 empty program files | $(field "$empty1000" 1) s | $(field "$empty1000" 2) s | $(mb "$(field "$empty1000" 3)") | – | – |"
echo "| 10,000 empty program files | $(field "$empty10000" 1) s | $(field "$empty10000" 2) s | $(mb "$(field "$empty10000" 3)") | $(ratio "$(field "$empty10000" 1)" "$(field "$empty1000" 1)") × the time of 1,000 | linear: about 10 × |"
