#!/usr/bin/env bash
# Builds the Windows preset, renders the main window, the icon library, the system check's
# progress dialog, the about box and the disc image dialog under Wine and writes docs/main-*.png,
# docs/icon-library.png, docs/system-check.png, docs/about-box.png and docs/disc-image.png.
set -eu
cd "$(dirname "$0")/.."
make --no-print-directory configure-windows >/dev/null
cmake --build --preset windows --target velquor_screenshots
out=$(mktemp -d)
# A prefix of its own: without a window manager Wine draws the title bars itself only when told.
export VELQUOR_WINE_HOME=$PWD/build/windows/wine-screenshots
trap 'cmake/wine-run.sh --teardown; rm -rf "$out"' EXIT
mkdir -p build/windows/wine-screenshots/prefix/drive_c/windows/Fonts
cmake/wine-run.sh reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
# The caption buttons are drawn with the Marlett font, which a fresh prefix may lack.
cp -n /usr/share/wine/fonts/marlett.ttf "$VELQUOR_WINE_HOME/prefix/drive_c/windows/Fonts/" 2>/dev/null || true
cmake/wine-run.sh build/windows/bin/velquor_screenshots.exe "Z:${out//\//\\}"
mkdir -p docs
for view in main-compact main-extended icon-library system-check about-box disc-image; do
  convert "$out/$view.bmp" -strip "docs/$view.png"
done
echo "docs/main-compact.png docs/main-extended.png docs/icon-library.png docs/system-check.png docs/about-box.png docs/disc-image.png"
