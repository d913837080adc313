#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time (process start to first window mapped) and resident memory 2 s later, as the
# median of RUNS launches, for the program and for a bare Qt window built beside it as the floor.
#   bench/startup.sh [RUNS]      (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
bash scripts/deps.sh
dpkg-query -W -f='${Status}' libx11-dev 2>/dev/null | grep -q 'install ok installed' || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq --no-install-recommends libx11-dev >/dev/null
}

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONARIX_TESTS=OFF >/dev/null
cmake --build build-release --target sonarix >/dev/null
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
gcc -O2 bench/mapwatch.c -o "$work/mapwatch" -lX11
# The floor is built with the same compiler and flags as the program.
g++ -O2 -std=c++20 -fPIC bench/floor.cpp -o "$work/floor" $(pkg-config --cflags --libs Qt6Widgets)

# Xvfb picks a free display itself, so runs beside other X servers do not collide.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 150); do [ -s "$work/display" ] && break; sleep 0.2; done
display=:$(cat "$work/display")
mkdir -m 700 "$work/run"
export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/run
for _ in $(seq 150); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $display" >&2; exit 1; }

measure() { # prints "ms kB" for one launch of "$@"
  read -r ms pid < <("$work/mapwatch" "$@")
  sleep 2
  kb=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$ms $kb"
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

for i in $(seq "$runs"); do
  measure "$work/floor" >>"$work/floor.txt"
  measure build-release/src/sonarix >>"$work/sonarix.txt"
done
fms=$(cut -d' ' -f1 "$work/floor.txt" | median); fkb=$(cut -d' ' -f2 "$work/floor.txt" | median)
sms=$(cut -d' ' -f1 "$work/sonarix.txt" | median); skb=$(cut -d' ' -f2 "$work/sonarix.txt" | median)
printf 'floor:   start-up %7.1f ms   memory %7d kB\n' "$fms" "$fkb"
printf 'sonarix: start-up %7.1f ms   memory %7d kB\n' "$sms" "$skb"
awk -v a="$sms" -v b="$fms" -v c="$skb" -v d="$fkb" \
  'BEGIN {printf "ratio:   start-up %.2f (target <= 1.15)   memory %.2f (target <= 1.20)\n", a/b, c/d}'
