#!/usr/bin/env bash
# Builds seed inputs for the fuzz targets with the sample day generator.
#
#   fuzz/make_seeds.sh BUILD_DIR OUTDIR [--large]
#
# BUILD_DIR is a build with the targets wakorin_samplegen and wakorin_fuzz_seeds built. Writes
# OUTDIR/fuzz_program_file, OUTDIR/fuzz_racer_stats, OUTDIR/fuzz_result_file and
# OUTDIR/fuzz_archive: small days of 1 to 3 venues, the statistics file cut to a few dozen
# records, small files in today's layouts and archives of such files (with jlha), which is what
# fuzz/seeds/ holds. --large adds a
# 24-venue day, the whole statistics file and the files in samples/; those are only generated at
# run time (run.sh), never committed.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR OUTDIR [--large]" >&2
  exit 2
fi
samplegen=$1/tools/wakorin_samplegen
todays=$1/fuzz/wakorin_fuzz_seeds
out=$2
large=${3:-}
repo=$(cd "$(dirname "$0")/.." && pwd)
record=412

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program="$out/fuzz_program_file"
stats="$out/fuzz_racer_stats"
result="$out/fuzz_result_file"
mkdir -p "$program" "$stats" "$result"

# generate NAME ARGS...: one generator run, its day files copied as NAME-B<date>.TXT and so on.
generate() {
  local name=$1
  shift
  rm -rf "${work:?}/$name"
  mkdir -p "$work/$name"
  "$samplegen" "$work/$name" "$@" >/dev/null
  for f in "$work/$name"/B*.TXT; do cp "$f" "$program/$name-$(basename "$f")"; done
  for f in "$work/$name"/K*.TXT; do cp "$f" "$result/$name-$(basename "$f")"; done
}

# records FILE COUNT: the first COUNT records of a statistics file.
records() {
  head -c $(($2 * record)) "$1"
}

generate one-venue --date 060501 --venues 1 --racers 60 --seed 1
generate two-venues --date 061231 --venues 2 --days 2 --racers 80 --seed 2
generate three-venues --date 070704 --venues 3 --racers 100 --seed 3

fan="$work/three-venues/Fan0510.txt"
records "$fan" 36 >"$stats/records-36"
records "$fan" 6 >"$stats/records-6"
# Six records, then the motor and boat numbers of the six lanes and tickets of odd shapes in the
# part-record the reader leaves alone.
{
  records "$fan" 6
  printf ' 12 34  7 56 41  8 23 19 66 70  5  1'
  printf '1-2  1-3  2-3  1-4  1-5  1-6  1&2&31-2-31-3-41-2-52-3-42-3-5'
  printf '9-9  0    x-y  6-6  1    12345'
} >"$stats/records-6-with-numbers"
# A number that is not one: the prediction refuses it.
{
  records "$fan" 6
  printf ' 1a 34  7 56 41  8 23 19 66 70  5  1'
} >"$stats/records-6-bad-motor"
records "$work/one-venue/Fan0510.txt" 12 >"$stats/records-12"
# A damaged figure inside a record.
records "$fan" 6 >"$stats/records-6-bad-figure"
printf 'x9 ' | dd of="$stats/records-6-bad-figure" bs=1 seek=$((record + 90)) conv=notrunc status=none

"$todays" "$out"

# Archives as the official site packs them, of small generated files, in each header level and
# method, and the shapes the reader refuses (two files, a folder). jlha is a test-only tool.
archive="$out/fuzz_archive"
mkdir -p "$archive"
if command -v jlha >/dev/null; then
  mkdir -p "$work/pack/folder"
  cp "$work/one-venue/B060501.TXT" "$work/one-venue/K060501.TXT" "$work/pack/"
  records "$fan" 12 >"$work/pack/fan0604.txt"
  printf 'STARTB\r\n' >"$work/pack/tiny.txt"
  # pack NAME OPTIONS FILE...: the files packed into OUTDIR/fuzz_archive/NAME.
  pack() {
    local name=$1 options=$2
    shift 2
    rm -f "$work/pack/packed.lzh"
    (cd "$work/pack" && jlha "a${options}q" packed.lzh "$@" >/dev/null)
    cp "$work/pack/packed.lzh" "$archive/$name"
  }
  pack b060501-level0.lzh 0 B060501.TXT
  pack k060501-level1.lzh 1 K060501.TXT
  pack fan0604-level2.lzh 2 fan0604.txt
  pack b060501-lh6.lzh 0o6 B060501.TXT
  pack k060501-lh7.lzh 2o7 K060501.TXT
  pack tiny-stored.lzh 0z tiny.txt
  pack two-files.lzh 1 tiny.txt fan0604.txt
  pack folder.lzh 2 folder
else
  echo "jlha not found (Debian package jlha-utils): no archive seeds" >&2
fi

if [ "$large" = --large ]; then
  generate all-venues --date 080808 --venues 24 --racers 300 --seed 24
  cp "$work/all-venues/Fan0510.txt" "$stats/all-venues-Fan0510.txt"
  cp "$repo/samples/B060415.TXT" "$program/samples-B060415.TXT"
  cp "$repo/samples/K060415.TXT" "$result/samples-K060415.TXT"
  cp "$repo/samples/Fan0510.txt" "$stats/samples-Fan0510.txt"
fi
