#!/usr/bin/env bash
# Builds the dictionary-file fuzzer with clang and runs it for the given number of seconds.
#   scripts/fuzz.sh [seconds] [build dir]      (default 600 s, build-fuzz/)
# The corpus grows in <build dir>/corpus (seeded with a few files); findings land in
# <build dir>/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
build=${2:-build-fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DSONARIX_FUZZ=ON -DSONARIX_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_dictfile

corpus=$build/corpus
mkdir -p "$corpus" "$build/findings"
if [ -z "$(ls -A "$corpus")" ]; then
  printf 'koer\r\ndog\r\nex}wife\r\nendine naine\r\n' >"$corpus/plain"
  printf '" a, b "\r\n"""quoted"""\r\nõun\r\n\r\n' >"$corpus/quoted"
  printf 'a\nb\rc\r\n\r\n' >"$corpus/line-ends"
fi
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
nice "$build/fuzz/fuzz_dictfile" -max_total_time="$seconds" \
  -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$build/findings/" "$corpus"
