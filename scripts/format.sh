#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks (or with --fix, applies) the project's clang-format style on every C++ file.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
fi
