#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the programs, the desktop entry,
# the metainfo, the icons, the manual pages and the completion land where a desktop, man and
# bash look for them.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/solifa bin/solifa-render share/applications/org.example.Solifa.desktop \
         share/metainfo/org.example.Solifa.metainfo.xml share/icons/hicolor/256x256/apps/solifa.png \
         share/icons/hicolor/16x16/apps/solifa.png share/icons/hicolor/scalable/apps/solifa.svg \
         share/man/man1/solifa.1.gz share/man/man1/solifa-render.1.gz \
         share/bash-completion/completions/solifa-render; do
  [ -e "$prefix/$f" ] || { echo "install: $f is missing" >&2; exit 1; }
done
[ -x "$prefix/bin/solifa" ] && [ -x "$prefix/bin/solifa-render" ] ||
  { echo "install: programs are not executable" >&2; exit 1; }
desktop-file-validate "$prefix/share/applications/org.example.Solifa.desktop"
grep -q '^Categories=Education;Graphics;$' "$prefix/share/applications/org.example.Solifa.desktop"
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/256x256/apps/solifa.png")" = 256x256 ] ||
  { echo "install: the icon is not 256 x 256" >&2; exit 1; }
# The manual finds the pages by name, and they say the version of the programs beside them.
for page in solifa solifa-render; do
  MANPATH="$prefix/share/man" man -w "$page" >/dev/null 2>&1 ||
    { echo "install: man does not find $page" >&2; exit 1; }
done
version=$("$prefix/bin/solifa-render" --version)
zcat "$prefix/share/man/man1/solifa-render.1.gz" | grep -q "^\.TH SOLIFA-RENDER 1 .* \"SOLIFA ${version#solifa-render }\"" ||
  { echo "install: the manual page is not of $version" >&2; exit 1; }
# The completion is bound once it is loaded, as bash-completion loads it.
bash -c "source '$prefix/share/bash-completion/completions/solifa-render' && complete -p solifa-render" >/dev/null ||
  { echo "install: the completion binds nothing" >&2; exit 1; }
echo "install: passed"
