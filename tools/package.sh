#!/usr/bin/env bash
# Release artefacts from a clean checkout, into build/dist/:
#   tapwell-VERSION-win64.zip         portable: run from any folder
#   tapwell-VERSION-win64-setup.exe   per-user installer (NSIS)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tools/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tapwell tapwell-cli >/dev/null
# The help file, Japanese and English in one: the release is not complete without it.
cmake --build --preset win64 --target tapwell_help >/dev/null

version=$(sed -nE 's/^project\(tapwell VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
out="$root/build/dist"
stage="$out/stage"
rm -rf "$out"
mkdir -p "$stage/examples"
bin="$root/build/win64"
cp "$bin/src/app/tapwell.exe" "$stage/"
x86_64-w64-mingw32-strip "$stage/tapwell.exe"
cp "$bin/src/cli/tapwell-cli.exe" "$stage/"
x86_64-w64-mingw32-strip "$stage/tapwell-cli.exe"
cp "$bin/help/chm/tapwell.chm" "$stage/"
if compgen -G "examples/*" >/dev/null; then cp -r examples/. "$stage/examples/"; fi
cp dist/readme_en.txt dist/readme_ja.txt "$stage/"
cp LICENSE "$stage/LICENSE.txt"
# Windows readers expect CR LF in the text files.
for f in "$stage"/*.txt; do sed -i 's/\r*$/\r/' "$f"; done

zip_name="tapwell-$version-win64.zip"
(cd "$stage" && zip -qr9 "$out/$zip_name" .)
makensis -V2 -DSTAGE="$stage" -DOUTFILE="$out/tapwell-$version-win64-setup.exe" \
  -DVERSION="$version" installer/tapwell.nsi
echo "package: $out/$zip_name ($(stat -c %s "$out/$zip_name") bytes)"
echo "package: $out/tapwell-$version-win64-setup.exe ($(stat -c %s "$out/tapwell-$version-win64-setup.exe") bytes)"
