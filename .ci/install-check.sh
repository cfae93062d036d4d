#!/usr/bin/env bash
# Installs the built program into a temporary prefix, checks the layout and
# the desktop entry, and builds the Debian package.
set -euo pipefail
build="${1:-build}"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vandrel-tessaron bin/vt-evaluate \
         "share/vandrel-tessaron/RazuziRurida - Do not delete.int" \
         share/vandrel-tessaron/designs-example.csv \
         share/mime/packages/org.vandreltessaron.VandrelTessaron.xml \
         share/applications/org.vandreltessaron.VandrelTessaron.desktop \
         share/metainfo/org.vandreltessaron.VandrelTessaron.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.vandreltessaron.VandrelTessaron.svg; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.vandreltessaron.VandrelTessaron.desktop"
fi
# The installed batch evaluator on the installed example, which names the
# default modelling-results file beside it.
"$prefix/bin/vt-evaluate" "$prefix/share/vandrel-tessaron/designs-example.csv" >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vandrel-tessaron_*.deb | head -n 1)
contents=$(dpkg-deb --contents "$deb")
for f in usr/bin/vandrel-tessaron usr/bin/vt-evaluate \
         "usr/share/vandrel-tessaron/RazuziRurida - Do not delete.int" \
         usr/share/applications/org.vandreltessaron.VandrelTessaron.desktop \
         usr/share/mime/packages/org.vandreltessaron.VandrelTessaron.xml; do
  grep -qF "$f" <<<"$contents" || { echo "missing in the package: $f"; exit 1; }
done
# The packaged desktop entry hands a double-clicked evaluation file to the
# program and keeps the file type registered.
entry=$(dpkg-deb --fsys-tarfile "$deb" |
        tar -xOf - ./usr/share/applications/org.vandreltessaron.VandrelTessaron.desktop)
grep -qx 'Exec=vandrel-tessaron %f' <<<"$entry" ||
  { echo "the packaged desktop entry does not pass the file (Exec ... %f)"; exit 1; }
grep -qx 'MimeType=application/vnd.vandreltessaron.evaluation+json;' <<<"$entry" ||
  { echo "the packaged desktop entry does not name the evaluation file type"; exit 1; }
# The installed program answers its command line without a display.
"$prefix/bin/vandrel-tessaron" --version | grep -q '^vandrel-tessaron ' ||
  { echo "vandrel-tessaron --version says no version"; exit 1; }
status=0
"$prefix/bin/vandrel-tessaron" --no-such-option 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "an unknown option ends with $status, not 2"; exit 1; }
echo "installed layout and package $deb are complete"
