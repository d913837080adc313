#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles the registry code that is built on Windows only (src/platform/WinRegistry.cpp), and the
# code around it, with the MinGW-w64 cross compiler against its real <windows.h>: syntax and
# types only, no object files. Qt's headers are the Linux ones (the C++ headers are the same on
# every system; only the configuration header differs), with Windows' own compiler definitions.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cxx=x86_64-w64-mingw32-g++-posix
qt=$(pkg-config --variable=includedir Qt6Core)
flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror
  -DUNICODE -D_UNICODE -DWIN32 -DQT_CORE_LIB -DQT_NO_DEBUG
  -Isrc -isystem "$qt" -isystem "$qt/QtCore")

# The values the portable code hard-codes must be those of the real API.
probe=$(mktemp --suffix=.cpp)
trap 'rm -f "$probe"' EXIT
cat >"$probe" <<'CPP'
#include "platform/Registry.h"
#include "app/SysInfo.h"
#include <windows.h>
#ifndef Q_OS_WIN
#error "Qt does not see a Windows compiler"
#endif
static_assert(Registry::String == REG_SZ);
static_assert(Registry::Dword == REG_DWORD);
static_assert(sizeof(Registry::Handle) == sizeof(LONG)); // the predefined roots fit
CPP

for source in src/platform/WinRegistry.cpp src/platform/Registry.cpp src/app/SysInfo.cpp "$probe"; do
  "$cxx" "${flags[@]}" "$source"
done
echo "wincheck: the Windows registry code compiles with $("$cxx" -dumpversion) against <windows.h>"
