#!/usr/bin/env bash
# Starts the built velquor.exe through Wine and stops Wine's server and display afterwards,
# also when the run is interrupted.
set -u
cd "$(dirname "$0")/.."
export VELQUOR_WINE_HOME="$PWD/build/windows/wine"
trap 'cmake/wine-run.sh --teardown' EXIT
if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY is set: Velquor starts on a virtual display (Xvfb) where it cannot be seen."
  echo "Set DISPLAY to an X server to see the window; end it with Ctrl+C."
fi
cmake/wine-run.sh build/windows/bin/velquor.exe
