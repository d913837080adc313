#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Random GUI testing (monkey/monkey.cpp, built with -DSONARIX_MONKEY=ON).
#   scripts/monkey.sh N               N seeds, from seed 1 (CI runs the first 24)
#   scripts/monkey.sh --seed S        replays seed S, printing every event as it happens
# Options, before the rest:
#   --from F      the first seed of an N-seed run (default 1)
#   --events E    events per seed (default 1000, as in CI); a replay needs the run's value
#   --sanitize    AddressSanitizer + UndefinedBehaviorSanitizer, in build-asan/
#   --build DIR   another build directory
# A failing seed prints its episode's events and the command that replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
dir=
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
export SONARIX_MONKEY_SEED=1 SONARIX_MONKEY_EVENTS=1000 SONARIX_MONKEY_VERBOSE=0
unset SONARIX_MONKEY_SEEDS
while [ $# -gt 0 ]; do
  case "$1" in
    --seed) SONARIX_MONKEY_SEED=$2 SONARIX_MONKEY_SEEDS=1 SONARIX_MONKEY_VERBOSE=1; shift 2 ;;
    --from) SONARIX_MONKEY_SEED=$2; shift 2 ;;
    --events) SONARIX_MONKEY_EVENTS=$2; shift 2 ;;
    --sanitize)
      build=build-asan
      flags=(-DCMAKE_BUILD_TYPE=Debug -DSONARIX_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++)
      export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
      export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
      export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
      shift ;;
    --build) dir=$2; shift 2 ;;
    [0-9]*) SONARIX_MONKEY_SEEDS=$1; shift ;;
    *) sed -n '2,10p' "$0"; exit 2 ;;
  esac
done
if [ -z "${SONARIX_MONKEY_SEEDS:-}" ]; then
  sed -n '2,10p' "$0"
  exit 2
fi
export SONARIX_MONKEY_SEEDS
build=${dir:-$build}

# An existing build keeps its own settings; only the option is switched on.
if [ -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -DSONARIX_MONKEY=ON >/dev/null
else
  cmake -S . -B "$build" -G Ninja "${flags[@]}" -DSONARIX_MONKEY=ON >/dev/null
fi
cmake --build "$build" --target monkey
# A seed has the test function's time-out to itself; long runs need more than the default.
export QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-86400000}
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$build/monkey/monkey"
