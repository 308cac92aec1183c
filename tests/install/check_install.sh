#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the programs, the desktop entry,
# the metainfo and the icons land where a desktop looks for them.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/solifa bin/solifa-render share/applications/org.example.Solifa.desktop \
         share/metainfo/org.example.Solifa.metainfo.xml share/icons/hicolor/256x256/apps/solifa.png \
         share/icons/hicolor/16x16/apps/solifa.png share/icons/hicolor/scalable/apps/solifa.svg; do
  [ -e "$prefix/$f" ] || { echo "install: $f is missing" >&2; exit 1; }
done
[ -x "$prefix/bin/solifa" ] && [ -x "$prefix/bin/solifa-render" ] ||
  { echo "install: programs are not executable" >&2; exit 1; }
desktop-file-validate "$prefix/share/applications/org.example.Solifa.desktop"
grep -q '^Categories=Education;Graphics;$' "$prefix/share/applications/org.example.Solifa.desktop"
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/256x256/apps/solifa.png")" = 256x256 ] ||
  { echo "install: the icon is not 256 x 256" >&2; exit 1; }
echo "install: passed"
