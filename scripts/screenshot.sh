#!/usr/bin/env bash
# Starts the program under a virtual X server and saves screenshots of what a user sees:
#   scripts/screenshot.sh OUTDIR
# intro.png right after start, main.png once the main window is up.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-shots}
mkdir -p "$out"
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target sonarix >/dev/null

display=:97
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb build/src/sonarix &
app=$!
sleep 1
DISPLAY=$display import -window root "$out/intro.png"
sleep 2.5
DISPLAY=$display import -window root "$out/main.png"
echo "saved $out/intro.png and $out/main.png"
