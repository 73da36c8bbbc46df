#!/usr/bin/env bash
# Builds the Windows preset, renders the main window under Wine and writes docs/main-*.png.
set -eu
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target velquor_screenshots
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
VELQUOR_WINE_HOME=$PWD/build/windows/wine cmake/wine-run.sh \
  build/windows/app/velquor_screenshots.exe "Z:${out//\//\\}"
mkdir -p docs
for view in compact extended; do
  convert "$out/main-$view.bmp" -strip "docs/main-$view.png"
done
echo "docs/main-compact.png docs/main-extended.png"
