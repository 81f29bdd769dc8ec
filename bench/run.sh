#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/) and prints the core figures and the window
# timings. Extra arguments go to wakorin_bench, e.g. --benchmark_filter=search.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target wakorin_bench wakorin_window_timings wakorin_ledger_bench \
  wakorin_ledger_timings

echo
echo "Machine: $(nproc) cores, $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg)"
# Repetitions and medians: the figures stay steady on a machine busy with other work.
if ! "$build"/bench/wakorin_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  "$@" 2>"$build"/bench-context.log | tee "$build"/bench.log | sed -n '/^Core operations/,$p'; then
  cat "$build"/bench-context.log >&2
  exit 1
fi
echo "(Google Benchmark's own output: $build/bench.log and $build/bench-context.log)"

# The day's list is timed on the last day of the real season, its earlier days beside it.
listDay=../shared/realdata/season2024/b240831.lzh
# The season window on the whole real season, in both modes (the statistics file of 2019 for the
# standard mode).
season=../shared/realdata/season2024
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build"/bench/wakorin_window_timings --runs 15 \
  ${listDay:+$( [ -f "$listDay" ] && echo --list-day "$listDay")} \
  $( [ -d "$season" ] && echo --season "$season" --season-stats ../shared/realdata/fan1904.txt)
bash bench/season.sh "$build"

# The bet log: 100,000 tickets settled against the real season beside reading its result files (skipped
# without ../shared/realdata/season2024), and the balance window opened on 100,000 entries.
"$build"/bench/wakorin_ledger_bench 2>/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build"/bench/wakorin_ledger_timings --runs 15
