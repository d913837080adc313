#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program under a virtual X server with a small sample dictionary, walks through it by
# keyboard as a user would, and saves a picture of each window on the way:
#   scripts/screenshot.sh OUTDIR
# intro.png (right after start), main.png (the sample opened from the command line), editor.png
# (the word-list editor), quiz.png (a multiple-choice test) and import.png (a spreadsheet's CSV
# of four columns in the import window, its column choosers up).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots}")
mkdir -p "$out"
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target sonarix >/dev/null

work=$(mktemp -d)
# Dictionary files are Windows-1257 text with CR LF line ends, the Estonian word first.
printf '%s\r\n' maja house õun apple koer dog kass cat päike sun jõgi river tänav street \
  lumi snow | iconv -f UTF-8 -t WINDOWS-1257 >"$work/sõnad.dic"
printf '%s\r\n' 'nr;eesti;inglise;märkus' '1;õun;apple;puuvili' '2;jõgi;river;' \
  '3;tänav;street;linnas' '4;päike;sun;' '5;šokk;shock;ŽŠ' >"$work/sõnad.csv"

Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill ${app:-} $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 150); do [ -s "$work/display" ] && break; sleep 0.2; done
mkdir -m 700 "$work/run"
export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/run

window() { # waits for a window whose title matches $1 and prints its id
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 && return 0
    sleep 0.2
  done
  echo "no window named '$1' appeared" >&2
  return 1
}
shot() { # window title, file name
  local id
  id=$(window "$1")
  sleep 0.5
  import -window "$id" "$out/$2"
}
keys() { xdotool key --delay 80 "$@"; sleep 0.5; }

build/src/sonarix "$work/sõnad.dic" &
app=$!
sleep 0.8
import -window root -crop 593x331+0+0 "$out/intro.png"
# The intro hands over after two seconds; the sample is then read as Open would read it.
shot '^Tolkrix - ' main.png

# The main window starts with the focus on Editor.
keys space
shot '^Editor$' editor.png
keys Tab Tab Tab Tab Tab space # Võõrkeeles, Eesti keeles, Lisa, Kustuta, Asenda, Lõpeta

# Back in the main window: Tab to "Tavaline", Down for "Valikvastustega", then back to Test.
# Without a window manager nobody hands the focus back to the main window; do it as one would.
xdotool windowfocus --sync "$(window '^Tolkrix - ')"
keys Tab Tab Tab Tab Down shift+Tab shift+Tab shift+Tab space
shot '^Test$' quiz.png
kill $app

build/src/sonarix "$work/sõnad.csv" &
app=$!
shot '^Sõnade import$' import.png
echo "saved intro.png, main.png, editor.png, quiz.png and import.png in $out"
