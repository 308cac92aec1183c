#!/usr/bin/env bash
# Builds the Debian package with scripts/package into a temporary folder and checks what a user
# and a software centre get: its contents, its dependencies, lintian, the AppStream metainfo,
# the desktop entry, and that the unpacked programs run.
# Usage: check_package.sh SOURCE_DIR VERSION
set -euo pipefail
source_dir=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package: $*" >&2; exit 1; }

SOLIFA_PACKAGE_DIR="$work/out" "$source_dir/scripts/package" >/dev/null
shopt -s nullglob
debs=("$work"/out/solifa_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package in the output folder, found ${#debs[@]}"
deb=${debs[0]}
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"

# The contents a desktop and a user expect.
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/solifa usr/bin/solifa-render \
         usr/share/applications/org.example.Solifa.desktop \
         usr/share/metainfo/org.example.Solifa.metainfo.xml \
         usr/share/icons/hicolor/16x16/apps/solifa.png usr/share/icons/hicolor/32x32/apps/solifa.png \
         usr/share/icons/hicolor/48x48/apps/solifa.png usr/share/icons/hicolor/64x64/apps/solifa.png \
         usr/share/icons/hicolor/128x128/apps/solifa.png \
         usr/share/icons/hicolor/256x256/apps/solifa.png \
         usr/share/icons/hicolor/scalable/apps/solifa.svg \
         usr/share/man/man1/solifa.1.gz usr/share/man/man1/solifa-render.1.gz \
         usr/share/bash-completion/completions/solifa-render \
         usr/share/doc/solifa/copyright usr/share/doc/solifa/changelog.gz; do
  grep -qx "\./$f" <<<"$contents" || fail "$f is missing from the package"
done

# The dependencies come from the libraries the programs link.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done

# lintian: no error; what it still warns about is shown.
lintian_out=$(lintian --fail-on error "$deb" 2>/dev/null) || { echo "$lintian_out"; fail "lintian reports errors"; }
[ -z "$lintian_out" ] || echo "package: lintian says: $lintian_out"

root="$work/root"
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.Solifa.metainfo.xml" ||
  fail "the metainfo does not validate"
desktop-file-validate "$root/usr/share/applications/org.example.Solifa.desktop" ||
  fail "the desktop entry does not validate"

# The unpacked renderer runs and says its version.
out=$("$root/usr/bin/solifa-render" --version)
grep -q "solifa-render" <<<"$out" && grep -q "$version" <<<"$out" ||
  fail "solifa-render --version printed: $out"
echo "package: passed ($(basename "$deb"))"
