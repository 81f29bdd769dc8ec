#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, builds, and either starts the application on
# the bundled sample day (run) or runs every test, also under the sanitizers (test).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins
          libqt6sql6-sqlite libsqlite3-dev qt6-charts-dev libqt6opengl6-dev
          qt6-translations-l10n libarchive-dev libeigen3-dev libgtest-dev libbenchmark-dev fonts-ipafont-gothic)
# The fuzzers need clang and its runtime; jlha packs the test archives, python3 serves them,
# lintian checks the Debian package.
if [ "$mode" = test ]; then packages+=(clang-14 libclang-rt-14-dev jlha-utils python3 lintian); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"

if [ "$mode" = run ]; then
  cd samples
  # The sample day opens at once, as a day given on the command line does.
  exec ../build/wakorin B060415.TXT
fi

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$jobs"

# ctest runs each test in a process of its own; each binary must also pass whole, in any order,
# so that no test leans on what an earlier one left behind.
for suite in wakorin_core_tests wakorin_app_tests wakorin_ledger_tests wakorin_ui_tests; do
  "build/tests/$suite" --gtest_brief=1
  "build/tests/$suite" --gtest_brief=1 --gtest_shuffle --gtest_repeat=2
done

# The same suite with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWAKORIN_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# Every file reader under the fuzzers for a short while, so that a regression fails here.
bash fuzz/run.sh 20
