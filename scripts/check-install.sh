#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a temporary prefix and checks what a desktop gets from it:
#   scripts/check-install.sh BUILD_DIR
# the program, a valid desktop entry, the icon at every size, and a well-formed file type for *.dic
# that shared-mime-info accepts and matches.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share

test -x "$prefix/bin/sonarix"
desktop-file-validate "$share/applications/sonarix.desktop"
grep -q '^Exec=sonarix %f$' "$share/applications/sonarix.desktop"
for size in 16 22 24 32 48 64 128 256; do
  file "$share/icons/hicolor/${size}x${size}/apps/sonarix.png" | grep -q "$size x $size"
done
xmllint --noout "$share/mime/packages/sonarix.xml"
update-mime-database "$share/mime" 2>/dev/null # it only notes that the prefix is not searched
grep -q '^application/x-sonarix-dictionary:\*\.dic$' "$share/mime/globs"
grep -q '^application/x-sonarix-dictionary text/plain$' "$share/mime/subclasses"
grep -q '^application/x-kvtml:\*\.kvtml$' "$share/mime/globs"
echo "install into $prefix: all checks passed"
