#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: a Release build of its own in build-package/, with Debian's hardening
# flags, packed by CPack into build-package/sonarix_<version>_<arch>.deb (its path printed).
#   scripts/package.sh && sudo apt install ./build-package/sonarix_1.3.9_amd64.deb
# The build talks on standard error; standard output gets only the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh >&2
build=build-package

# No debug information and no compiler notes: the package ships the program stripped and no
# debug symbols package.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS) -fno-ident"
ldflags=$(dpkg-buildflags --get LDFLAGS)

# A unity build: the Qt headers are read once per batch of sources instead of once per file,
# which more than halves the build on two cores.
{
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON \
    -DSONARIX_TESTS=OFF "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"
  cmake --build "$build" --parallel 2
  (cd "$build" && cpack -G DEB)
} >&2
ls -t "$PWD/$build"/sonarix_*.deb | head -n1
