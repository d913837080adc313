#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CI: builds the Debian package (scripts/package.sh) and checks it as a system would take it:
# lintian finds no error or warning, the AppStream file validates, the manual page renders without
# a warning, and the program unpacked from the package starts under Xvfb: --version, --help, an
# unknown option, a plain start and a start with a dictionary.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(bash scripts/package.sh | tail -n1)

lintian --fail-on error,warning --info --pedantic "$deb" 2> >(grep -v '^running with root' >&2)

work=$(mktemp -d)
trap 'kill ${app:-} ${xvfb:-} 2>/dev/null || true; rm -rf "$work"' EXIT
root=$work/root
dpkg -x "$deb" "$root"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

# groff reports its warnings but still exits 0, so anything it says fails the check.
page=$root/usr/share/man/man1/sonarix.1.gz
said=$(zcat "$page" | groff -ww -man -Tutf8 -z 2>&1)
said+=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l "$page" 2>&1 >/dev/null)
[ -z "$said" ] || { echo "$said" >&2; exit 1; }

Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 150); do [ -s "$work/display" ] && break; sleep 0.2; done
mkdir -m 700 "$work/run"
export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/run
bin=$root/usr/bin/sonarix

[ "$("$bin" --version)" = "Sonarix 1.3.9" ]
"$bin" --help | grep -q '^Usage: .*/sonarix \[options\] \[FILE\.dic\]$'
# On a terminal without any display too.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$bin" --version)" = "Sonarix 1.3.9" ]
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$bin" --help | grep -q '^Usage: '
status=0
"$bin" --no-such-option >"$work/out" 2>"$work/err" || status=$?
# Each test stands alone: set -e ignores a failure inside an && list.
[ "$status" -eq 2 ]
[ ! -s "$work/out" ]
grep -q "^sonarix: Unknown option 'no-such-option'\.$" "$work/err"

# Starts the program with the given arguments and waits until a window titled as $1 shows.
shows() {
  local title=$1
  shift
  "$bin" "$@" &
  app=$!
  for _ in $(seq 150); do
    if xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; then
      kill "$app" && wait "$app" || true
      return 0
    fi
    kill -0 "$app" 2>/dev/null || { echo "sonarix $* ended before '$title' showed" >&2; return 1; }
    sleep 0.2
  done
  echo "no window titled '$title' within 30 s of sonarix $*" >&2
  return 1
}
shows '^Sonarix - Untitled\.dic$'
printf '%s\r\n' maja house õun apple | iconv -f UTF-8 -t WINDOWS-1257 >"$work/sõnad.dic"
shows ' - .*sõnad\.dic$' "$work/sõnad.dic"
echo "package-check: $(basename "$deb") passed"
