#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Sonarix for 64-bit Windows on Debian and tests it under Wine:
#   1. Qt 6.4.2 from Debian's own source package (Debian's patches applied), built static for
#      MinGW-w64 once into ~/.cache/sonarix/ (XDG_CACHE_HOME is honoured; the folder's name holds
#      Qt's version and a hash of the configure options, so a changed option builds anew);
#   2. sonarix.exe and every test program as .exe, in build-windows/;
#   3. the tests under Wine (offscreen), a smoke of sonarix.exe on Xvfb with docs/windows.png;
#   4. build-windows/sonarix-1.3.9-win64.zip and the NSIS installer sonarix-1.3.9-setup.exe,
#      installed and uninstalled silently under Wine.
#   scripts/windows.sh            all of it
#   scripts/windows.sh --qt       only step 1
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
bash scripts/deps.sh
packages=(wine wine64 nsis zip unzip g++-mingw-w64-x86-64-posix icoutils dpkg-dev xvfb xauth
  xdotool imagemagick fonts-dejavu-core fonts-liberation2 qt6-base-dev qt6-base-dev-tools)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# --- 1. Qt for Windows ------------------------------------------------------------------------
qt_version=6.4.2
# As small as the program allows: no OpenGL, network, SQL, printing, D-Bus or image formats but
# PNG. FreeType stays (the offscreen platform the tests use draws text with it); Debian's tarball
# has no 3rdparty/wintab (hence no tablet events), and Direct2D 1.1 is left out but not Direct2D
# itself, which DirectWrite needs in this version.
qt_options=(-release -static -static-runtime -optimize-size -nomake examples -nomake tests
  -no-opengl -no-feature-vulkan -no-dbus -no-feature-network -no-feature-sql
  -no-feature-printsupport -no-feature-concurrent -no-feature-xml -qt-zlib -qt-pcre -qt-libpng
  -no-libjpeg -no-gif -qt-freetype -qt-harfbuzz -no-icu -no-feature-tabletevent
  -no-feature-direct2d1_1)
