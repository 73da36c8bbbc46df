#!/bin/sh
# Regenerates resources/icons/001.ico .. 511.ico from subjects.txt, and resources/program.ico,
# disc.ico and placeholder.ico (make_program_icons.py). Needs Debian's
# librsvg2-bin, python3-pil and npm; fetches the pinned icon sets (package.json,
# package-lock.json) from the npm registry into build/icon-sources/, which is not committed.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
sources="$root/build/icon-sources"
mkdir -p "$sources"
cp "$here/package.json" "$here/package-lock.json" "$sources/"
(cd "$sources" && npm ci --no-audit --no-fund --ignore-scripts)
rm -f "$root"/resources/icons/[0-9][0-9][0-9].ico
/usr/bin/python3 "$here/make_icons.py" "$sources/node_modules" "$root/resources/icons"
/usr/bin/python3 "$here/make_program_icons.py" "$sources/node_modules" "$root/resources"
