#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers (the dictionary file; the import readers) with clang and runs each in turn.
#   scripts/fuzz.sh [seconds] [build dir]   fuzz (default 600 s, build-fuzz/)
#   scripts/fuzz.sh --smoke [build dir]     for CI: replay every file of the checked-in corpus,
#                                           then fuzz 60 s from it; non-zero on any finding
#   scripts/fuzz.sh --merge [build dir]     minimise the checked-in corpus together with the
#                                           build's working corpus back into fuzz/corpus/TARGET
# Runs start from a copy of fuzz/corpus/TARGET in <build dir>/corpus (dictfile) or
# <build dir>/corpus-TARGET, so fuzzing never writes into the repository; only --merge does.
# Findings land in <build dir>/findings. FUZZ_TARGETS="dictfile" runs only the ones named.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=fuzz
case ${1:-} in
--smoke | --merge)
  mode=${1#--}
  shift
  ;;
esac
if [ "$mode" = fuzz ]; then
  seconds=${1:-600}
  build=${2:-build-fuzz}
else
  seconds=60
  build=${1:-build-fuzz}
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DSONARIX_FUZZ=ON -DSONARIX_TESTS=OFF >/dev/null
targets=(${FUZZ_TARGETS:-dictfile import})
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

findings=$build/findings
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
options=(-max_len=65536 -timeout=10 -rss_limit_mb=2048)

run() {
  local target=$1
  fuzzer=$build/fuzz/fuzz_$target
  seeds=fuzz/corpus/$target
  corpus=$build/corpus
  [ "$target" = dictfile ] || corpus=$build/corpus-$target
  if [ "$mode" = merge ]; then
    mkdir -p "$corpus"
    merged=$build/merged
    rm -rf "$merged"
    mkdir -p "$merged"
    "$fuzzer" -merge=1 "${options[@]}" "$merged" "$seeds" "$corpus"
    rm -f "$seeds"/*
    cp "$merged"/* "$seeds"/
    echo "$seeds: $(find "$seeds" -type f | wc -l) files, $(cat "$seeds"/* | wc -c) bytes"
    return
  fi

  mkdir -p "$findings"
  if [ "$mode" = smoke ]; then
    # Every file on its own first, so one the reader now gets wrong fails here by name.
    log=$build/replay.log
    if ! "$fuzzer" "${options[@]}" -artifact_prefix="$findings/" "$seeds"/* >"$log" 2>&1; then
      tail -n 60 "$log"
      echo "fuzz.sh: a corpus file fails; see $log" >&2
      return 1
    fi
    echo "Replayed $(find "$seeds" -type f | wc -l) corpus files"
    # A fresh copy, so the minute starts from the checked-in corpus alone.
    rm -rf "$corpus"
  fi
  mkdir -p "$corpus"
  # libFuzzer names corpus files by their content, so a file already there is the same file.
  cp "$seeds"/* "$corpus"/
  nice "$fuzzer" -max_total_time="$seconds" "${options[@]}" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus"
}

for target in "${targets[@]}"; do
  run "$target"
done
