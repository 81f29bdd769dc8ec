#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a while.
#
#   fuzz/run.sh SECONDS [target...]     targets: fuzz_program_file fuzz_racer_stats fuzz_result_file
#                                                fuzz_archive
#
# Needs, besides the project's usual build packages: clang-14 libclang-rt-14-dev, and jlha-utils
# for the archive seeds
#
# The build goes to build-fuzz/ (clang, ASan + UBSan, the core instrumented for coverage). Each
# target runs for SECONDS on its own working corpus, build-fuzz/corpus/<target>, started from the
# committed seeds, the kept crashing inputs and larger seeds made here; the repository's folders
# are only read. Targets run one after another. Exits non-zero when any target crashed; the
# crashing input is left under build-fuzz/artifacts/<target>/ and its path printed.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 SECONDS [fuzz_program_file|fuzz_racer_stats|fuzz_result_file|fuzz_archive ...]" >&2
  exit 2
fi
seconds=$1
shift
targets=("$@")
((${#targets[@]})) || targets=(fuzz_program_file fuzz_racer_stats fuzz_result_file fuzz_archive)

build=build-fuzz
cxx=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$cxx" ]; then
  echo "clang++ not found: install clang-14 libclang-rt-14-dev" >&2
  exit 2
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DWAKORIN_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" wakorin_samplegen wakorin_fuzz_seeds

rm -rf "$build/seeds"
bash fuzz/make_seeds.sh "$build" "$build/seeds" --large

failed=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  for from in "fuzz/seeds/$target" "fuzz/regressions/$target" "$build/seeds/$target"; do
    [ -d "$from" ] && cp -n "$from"/* "$corpus"/ 2>/dev/null || true
  done
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  echo "== $target: ${seconds}s, log $log"
  status=0
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "${dict[@]}" "$corpus" \
    >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true)
  echo "   executions: ${runs:-?}, ${coverage:-no coverage line}, corpus: $(ls "$corpus" | wc -l) inputs"
  if [ "$status" -ne 0 ]; then
    failed=1
    crash=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    echo "   FOUND A FAULT (exit $status): ${crash:-see the log}"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|property broken|.*runtime error)' "$log" | head -n 5 |
      sed 's/^/   /' || true
  else
    echo "   nothing found"
  fi
done
exit "$failed"
