#!/usr/bin/env bash
# Installs the built program into a temporary prefix, checks the layout and
# the desktop entry, and builds the Debian package.
set -euo pipefail
build="${1:-build}"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vandrel-tessaron \
         "share/vandrel-tessaron/RazuziRurida - Do not delete.int" \
         share/applications/org.vandreltessaron.VandrelTessaron.desktop \
         share/metainfo/org.vandreltessaron.VandrelTessaron.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.vandreltessaron.VandrelTessaron.svg; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.vandreltessaron.VandrelTessaron.desktop"
fi
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vandrel-tessaron_*.deb | head -n 1)
contents=$(dpkg-deb --contents "$deb")
for f in usr/bin/vandrel-tessaron "usr/share/vandrel-tessaron/RazuziRurida - Do not delete.int"; do
  grep -qF "$f" <<<"$contents" || { echo "missing in the package: $f"; exit 1; }
done
echo "installed layout and package $deb are complete"
