#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the tests (the end-to-end ones included) and the
# screenshots need, if any are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  clang clang-format libclang-rt-14-dev libbenchmark-dev
  xvfb xauth imagemagick x11-utils xdotool
  fonts-dejavu-core fonts-liberation2
  desktop-file-utils libxml2-utils shared-mime-info file
  python3 python3-gi python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus-daemon dbus-bin
  lintian appstream groff-base man-db dpkg-dev g++-mingw-w64-x86-64-posix
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