key=$(printf '%s\n' "${qt_options[@]}" | cat - cmake/mingw-w64.cmake | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/sonarix
qt=$cache/qt-$qt_version-mingw-w64-static-$key

build_qt() {
  local work=$cache/work-$key
  # A build cut short (a killed job, a full disk) goes on where it stopped.
  if [ ! -f "$work/build/build.ninja" ]; then
    rm -rf "$work" "$qt.partial"
    mkdir -p "$work/build" "$qt.partial"
    # apt-get source needs a deb-src entry; add Debian's own archive only if there is none.
    if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      echo "Adding a deb-src entry for Debian's archive"
      printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
        "Suites: $(. /etc/os-release && echo "$VERSION_CODENAME")" 'Components: main' \
        'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
        $sudo tee /etc/apt/sources.list.d/sonarix-deb-src.sources >/dev/null
      $sudo apt-get update -qq
    fi
    # dpkg-source unpacks the tarball and applies Debian's patches (security fixes among them).
    (cd "$work" && apt-get source -qq qt6-base >/dev/null)
    # Qt records the toolchain file's path for the programs built against it: keep a copy beside.
    cp cmake/mingw-w64.cmake "$qt.partial/mingw-w64.cmake"
    (cd "$work/build" && nice -n 10 "$(qt_source "$work")/configure" -prefix "$qt" \
      -xplatform win32-g++ -qt-host-path /usr "${qt_options[@]}" -- -G Ninja \
      "-DCMAKE_TOOLCHAIN_FILE=$qt.partial/mingw-w64.cmake" \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  fi
  local src
  src=$(qt_source "$work")
  nice -n 10 cmake --build "$work/build" --parallel "$(nproc)"
  # Installed beside the final place, then moved: a half-built cache never counts.
  cmake --install "$work/build" --prefix "$qt.partial" >/dev/null
  # The licence texts that go with a program linked against it: Qt's own, those of the
  # libraries built into it, and Debian's summary of them all.
  local licenses=$qt.partial/licenses
  mkdir -p "$licenses/3rdparty"
  cp "$src"/LICENSES/* "$licenses/"
  cp "$src/debian/copyright" "$licenses/debian-copyright.txt"
  for lib in blake2 double-conversion easing freetype harfbuzz-ng icc libpng md4 md4c md5 pcre2 \
    rfc6234 sha1 sha3 tinycbor zlib; do
    find "$src/src/3rdparty/$lib" -maxdepth 1 -type f \
      \( -iname 'licen[cs]e*' -o -iname 'copying*' -o -name '*-LICENSE.txt' \) \
      -exec install -D -m 644 -t "$licenses/3rdparty/$lib" {} +
  done
  grep -rlIF "$qt.partial" "$qt.partial" | xargs -r sed -i "s|$qt.partial|$qt|g"
  rm -rf "$qt"
  mv "$qt.partial" "$qt"
  rm -rf "$work"
}
qt_source() { # the unpacked source under $1
  local dir
  for dir in "$1"/qt6-base-"$qt_version"*/; do
    [ -f "$dir/configure" ] && echo "${dir%/}" && return 0
  done
  echo "no Qt $qt_version source in $1" >&2
  return 1
}
if [ -f "$qt/bin/qt-cmake" ]; then
  echo "Qt $qt_version for Windows: $qt (cached)"
else
  echo "Building Qt $qt_version for Windows into $qt (about 15 minutes on two cores)"
  start=$(date +%s)
  build_qt
  echo "Qt built in $(($(date +%s) - start)) s"
fi
[ "${1:-}" = "--qt" ] && exit 0

# --- 2. sonarix.exe and the test programs -------------------------------------------------------
out=$root/build-windows
version=$(sed -n 's/^project(Sonarix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
cross=x86_64-w64-mingw32
mkdir -p "$out"
# No Mono or Gecko for Wine to offer; no Wine chatter.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
work=$(mktemp -d)
# One X server for everything Wine shows: a wineserver first started without a display keeps a
# desktop without one.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  for p in "$out"/wine-*/; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 150); do [ -s "$work/display" ] && break; sleep 0.2; done
export DISPLAY=:$(cat "$work/display")

# A fresh Wine prefix $out/wine-NAME, made the current one.
new_prefix() {
  export WINEPREFIX=$out/wine-$1
  [ -d "$WINEPREFIX" ] && { wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"; }
  timeout 300 wineboot --init >/dev/null 2>&1
  timeout 60 wineserver -w
}

# The tests' prefix: Wine hands no QT_* variable of Linux's environment on, so the offscreen
# platform and QTest's output on standard error are set in the prefix's own environment. The
# icon is rendered in the build through Wine too.
new_prefix tests
wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null
wine reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f >/dev/null

# Static: no libgcc or libstdc++ DLLs beside the program.
"$qt/bin/qt-cmake" -S . -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_UNITY_BUILD=OFF -DCMAKE_EXE_LINKER_FLAGS=-static \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null


cmake --build "$out/build" --parallel "$(nproc)"
exe=$out/build/src/sonarix.exe
echo "windows.sh: built for Windows at $SECONDS s"

# One file that runs on any Windows: a window program (no console) importing only Windows' own
# libraries, with its icon and version information.
headers=$($cross-objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" ||
  { echo "sonarix.exe is not a window program" >&2; exit 1; }
system32=$WINEPREFIX/drive_c/windows/system32
for dll in $(sed -n 's/^\s*DLL Name: //p' <<<"$headers"); do
  case "$dll" in
    Qt6* | lib*) echo "sonarix.exe needs $dll beside it" >&2; exit 1 ;;
    api-ms-win-*) continue ;; # Windows' API sets, resolved by the loader
  esac

  [ -e "$system32/${dll,,}" ] || { echo "sonarix.exe imports $dll, not part of Windows" >&2; exit 1; }
done
grep -q -- '--type=14' <<<"$(wrestool -l "$exe")" || { echo "sonarix.exe has no icon" >&2; exit 1; }
strings=$(strings -e l "$exe")
for text in "$version" Sonarix Orvandel "Sonarix vocabulary drill"; do
  grep -qxF "$text" <<<"$strings" ||

    { echo "sonarix.exe's version information lacks '$text'" >&2; exit 1; }
done

# --- 3. under Wine --------------------------------------------------------------------------------
ctest --test-dir "$out/build" --output-on-failure --parallel "$(nproc)" --timeout 600
echo "windows.sh: the suite passed under Wine at $SECONDS s"

# The real program on a desktop of its own (a prefix without the tests' settings).
new_prefix desktop
shots=$out/shots
mkdir -p "$shots"
window() { # waits for a window whose title matches $1 and prints its id
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 && return 0
    sleep 0.2
  done
  echo "no window named '$1' appeared" >&2
  import -window root "$shots/failed.png" || true
  return 1
}
gone() { # waits until no window's title matches $1
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  echo "the window named '$1' stayed" >&2
  return 1
}
keys() { # focuses the window titled $1 and types the keys that follow
  local id
  id=$(window "$1")
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
  shift
  xdotool key --delay 100 "$@"
  sleep 0.5
}
ended() { # waits for the program started as $1 to end, and checks its status
  local status=0
  timeout 30 tail --pid="$1" -f /dev/null || { echo "sonarix.exe did not end" >&2; exit 1; }
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || { echo "sonarix.exe ended with status $status" >&2; exit 1; }
}
c_drive=$WINEPREFIX/drive_c
main_title='^Sonarix - |^Tolkrix - '

# Started as Explorer starts it, from its own folder: the program's folder is the .exe's, and
# Save on the untitled list offers Untitled.dic there, in Windows' own save dialog.
mkdir -p "$c_drive/Sonarix"
cp "$exe" "$c_drive/Sonarix/sonarix.exe"
(cd "$c_drive/Sonarix" && exec timeout 120 wine sonarix.exe) &
app=$!
window "^Sonarix$" >/dev/null # the intro
window "$main_title" >/dev/null
gone "^Sonarix$"
[ -z "$(xdotool search --onlyvisible --name '^Sonarix$' 2>/dev/null)" ]

# System Information through Wine's own registry: the tool that MSINFO's PATH names, then
# MSINFO32.EXE in the folder that Shared Tools Location names, then, with neither, the message.
# The tool is a stand-in that leaves a mark.
mkdir -p "$c_drive/msinfo"
printf '%s\n' '#include <stdio.h>' 'int main(void) {' \
  '  FILE* f = fopen("C:\\msinfo\\started.txt", "a");' \
  '  return f && fputs("started\n", f) >= 0 && fclose(f) == 0 ? 0 : 1;' '}' >"$work/mark.c"
$cross-gcc-posix -mwindows -o "$c_drive/msinfo/MSINFO32.EXE" "$work/mark.c"
tools='HKLM\SOFTWARE\Microsoft\Shared Tools'
marks() { cat "$c_drive/msinfo/started.txt" 2>/dev/null | wc -l; }
wine reg add "$tools\\MSINFO" /v PATH /d 'C:\msinfo\MSINFO32.EXE' /f >/dev/null
keys "$main_title" alt+a
keys '^About Sonarix$' alt+s
for _ in $(seq 50); do [ "$(marks)" -eq 1 ] && break; sleep 0.2; done
[ "$(marks)" -eq 1 ] || { echo "System Info did not start the tool MSINFO's PATH names" >&2; exit 1; }
wine reg delete "$tools\\MSINFO" /v PATH /f >/dev/null
wine reg add "$tools Location" /v MSINFO /d 'C:\msinfo' /f >/dev/null
keys '^About Sonarix$' alt+s
for _ in $(seq 50); do [ "$(marks)" -eq 2 ] && break; sleep 0.2; done
[ "$(marks)" -eq 2 ] || { echo "System Info did not start MSINFO32.EXE in its folder" >&2; exit 1; }
wine reg delete "$tools Location" /f >/dev/null
keys '^About Sonarix$' alt+s
window '^Sonarix$' >/dev/null # the message box, titled with the program's name
import -window "$(window '^Sonarix$')" "$shots/sysinfo-message.png"
keys '^Sonarix$' Return
gone '^Sonarix$'
[ "$(marks)" -eq 2 ] || { echo "System Info started something with no key naming it" >&2; exit 1; }
keys '^About Sonarix$' Escape
# Save on the untitled list: Save As, in the program's folder. Wine's save dialog has no title;
# it takes the keys while it is up.
unnamed() { xdotool search --onlyvisible --name '^$' 2>/dev/null | wc -l; }
before=$(unnamed)
keys "$main_title" alt+f s
for _ in $(seq 50); do [ "$(unnamed)" -gt "$before" ] && break; sleep 0.2; done
[ "$(unnamed)" -gt "$before" ] || { echo "no save dialog appeared" >&2; exit 1; }
sleep 1
xdotool key Return

# Saved, the title names the file by its Windows path.
window '^Sonarix - C:\\Sonarix\\Untitled\.dic$' >/dev/null
[ -f "$c_drive/Sonarix/Untitled.dic" ] || { echo "Untitled.dic is not in the .exe's folder" >&2; exit 1; }

keys "$main_title" alt+f e
ended "$app"

# A dictionary named on the command line opens as soon as the main window is up; its Estonian
# letters in the title and the window are the screenshot. Wine draws the title bar only on a
# desktop of its own (there is no window manager here): this run gets one.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 640x420 /f >/dev/null
timeout 60 wineserver -w # read when the desktop next starts

printf '%s\r\n' maja house õun apple koer dog kass cat päike sun jõgi river tänav street \
  lumi snow öö night üks one | iconv -f UTF-8 -t WINDOWS-1257 >"$c_drive/sõnad.dic"
timeout 120 wine "$c_drive/Sonarix/sonarix.exe" 'C:\sõnad.dic' &
app=$!
main=$(window '^Tolkrix - sõnad\.dic$')
sleep 1
size=$(xdotool getwindowgeometry "$main" | sed -n 's/^ *Geometry: //p')
import -window "$(window ' - Wine desktop$')" -crop "$size+0+0" +repage "$shots/windows.png"

keys '^Tolkrix - sõnad\.dic$' alt+f e
ended "$app"
echo "sonarix.exe under Wine: intro, System Information, Save As, a file from the command line"
echo "windows.sh: the smoke passed at $SECONDS s"

# --- 4. the packages ------------------------------------------------------------------------------
# The portable zip: the program and what must go with it, texts with Windows' line ends.
name=sonarix-$version-win64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage/licenses"
$cross-strip -o "$stage/sonarix.exe" "$exe"
sed 's/$/\r/' README.md >"$stage/README.txt"
sed 's/$/\r/' COPYING >"$stage/COPYING.txt"
cp -r "$qt/licenses" "$stage/licenses/qt"
for text in $(find "$stage/licenses" -type f); do sed -i 's/\r*$/\r/' "$text"; done
(cd "$out" && zip -qrX "$name.zip" "$name")
diff <(cd "$out" && find "$name" -type f | sort) <(unzip -Z1 "$out/$name.zip" | grep -v '/$' | sort)


# The installer puts exactly the zip's files in place, and its uninstaller removes exactly those.
nsis=$out/nsis
rm -rf "$nsis"
mkdir -p "$nsis"
cp "$out/build/icons/sonarix.ico" "$nsis/"
winpath() { echo "${1//\//\\}"; }
(
  cd "$stage"
  find . -type d | sort | while read -r dir; do
    rel=$(winpath "${dir#.}")
    echo "SetOutPath \"\$INSTDIR$rel\""
    find "$dir" -maxdepth 1 -type f | sort | while read -r file; do
      echo "File \"$stage/${file#./}\""
    done
  done
) >"$nsis/files.nsh"
(
  cd "$stage"
  find . -type f | sort | while read -r file; do echo "Delete \"\$INSTDIR\\$(winpath "${file#./}")\""; done
  # Folders deepest first, and only when empty.
  find . -mindepth 1 -type d | sort -r | while read -r dir; do echo "RMDir \"\$INSTDIR\\$(winpath "${dir#./}")\""; done
) >"$nsis/unfiles.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DNSIS="$nsis" \
  -DSIZE_KB="$(du -sk "$stage" | cut -f1)" -DOUTFILE="$out/sonarix-$version-setup.exe" \
  data/windows/sonarix.nsi

# The installer under Wine: with .dic unclaimed it takes .dic; with another program's claim, for
# all users or for this one, it only joins "Open with". Each time a silent install leaves the
# files, the shortcut and the keys, and a silent uninstall takes exactly those away and leaves the
# user's file.
new_prefix install
c_drive=$WINEPREFIX/drive_c
instdir=$c_drive/Program\ Files/Sonarix
link=$c_drive/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Sonarix.lnk
classes='HKLM\Software\Classes'
value() { # key, value name (empty: the default): the data, or nothing when absent
  local out
  if [ -z "$2" ]; then out=$(wine reg query "$1" /ve 2>/dev/null) || return 0
  else out=$(wine reg query "$1" /v "$2" 2>/dev/null) || return 0; fi
  echo "$out" | tr -d '\r' | sed -n 's/^ \{4\}.* \{4\}REG_[A-Z_]* \{4\}//p' | head -n1 |
    grep -vxF '(value not set)' || true

}
expect() { # what, got, wanted
  [ "$2" = "$3" ] || { echo "installer: $1 is '$2', not '$3'" >&2; exit 1; }
}
snapshot() { # everything an install may touch, to compare before and after
  (cd "$c_drive" && find . -path ./windows -prune -o -path ./users -prune -o -print | sort)
  wine reg export "$classes" "$work/classes.reg" /y >/dev/null
  iconv -f UTF-16 -t UTF-8 "$work/classes.reg" | tr -d '\r'

  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r'
}
for claim in "" HKLM HKCU; do
  if [ -n "$claim" ]; then
    wine reg delete 'HKLM\Software\Classes\.dic' /f >/dev/null 2>&1 || true
    wine reg add "$claim\\Software\\Classes\\.dic" /ve /d Other.Dictionary /f >/dev/null
  fi
  taken=Sonarix.Dictionary
  case "$claim" in HKLM) taken=Other.Dictionary ;; HKCU) taken="" ;; esac
  snapshot >"$work/before"
  timeout 120 wine "$out/sonarix-$version-setup.exe" /S
  timeout 60 wineserver -w
  (cd "$stage" && find . -type f) | while read -r file; do
    cmp -s "$stage/$file" "$instdir/$file" || { echo "installer: $file not installed" >&2; exit 1; }
  done
  [ -f "$instdir/uninstall.exe" ] && [ -f "$link" ] || { echo "installer: no uninstaller or shortcut" >&2; exit 1; }
  command='"C:\Program Files\Sonarix\sonarix.exe" "%1"'
  expect "the open command" "$(value "$classes\\Sonarix.Dictionary\\shell\\open\\command" "")" "$command"
  expect "Open with" "$(value "$classes\\.dic\\OpenWithProgids" Sonarix.Dictionary)" ""
  wine reg query "$classes\\.dic\\OpenWithProgids" /v Sonarix.Dictionary >/dev/null 2>&1 ||
    { echo "installer: Sonarix is not under Open with" >&2; exit 1; }
  expect ".dic's program" "$(value "$classes\\.dic" "")" "$taken"
  expect "the uninstall entry" "$(value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sonarix' DisplayVersion)" "$version"
  # Something of the user's in the program's folder stays, and the folder with it.
  printf 'maja\r\nhouse\r\n' >"$instdir/mine.dic"
  timeout 120 wine "C:\\Program Files\\Sonarix\\uninstall.exe" /S
  timeout 60 wineserver -w # the uninstaller runs on from a copy of itself
  [ "$(ls "$instdir")" = mine.dic ] || { echo "installer: uninstall left $(ls "$instdir")" >&2; exit 1; }
  rm -r "$instdir"
  snapshot >"$work/after"
  diff -u "$work/before" "$work/after" >&2 || { echo "installer: the uninstall did not undo the install" >&2; exit 1; }
  expect ".dic's program after the uninstall" "$(value "$classes\\.dic" "")" \
    "${taken/Sonarix.Dictionary/}"
done
expect "the user's claim" "$(value 'HKCU\Software\Classes\.dic' "")" Other.Dictionary

echo "installer: silent install and uninstall under Wine, with .dic unclaimed and claimed"
ls -l "$out/$name.zip" "$out/sonarix-$version-setup.exe"
echo "windows.sh: done in $SECONDS s"

